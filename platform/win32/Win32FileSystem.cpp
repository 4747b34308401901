#include "platform/win32/Win32FileSystem.h"

#include "framework/win32/WideText.h"
#include "platform/LongPath.h"

#include <windows.h>
// After windows.h, which they need: the system's random generator, the owners of files.
#include <aclapi.h>
#include <ntsecapi.h>

#include <cstring>
#include <cwchar>

#include <utility>
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
    FileHandle(FileHandle&& other) noexcept : m_handle(other.m_handle) {
        other.m_handle = INVALID_HANDLE_VALUE;
    }
    FileHandle& operator=(FileHandle&&) = delete;
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

// Opens the file or folder `path` itself, a link as the link, never what it points to. Nobody
// may rename or delete it while the handle is open, so that the path names what was opened;
// a folder stays open for writing into it.
FileHandle OpenWithoutFollowing(const std::string& path, bool folder) {
    const DWORD share = folder ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    return FileHandle(CreateFileW(
        text::Wide(LongForm(path)).c_str(),
        FILE_READ_ATTRIBUTES | READ_CONTROL | (folder ? 0 : GENERIC_READ), share, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// What an opened file or folder is. The path is asked as well, after the handle: a system that
// opens a link as its target (Wine does) still tells of the link by the path's attributes, and
// the handle keeps the path from being changed in between.
struct OpenedFacts {
    bool known = false;
    bool link = true;
    bool folder = false;
    DWORD names = 0;
};

OpenedFacts FactsOf(const FileHandle& handle, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!handle || !GetFileInformationByHandle(handle.get(), &information)) {
        return {};
    }
    const DWORD byPath = GetFileAttributesW(text::Wide(LongForm(path)).c_str());
    if (byPath == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    const DWORD attributes = information.dwFileAttributes | byPath;
    return {true, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0,
            (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
            information.nNumberOfLinks};
}

// Frees what a security function allocated.
class LocalMemory {
public:
    LocalMemory() = default;
    LocalMemory(const LocalMemory&) = delete;
    LocalMemory& operator=(const LocalMemory&) = delete;
    ~LocalMemory() { LocalFree(m_memory); }
    PSECURITY_DESCRIPTOR* out() { return &m_memory; }

private:
    PSECURITY_DESCRIPTOR m_memory = nullptr;
};

// This process's user and its token's default owner (the Administrators group for an
// elevated administrator), the owners of what it creates.
bool IsThisUsersSid(PSID owner) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    bool found = false;
    for (const TOKEN_INFORMATION_CLASS kind : {TokenUser, TokenOwner}) {
        DWORD size = 0;
        GetTokenInformation(token, kind, nullptr, 0, &size);
        std::vector<BYTE> buffer(size);
        if (size == 0 || !GetTokenInformation(token, kind, buffer.data(), size, &size)) {
            continue;
        }
        const PSID sid = kind == TokenUser
                             ? reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid
                             : reinterpret_cast<const TOKEN_OWNER*>(buffer.data())->Owner;
        found = found || EqualSid(owner, sid) != FALSE;
    }
    CloseHandle(token);
    return found;
}

bool OwnedByThisUser(const FileHandle& handle) {
    PSID owner = nullptr;
    LocalMemory descriptor;
    return GetSecurityInfo(handle.get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                           nullptr, nullptr, nullptr, descriptor.out()) == ERROR_SUCCESS &&
           owner != nullptr && IsThisUsersSid(owner);
}

// Empties the folder `folder` (ending in a backslash), which the caller holds open. A folder
// in it is opened, checked and held in turn; a link in it goes itself, without what it points
// to.
Outcome EmptyFolder(const std::string& folder);

// Removes the folder `path` (no backslash at its end): opened without following a link, held
// while it is emptied, and refused when it is a link or when `mustBeOwn` and this user does
// not own it.
Outcome RemoveHeldFolder(const std::string& path, bool mustBeOwn) {
    {
        const FileHandle handle = OpenWithoutFollowing(path, true);
        if (!handle) {
            return Outcome::Failure(GetLastError());
        }
        const OpenedFacts facts = FactsOf(handle, path);
        if (!facts.known || facts.link || !facts.folder ||
            (mustBeOwn && !OwnedByThisUser(handle))) {
            return Outcome::Failure(errors::kAccessDenied);
        }
        if (const Outcome emptied = EmptyFolder(path + "\\"); !emptied) {
            return emptied;
        }
    }
    return RemoveDirectoryW(text::Wide(LongForm(path)).c_str()) ? Outcome::Success()
                                                                : Outcome::Failure(GetLastError());
}

Outcome EmptyFolder(const std::string& folder) {
    FileSearch search(folder + "*");
    while (const WIN32_FIND_DATAW* entry = search.Next()) {
        if (IsDotEntry(*entry)) {
            continue;
        }
        const std::string child = folder + text::FromWide(entry->cFileName);
        const DWORD attributes = entry->dwFileAttributes;
        const bool folderEntry = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folderEntry && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            if (const Outcome removed = RemoveHeldFolder(child, false); !removed) {
                return removed;
            }
            continue;
        }
        const std::wstring wide = text::Wide(LongForm(child));
        // A link to a folder goes as a folder, without what it points to.
        const BOOL removed = folderEntry
                                 ? RemoveDirectoryW(wide.c_str())
                                 : SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL) &&
                                       DeleteFileW(wide.c_str());
        if (!removed) {
            return Outcome::Failure(GetLastError());
        }
    }
    return Outcome::Success();
}

// The handles of a held file and of the folders on its way, closed when it goes.
class HeldFile final : public IHeldFile {
public:
    std::vector<FileHandle> handles;
};

// The length of the root of the full path `path` ("C:\", "\\server\share\"); 0 when it
// has none.
std::size_t RootLength(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        return 3;
    }
    if (path.rfind("\\\\", 0) == 0) {
        const std::size_t share = path.find('\\', 2);
        const std::size_t end = share == std::string::npos ? share : path.find('\\', share + 1);
        return end == std::string::npos || share == 2 || end == share + 1 ? 0 : end + 1;
    }
    return 0;
}

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

