#include "platform/win32/Win32StringTable.h"

#include "framework/win32/WideText.h"

#include <windows.h>

#include <vector>

namespace platform {

std::string Win32StringTable::Load(unsigned id) const {
    // A string table entry holds at most 65535 characters; grow until the text fits.
    HINSTANCE module = GetModuleHandleA(nullptr);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const int length = LoadStringW(module, id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) + 1 < buffer.size() || buffer.size() > 65536) {
            return text::FromWide(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace platform
