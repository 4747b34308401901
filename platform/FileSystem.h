#pragma once
// The files the program touches: its copy in the temporary folder, files on the medium.

#include "platform/SystemError.h"

#include <optional>
#include <string>

namespace platform {

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // The user's temporary folder, ending in a backslash; empty on failure.
    virtual std::optional<std::string> GetTempFolder() const = 0;

    // Clears read-only and similar attributes of `path`. Fails with errors::kFileNotFound when
    // there is no such file, with errors::kFileNameTooLong when the path is too long for the
    // system (so no such file can be there).
    virtual Outcome SetNormalAttributes(const std::string& path) = 0;

    // Copies `from` to `to`, replacing an existing file.
    virtual Outcome Copy(const std::string& from, const std::string& to) = 0;

    // Whether at least one file or folder matches `pattern` (wildcards in its last component).
    virtual bool Exists(const std::string& pattern) const = 0;

    // Creates a folder; an existing one is no error, and the result is not needed.
    virtual void CreateFolder(const std::string& path) = 0;
};

} // namespace platform