Result<FolderFacts> Win32FileSystem::InspectFolder(const std::string& path) const {
    const std::string folder =
        !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    const FileHandle handle = OpenWithoutFollowing(folder, true);
    if (!handle) {
        return Result<FolderFacts>::Failure(GetLastError());
    }
    const OpenedFacts facts = FactsOf(handle, folder);
    if (!facts.known) {
        return Result<FolderFacts>::Failure(GetLastError());
    }
    return Result<FolderFacts>::Success({facts.link, OwnedByThisUser(handle)});
}

Outcome Win32FileSystem::RemoveFolder(const std::string& path) {
    const std::string folder =
        !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    return RemoveHeldFolder(folder, true);
}

Result<std::shared_ptr<IHeldFile>> Win32FileSystem::Hold(const std::string& trusted,
                                                         const std::string& path) {
    using Held = Result<std::shared_ptr<IHeldFile>>;
    const bool underTrusted = !trusted.empty() && trusted.back() == '\\' &&
                              path.size() > trusted.size() && path.rfind(trusted, 0) == 0;
    const std::size_t start = underTrusted ? trusted.size() : RootLength(path);
    if (start == 0 || path.back() == '\\') {
        return Held::Failure(errors::kAccessDenied);
    }
    auto held = std::make_shared<HeldFile>();
    // The trusted folder itself is held as it is, link or not; the steps after it are not
    // followed.
    const std::string top = underTrusted && RootLength(trusted) != trusted.size()
                                ? trusted.substr(0, trusted.size() - 1)
                                : path.substr(0, start);
    FileHandle topHandle(CreateFileW(text::Wide(LongForm(top)).c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!topHandle) {
        return Held::Failure(GetLastError());
    }
    held->handles.push_back(std::move(topHandle));
    std::size_t begin = start;
    while (begin < path.size()) {
        const std::size_t slash = path.find('\\', begin);
        const bool last = slash == std::string::npos;
        const std::size_t end = last ? path.size() : slash;
        if (end == begin) { // a doubled backslash
            begin = end + 1;
            continue;
        }
        const std::string step = path.substr(0, end);
        FileHandle handle = OpenWithoutFollowing(step, !last);
        if (!handle) {
            return Held::Failure(GetLastError());
        }
        const OpenedFacts facts = FactsOf(handle, step);
        if (!facts.known || facts.link || facts.folder == last || (last && facts.names != 1)) {
            return Held::Failure(errors::kAccessDenied);
        }
        held->handles.push_back(std::move(handle));
        begin = end + 1;
    }
    return Held::Success(std::move(held));
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
