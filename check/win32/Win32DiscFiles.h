#pragma once
// The files of a disc in a folder, found with the functions the menu finds them with.

#include "check/DiscFiles.h"
#include "platform/win32/Win32FileSystem.h"

#include <optional>
#include <string>
#include <vector>

namespace check {

class Win32DiscFiles final : public IDiscFiles {
public:
    // `root`: the disc's folder, with or without a closing backslash.
    explicit Win32DiscFiles(const std::string& root);

    bool Exists(const std::string& pattern) const override;
    std::optional<std::string> Locate(const std::string& path) const override;
    std::optional<std::string> Read(const std::string& path) const override;
    std::vector<DiscEntry> Tree() const override;

private:
    std::string m_root; // ends in a backslash, as the menu's launcher directory does
    platform::Win32FileSystem m_files;
};

} // namespace check
