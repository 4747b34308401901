#pragma once
// The bytes of a profile file and what tells that they may have changed: its size and
// last-write time. The path is UTF-8; on Windows the wide-character functions of the C runtime
// take it, so that any path opens whatever the system's code page.

#include <optional>
#include <string>

namespace platform::profile {

// A file larger than this is not read: reading and decoding it could take more memory than a
// 32-bit process has, and no language file needs that much.
constexpr long long kMaxFileSize = 16LL * 1024 * 1024; // bytes

// The size and last-write time of a file, as far as the file system keeps them.
struct FileSignature {
    long long size = 0;
    long long writeTime = 0; // seconds
    bool operator==(const FileSignature& other) const {
        return size == other.size && writeTime == other.writeTime;
    }
};

// The signature of the file `path`; nothing for a folder or a path that names nothing.
std::optional<FileSignature> SignatureOf(const std::string& path);

// The file's bytes, or nothing when it cannot be opened. A file that is absent from an existing
// directory opens as an empty file; a path that names a directory or leads through a missing
// one does not open at all, and neither does a file larger than kMaxFileSize.
std::optional<std::string> ReadFile(const std::string& path);

} // namespace platform::profile
