#include "platform/win32/Win32FileSystem.h"

#include "framework/win32/WideText.h"
#include "platform/LongPath.h"

#include <windows.h>
// After windows.h, which it needs: the system's random generator.
#include <ntsecapi.h>

#include <cstring>
#include <cwchar>

#include <vector>

namespace platform {

Result<std::string> Win32FileSystem::GetTempFolder() const {
    // Asked for its length first, so that a long path is not cut.
    const DWORD needed = GetTempPathW(0, nullptr);
    if (needed == 0) {
        return Result<std::string>::Failure(GetLastError());
    }
    std::vector<wchar_t> buffer(needed + 1);
    const DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size()) {
        return Result<std::string>::Failure(length == 0 ? GetLastError()
                                                        : errors::kInsufficientBuffer);
    }
    return Result<std::string>::Success(text::FromWide(buffer.data(), length));
}

static_assert(errors::kFileNotFound == ERROR_FILE_NOT_FOUND &&
              errors::kPathNotFound == ERROR_PATH_NOT_FOUND &&
              errors::kFileNameTooLong == ERROR_FILENAME_EXCED_RANGE);

namespace {

// Random bytes from the system's generator, which every system since XP has.
bool RandomBytes(unsigned char* buffer, ULONG size) {
    return RtlGenRandom(buffer, size) != FALSE;
}

std::string RandomHexDigits(std::size_t count) {
    std::vector<unsigned char> bytes((count + 1) / 2);
    if (!RandomBytes(bytes.data(), static_cast<ULONG>(bytes.size()))) {
        return {};
    }
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
    }
    text.resize(count);
    return text;
}

// Closes a find-file search when it goes.
class FileSearch {
public:
    explicit FileSearch(const std::string& pattern)
        : m_handle(FindFirstFileW(text::Wide(LongForm(pattern)).c_str(), &m_data)) {}
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;
    ~FileSearch() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            FindClose(m_handle);
        }
    }
    // The current entry, then the next one at every call; null at the end.
    const WIN32_FIND_DATAW* Next() {
        if (m_handle == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        if (m_started && !FindNextFileW(m_handle, &m_data)) {
            return nullptr;
        }
        m_started = true;
        return &m_data;
    }

private:
    WIN32_FIND_DATAW m_data{};
    HANDLE m_handle;
    bool m_started = false;
};

bool IsDotEntry(const WIN32_FIND_DATAW& entry) {
    return std::wcscmp(entry.cFileName, L".") == 0 || std::wcscmp(entry.cFileName, L"..") == 0;
}

// Closes a file handle when it goes.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

