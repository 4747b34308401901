#include "framework/win32/ComPtr.h"

CBstr::CBstr(const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    m_bstr = SysAllocStringLen(nullptr, static_cast<UINT>(wideLength));
    if (m_bstr != nullptr && wideLength > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, m_bstr, wideLength);
    }
}

std::string ToAnsi(const wchar_t* text, int length) {
    if (text == nullptr || length <= 0) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_ACP, 0, text, length, &ansi[0], size, nullptr, nullptr);
    }
    return ansi;
}
