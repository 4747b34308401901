#pragma once
// Windows takes a path at or beyond its classic limit of 260 characters only in the long form,
// "\\?\C:\..." or "\\?\UNC\server\share\...", in which the file functions use it as it stands.
// A disc copied into a deep folder needs it.

#include "framework/text/Unicode.h"

#include <string>

namespace platform {

constexpr std::size_t kClassicPathLimit = 260; // characters, with the terminating zero

// `path` (UTF-8) in the long form when it is a full path that needs it, else as it is.
inline std::string LongForm(std::string path) {
    if (text::Utf8ToUtf16(path).size() < kClassicPathLimit || path.rfind("\\\\?\\", 0) == 0) {
        return path;
    }
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    if (path.size() > 2 && path[1] == ':' && path[2] == '\\') {
        return "\\\\?\\" + path;
    }
    if (path.rfind("\\\\", 0) == 0) {
        return "\\\\?\\UNC\\" + path.substr(2);
    }
    return path; // relative: the system resolves it as it can
}

} // namespace platform
