#include "framework/win32/ComPtr.h"

#include "framework/win32/WideText.h"

CBstr::CBstr(const std::string& utf8) {
    const std::wstring wide = text::Wide(utf8);
    m_bstr = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}
