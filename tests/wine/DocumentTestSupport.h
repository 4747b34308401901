#pragma once
// Helpers for the tests of the HTML control and the manuals window: OLE for one test's thread,
// the document services over the real system, and what the tests read of windows and of the
// browser.

#include "framework/win32/WideText.h"
#include "manuals/DocumentServices.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32StringTable.h"
#include "platform/win32/Win32UserInterface.h"

#include <windows.h>
// After windows.h, which it needs.
#include <exdisp.h>
#include <ole2.h>

#include <string>

namespace winetest {

// OLE for the thread of one test.
class OleSession {
public:
    OleSession() : m_result(OleInitialize(nullptr)) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() {
        if (SUCCEEDED(m_result)) {
            OleUninitialize();
        }
    }
    bool Ok() const { return SUCCEEDED(m_result); }

private:
    HRESULT m_result;
};

struct Win32DocumentServices {
    platform::Win32Shell shell;
    platform::Win32UserInterface ui;
    platform::Win32StringTable strings;
    platform::Win32FileSystem files;
    DocumentServices Get() { return {shell, ui, strings, files}; }
};

// A window's rectangle in the client coordinates of `parent`.
inline RECT RectIn(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

inline std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The browser's location, once it shows something.
inline std::string LocationOf(IWebBrowser2* browser) {
    BSTR location = nullptr;
    if (browser == nullptr || FAILED(browser->get_LocationURL(&location)) || location == nullptr) {
        return {};
    }
    std::string text = text::FromWide(location, SysStringLen(location));
    SysFreeString(location);
    return text;
}

} // namespace winetest
