#include "manuals/win32/ManualsDlg.h"

#include "framework/win32/Boundary.h"
#include "manuals/ManualsPage.h"
#include "res/resource.h"

CManualsDlg::CManualsDlg(CDialog* pParentWnd, std::string languageName, std::string caption,
                         std::string launcherDir, const DocumentServices& services)
    : CDialog(IDD_MANUALS, pParentWnd), m_strLanguageName(std::move(languageName)),
      m_strCaption(std::move(caption)), m_strLauncherDir(std::move(launcherDir)),
      m_hIcon(LoadAppIcon(IDR_MAINFRAME)), m_wndHtml(services), m_services(services) {}

CManualsDlg* CManualsDlg::s_keysTo = nullptr;

CManualsDlg::~CManualsDlg() {
    if (s_keysTo == this) {
        s_keysTo = nullptr;
    }
}

LRESULT CALLBACK CManualsDlg::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && s_keysTo != nullptr && message != nullptr &&
        Guarded([&] { return s_keysTo->m_wndHtml.TranslateKey(*message); }, false)) {
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CManualsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Window().SetIcons(m_hIcon);
    Window().SetText(m_strCaption);

    m_wndHtml.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, this);
    m_wndHtml.SetDocumentDir(manuals::DocumentDir(m_strLauncherDir, m_strLanguageName));
    const std::string page = manuals::ListPage(m_strLauncherDir, m_strLanguageName);
    if (!manuals::CheckListPage(m_services, m_hWnd, page)) {
        // Closes as soon as the modal loop runs; the opener's page stays.
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        return TRUE;
    }
    m_wndHtml.Navigate(page);
    s_keysTo = this;
    m_keyFilter.reset(
        SetWindowsHookExA(WH_MSGFILTER, &CManualsDlg::KeyFilter, nullptr, GetCurrentThreadId()));
    // The page has the keyboard from the start.
    SetFocus(m_wndHtml.GetSafeHwnd());
    return FALSE;
}

bool CManualsDlg::OnWndMsg(UINT message, WPARAM, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_DESTROY:
        m_keyFilter.reset();
        s_keysTo = nullptr;
        return false;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
        return true;
    default:
        return false;
    }
}

void CManualsDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        Default();
        return;
    }
    PaintMinimisedIcon(m_hIcon);
}