FileHandle OpenToRead(const std::string& path) {
    return FileHandle(CreateFileW(text::Wide(LongForm(path)).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

Result<std::string> Win32FileSystem::CreateUniqueFolder(const std::string& parent,
                                                        const std::string& prefix) {
    // A name taken already (by chance, or by someone who guessed) is not used: a folder made
    // by somebody else could hold anything.
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < 8 && error == ERROR_ALREADY_EXISTS; ++attempt) {
        const std::string digits = RandomHexDigits(kRandomNameDigits);
        if (digits.empty()) {
            return Result<std::string>::Failure(GetLastError());
        }
        const std::string path = parent + prefix + digits;
        if (CreateDirectoryW(text::Wide(LongForm(path)).c_str(), nullptr)) {
            return Result<std::string>::Success(path + "\\");
        }
        error = GetLastError();
    }
    return Result<std::string>::Failure(error);
}

std::vector<std::string> Win32FileSystem::FoldersIn(const std::string& parent,
                                                    const std::string& prefix) const {
    std::vector<std::string> names;
    FileSearch search(parent + prefix + "*");
    while (const WIN32_FIND_DATAW* entry = search.Next()) {
        if ((entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !IsDotEntry(*entry)) {
            names.push_back(text::FromWide(entry->cFileName));
        }
    }
    return names;
}

Outcome Win32FileSystem::RemoveFolder(const std::string& path) {
    const std::string folder = path.empty() || path.back() == '\\' ? path : path + "\\";
    FileSearch search(folder + "*");
    while (const WIN32_FIND_DATAW* entry = search.Next()) {
        if (IsDotEntry(*entry)) {
            continue;
        }
        const std::string child = folder + text::FromWide(entry->cFileName);
        const DWORD attributes = entry->dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            if (const Outcome removed = RemoveFolder(child); !removed) {
                return removed;
            }
            continue;
        }
        const std::wstring wide = text::Wide(LongForm(child));
        // A link to a folder goes as a folder, without what it points to.
        const BOOL removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                                 ? RemoveDirectoryW(wide.c_str())
                                 : SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL) &&
                                       DeleteFileW(wide.c_str());
        if (!removed) {
            return Outcome::Failure(GetLastError());
        }
    }
    return RemoveDirectoryW(text::Wide(LongForm(folder.substr(0, folder.size() - 1))).c_str())
               ? Outcome::Success()
               : Outcome::Failure(GetLastError());
}

Outcome Win32FileSystem::Copy(const std::string& from, const std::string& to) {
    return CopyFileW(text::Wide(LongForm(from)).c_str(), text::Wide(LongForm(to)).c_str(), FALSE)
               ? Outcome::Success()
               : Outcome::Failure(GetLastError());
}

namespace {

// Reads exactly `size` bytes from the current place of `file` into `buffer`.
bool ReadExactly(HANDLE file, char* buffer, std::size_t size) {
    constexpr DWORD kChunk = 1 << 20;
    while (size > 0) {
        const DWORD wanted = size < kChunk ? static_cast<DWORD>(size) : kChunk;
        DWORD read = 0;
        if (!ReadFile(file, buffer, wanted, &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            SetLastError(ERROR_HANDLE_EOF); // the file ended early: it changed meanwhile
            return false;
        }
        buffer += read;
        size -= read;
    }
    return true;
}

bool WriteAll(HANDLE file, const char* bytes, std::size_t size) {
    constexpr DWORD kChunk = 1 << 20;
    while (size > 0) {
        const DWORD wanted = size < kChunk ? static_cast<DWORD>(size) : kChunk;
        DWORD written = 0;
        if (!WriteFile(file, bytes, wanted, &written, nullptr) || written == 0) {
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

// Writes `bytes` to the new file `path`, reads it back and compares; the system's reason, or
// ERROR_FILE_CORRUPT for a file that reads back otherwise.
Outcome WriteAndCompare(const std::string& path, const std::vector<char>& bytes) {
    // No one else opens the file until it is checked and closed.
    const FileHandle target(CreateFileW(text::Wide(LongForm(path)).c_str(),
                                        GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target) {
        return Outcome::Failure(GetLastError());
    }
    if (!WriteAll(target.get(), bytes.data(), bytes.size())) {
        return Outcome::Failure(GetLastError());
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(target.get(), &size) ||
        static_cast<unsigned long long>(size.QuadPart) != bytes.size() ||
        SetFilePointer(target.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
        return Outcome::Failure(ERROR_FILE_CORRUPT);
    }
    constexpr std::size_t kChunk = 64 * 1024;
    std::vector<char> back(kChunk);
    for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
        const std::size_t count = bytes.size() - at < kChunk ? bytes.size() - at : kChunk;
        if (!ReadExactly(target.get(), back.data(), count) ||
            std::memcmp(back.data(), bytes.data() + at, count) != 0) {
            return Outcome::Failure(ERROR_FILE_CORRUPT);
        }
    }
    return Outcome::Success();
}

} // namespace

Outcome Win32FileSystem::CopyChecked(const std::string& from, const std::string& to) {
    std::vector<char> bytes;
    {
        const FileHandle source = OpenToRead(from);
        LARGE_INTEGER size{};
        if (!source || !GetFileSizeEx(source.get(), &size)) {
            return Outcome::Failure(GetLastError());
        }
        if (static_cast<unsigned long long>(size.QuadPart) > kMostCheckedCopyBytes) {
            return Outcome::Failure(ERROR_FILE_TOO_LARGE);
        }
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        if (!ReadExactly(source.get(), bytes.data(), bytes.size())) {
            return Outcome::Failure(GetLastError());
        }
    }
    const Outcome written = WriteAndCompare(to, bytes);
    if (!written && written.error.code != ERROR_FILE_EXISTS) {
        DeleteFileW(text::Wide(LongForm(to)).c_str());
    }
    return written;
}

bool Win32FileSystem::SameContents(const std::string& first, const std::string& second) const {
    const FileHandle a = OpenToRead(first);
    const FileHandle b = OpenToRead(second);
    LARGE_INTEGER sizeA{};
    LARGE_INTEGER sizeB{};
    if (!a || !b || !GetFileSizeEx(a.get(), &sizeA) || !GetFileSizeEx(b.get(), &sizeB) ||
        sizeA.QuadPart != sizeB.QuadPart) {
        return false;
    }
    constexpr DWORD kChunk = 64 * 1024;
    std::vector<char> bufferA(kChunk);
    std::vector<char> bufferB(kChunk);
    for (;;) {
        DWORD readA = 0;
        DWORD readB = 0;
        if (!ReadFile(a.get(), bufferA.data(), kChunk, &readA, nullptr) ||
            !ReadFile(b.get(), bufferB.data(), kChunk, &readB, nullptr) || readA != readB ||
            std::memcmp(bufferA.data(), bufferB.data(), readA) != 0) {
            return false;
        }
        if (readA == 0) {
            return true;
        }
    }
}

bool Win32FileSystem::Exists(const std::string& pattern) const {
    return FileSearch(pattern).Next() != nullptr;
}

} // namespace platform
