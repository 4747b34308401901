#pragma once
// The program's UTF-8 texts as the wide-character functions of the system take them, and back.

#include "framework/text/Unicode.h"

#include <windows.h>

#include <string>

namespace text {

inline std::wstring Wide(const std::string& utf8) {
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

inline std::string FromWide(const wchar_t* wide, std::size_t length) {
    return Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(wide), length));
}

inline std::string FromWide(const std::wstring& wide) {
    return FromWide(wide.data(), wide.size());
}

// Text in the system's ANSI code page (what the registry's ANSI functions give), as UTF-8.
inline std::string FromAnsiCodePage(const std::string& bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        length);
    return FromWide(wide);
}

} // namespace text
