#pragma once
// The files of a disc in a folder of this system, found as Windows finds them: names in any
// letter case (ASCII and Latin-1 letters), wildcards in the last part of a disc id.

#include "check/DiscFiles.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace check {

class FileTreeDiscFiles final : public IDiscFiles {
public:
    explicit FileTreeDiscFiles(const std::string& root);

    bool Exists(const std::string& pattern) const override;
    std::optional<std::string> Locate(const std::string& path) const override;
    std::optional<std::string> Read(const std::string& path) const override;
    std::vector<DiscEntry> Tree() const override;

private:
    // The folder that holds the last part of `path`, each folder on the way found in any letter
    // case, and that last part; nothing when a folder on the way is missing or the path is
    // empty.
    std::optional<std::pair<std::filesystem::path, std::string>>
    Folder(const std::string& path) const;

    std::filesystem::path m_root;
};

// Whether the name `name` matches `pattern` as a find-file search matches it: in any letter
// case, '*' for any run of characters and '?' for any one, "*.*" for any name.
bool MatchesName(const std::string& pattern, const std::string& name);

} // namespace check
