#include "platform/win32/Win32SystemErrors.h"

#include "framework/text/StringUtil.h"
#include "framework/win32/WideText.h"
#include "res/resource.h"

#include <windows.h>

namespace platform {

namespace {

// A buffer that FormatMessage allocated, freed when it goes out of scope.
class LocalBuffer {
public:
    LocalBuffer() = default;
    LocalBuffer(const LocalBuffer&) = delete;
    LocalBuffer& operator=(const LocalBuffer&) = delete;
    ~LocalBuffer() {
        if (m_text != nullptr) {
            LocalFree(m_text);
        }
    }
    wchar_t** receive() { return &m_text; }
    const wchar_t* get() const { return m_text; }

private:
    wchar_t* m_text = nullptr;
};

} // namespace

std::string Win32SystemErrors::Describe(unsigned long code, const IStringTable& strings) const {
    LocalBuffer text;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(text.receive()), 0, nullptr);
    if (length == 0 || text.get() == nullptr) {
        return text::FillIn(strings.Load(IDS_BUILTIN_ERROR_CODE), {std::to_string(code)});
    }
    return text::FromWide(text.get(), length);
}

} // namespace platform
