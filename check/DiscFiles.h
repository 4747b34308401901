#pragma once
// The files of a disc as the menu finds them on Windows: paths relative to the disc's root,
// with backslashes or slashes between their parts, names in any letter case.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace check {

// A file or folder of the disc: the names of the folders down to it and its own, its kind and,
// for a file, its size in bytes.
struct DiscEntry {
    std::vector<std::string> parts;
    bool folder = false;
    std::uint64_t size = 0;
};

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

    // Every file and folder under the disc's root, a folder before what it holds, in the order
    // of their names; what cannot be read is left out.
    virtual std::vector<DiscEntry> Tree() const = 0;
};

} // namespace check
