#include "platform/win32/Win32Locale.h"

#include <windows.h>

#include <vector>

namespace platform {

Result<std::string> Win32Locale::GetAbbreviatedLanguageName(std::size_t bufferSize) const {
    if (bufferSize == 0) {
        return Result<std::string>::Failure(errors::kInsufficientBuffer);
    }
    std::vector<char> buffer(bufferSize, '\0');
    const int length = GetLocaleInfoA(GetUserDefaultLCID(), LOCALE_SABBREVLANGNAME, buffer.data(),
                                      static_cast<int>(buffer.size()));
    if (length <= 0) {
        return Result<std::string>::Failure(GetLastError());
    }
    return Result<std::string>::Success(buffer.data());
}

} // namespace platform
