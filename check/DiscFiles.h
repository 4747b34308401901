#pragma once
// The files of a disc as the menu finds them on Windows: paths relative to the disc's root,
// with backslashes or slashes between their parts, names in any letter case.

#include <optional>
#include <string>

namespace check {

class IDiscFiles {
public:
    virtual ~IDiscFiles() = default;

    // Whether a file or folder matches `pattern`; its last part may hold the wildcards * and ?,
    // as the menu's disc check takes them.
    virtual bool Exists(const std::string& pattern) const = 0;

    // The path by which this system opens the file or folder `path` of the disc (the profile
    // reader takes it as it stands); nothing when there is none.
    virtual std::optional<std::string> Locate(const std::string& path) const = 0;

    // The bytes of the file `path`; nothing when there is no such file or it cannot be read (a
    // folder, no permission).
    virtual std::optional<std::string> Read(const std::string& path) const = 0;
};

} // namespace check
