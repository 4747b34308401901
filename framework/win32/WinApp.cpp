#include "framework/win32/WinApp.h"

#include "framework/win32/Boundary.h"
#include "framework/win32/ModuleInfo.h"
#include "framework/win32/WideText.h"

#include <ole2.h>

#include <utility>

namespace {
CWinApp* g_pApp = nullptr;
} // namespace

CWinApp* AfxGetApp() {
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle() {
    const CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_hInstance : GetModuleHandleW(nullptr);
}

CWinApp::CWinApp()
    : m_hInstance(GetModuleHandleA(nullptr)), m_strAppName(GetModuleBaseName()),
      m_crDialogBk(GetSysColor(COLOR_BTNFACE)), m_crDialogText(GetSysColor(COLOR_WINDOWTEXT)) {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (m_bOleInitialized) {
        OleUninitialize();
    }
    g_pApp = nullptr;
}

int CWinApp::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return ExitInstance();
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text) {
    CBrush brush(CreateSolidBrush(background));
    if (!brush) {
        return;
    }
    m_brushDialogBk = std::move(brush);
    m_crDialogBk = background;
    m_crDialogText = text;
}

bool CWinApp::EnableControlContainer() {
    if (!m_bOleInitialized) {
        m_bOleInitialized = SUCCEEDED(OleInitialize(nullptr));
    }
    return m_bOleInitialized;
}

void CWinApp::ReportException(const std::string& what) {
    MessageBoxW(nullptr, text::Wide(what).c_str(), text::Wide(m_strAppName).c_str(),
                MB_OK | MB_ICONHAND);
}

void ReportException(const char* what) noexcept {
    try {
        if (CWinApp* app = AfxGetApp()) {
            app->ReportException(what);
        } else {
            MessageBoxA(nullptr, what, nullptr, MB_OK | MB_ICONHAND);
        }
    } catch (...) {
        // No memory even for the message: nothing more can be told.
    }
}
