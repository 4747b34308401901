#include "platform/profile/ProfileFileInput.h"

#include "framework/text/Unicode.h"
#include "platform/LongPath.h"

#include <sys/stat.h>

#include <cstdio>

namespace platform::profile {

namespace {

#if defined(_WIN32)
using Stat = struct _stati64;
int StatPath(const std::string& path, Stat& status) {
    const std::u16string wide = text::Utf8ToUtf16(LongForm(path));
    return _wstati64(reinterpret_cast<const wchar_t*>(wide.c_str()), &status);
}
std::FILE* OpenForReading(const std::string& path) {
    const std::u16string wide = text::Utf8ToUtf16(LongForm(path));
    return _wfopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"rb");
}
constexpr auto kDirectoryBit = _S_IFDIR;
#else
using Stat = struct stat;
int StatPath(const std::string& path, Stat& status) {
    return stat(path.c_str(), &status);
}
std::FILE* OpenForReading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}
constexpr auto kDirectoryBit = S_IFDIR;
#endif

bool IsDirectory(const std::string& path) {
    Stat status{};
    return StatPath(path, status) == 0 && (status.st_mode & kDirectoryBit) != 0;
}

} // namespace

std::optional<FileSignature> SignatureOf(const std::string& path) {
    Stat status{};
    if (StatPath(path, status) != 0 || (status.st_mode & kDirectoryBit) != 0) {
        return std::nullopt;
    }
    return FileSignature{static_cast<long long>(status.st_size),
                         static_cast<long long>(status.st_mtime)};
}

std::optional<std::string> ReadFile(const std::string& path) {
    Stat status{};
    const bool known = StatPath(path, status) == 0;
    if (known && ((status.st_mode & kDirectoryBit) != 0 || status.st_size > kMaxFileSize)) {
        return std::nullopt;
    }
    if (std::FILE* file = OpenForReading(path)) {
        // In one read where the size is known: a language file may be large.
        std::string bytes;
        if (known && status.st_size > 0) {
            bytes.resize(static_cast<std::size_t>(status.st_size));
            bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        }
        char chunk[4096]; // whatever the file holds beyond the size it had
        std::size_t read = 0;
        while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0 &&
               bytes.size() + read <= static_cast<std::size_t>(kMaxFileSize)) {
            bytes.append(chunk, read);
        }
        std::fclose(file);
        if (read > 0) {
            return std::nullopt; // it grew beyond the limit while being read
        }
        return bytes;
    }
    const std::size_t slash = path.find_last_of("\\/");
    const std::string directory =
        slash == std::string::npos ? std::string() : path.substr(0, slash);
    if (!known && (directory.empty() || IsDirectory(directory))) {
        return std::string();
    }
    return std::nullopt;
}

} // namespace platform::profile
