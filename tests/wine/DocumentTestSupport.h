#pragma once
// Helpers for the tests of the HTML control and the manuals window: OLE for one test's thread,
// and the document services over the real system.

#include "manuals/DocumentServices.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32StringTable.h"
#include "platform/win32/Win32UserInterface.h"

#include <windows.h>
// After windows.h, which it needs.
#include <ole2.h>

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

} // namespace winetest
