// The accessibility library, loaded by path, and the strings and ids the page's accessible
// object hands to a reader.

#include "menu/win32/AccessibleReply.h"

#include "framework/win32/WideText.h"

namespace accessible {

void* LibraryFunction(const char* name) {
    static const HMODULE library = [] {
        wchar_t system[MAX_PATH + 1] = {}; // GetSystemDirectoryW's limit
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return HMODULE{nullptr};
        }
        return LoadLibraryW((std::wstring(system, length) + L"\\oleacc.dll").c_str());
    }();
    return library != nullptr ? reinterpret_cast<void*>(GetProcAddress(library, name)) : nullptr;
}

HRESULT GiveString(const std::string& utf8, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    const std::wstring wide = text::Wide(utf8);
    *out = SysAllocStringLen(wide.c_str(), static_cast<UINT>(wide.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetId(VARIANT* out, long id) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = id;
}

} // namespace accessible
