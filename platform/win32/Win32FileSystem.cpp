#include "platform/win32/Win32FileSystem.h"

#include "framework/win32/WideText.h"
#include "platform/LongPath.h"

#include <windows.h>

#include <vector>

namespace platform {

std::optional<std::string> Win32FileSystem::GetTempFolder() const {
    // Asked for its length first, so that a long path is not cut.
    const DWORD needed = GetTempPathW(0, nullptr);
    if (needed == 0) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(needed + 1);
    const DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size()) {
        return std::nullopt;
    }
    return text::FromWide(buffer.data(), length);
}

static_assert(errors::kFileNotFound == ERROR_FILE_NOT_FOUND &&
              errors::kPathNotFound == ERROR_PATH_NOT_FOUND &&
              errors::kFileNameTooLong == ERROR_FILENAME_EXCED_RANGE);

Outcome Win32FileSystem::SetNormalAttributes(const std::string& path) {
    // A name longer than the classic path limit holds no earlier copy: systems differ in the
    // error they give for it, so it is told apart here.
    const std::wstring wide = text::Wide(path);
    if (wide.size() >= MAX_PATH) {
        return Outcome::Failure(ERROR_FILENAME_EXCED_RANGE);
    }
    return SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL)
               ? Outcome::Success()
               : Outcome::Failure(GetLastError());
}

Outcome Win32FileSystem::Copy(const std::string& from, const std::string& to) {
    return CopyFileW(text::Wide(LongForm(from)).c_str(), text::Wide(LongForm(to)).c_str(), FALSE)
               ? Outcome::Success()
               : Outcome::Failure(GetLastError());
}

bool Win32FileSystem::Exists(const std::string& pattern) const {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(text::Wide(LongForm(pattern)).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

void Win32FileSystem::CreateFolder(const std::string& path) {
    CreateDirectoryW(text::Wide(LongForm(path)).c_str(), nullptr);
}

} // namespace platform
