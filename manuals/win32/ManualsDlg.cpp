#include "manuals/win32/ManualsDlg.h"

#include "manuals/ManualsPage.h"
#include "res/resource.h"

CManualsDlg::CManualsDlg(CDialog* pParentWnd, std::string languageName, std::string caption,
                         std::string launcherDir, const DocumentServices& services)
    : CDialog(IDD_MANUALS, pParentWnd), m_strLanguageName(std::move(languageName)),
      m_strCaption(std::move(caption)), m_strLauncherDir(std::move(launcherDir)),
      m_hIcon(LoadAppIcon(IDR_MAINFRAME)), m_wndHtml(services), m_services(services) {}

CManualsDlg::~CManualsDlg() = default;

BOOL CManualsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Window().SetIcons(m_hIcon);
    Window().SetText(m_strCaption);

    m_wndHtml.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, this);
    m_wndHtml.SetDocumentDir(manuals::DocumentDir(m_strLauncherDir, m_strLanguageName));
    const std::string page = manuals::ListPage(m_strLauncherDir, m_strLanguageName);
    if (manuals::CheckListPage(m_services, m_hWnd, page)) {
        m_wndHtml.Navigate(page);
    } else {
        // Closes as soon as the modal loop runs; the opener's page stays.
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

bool CManualsDlg::OnWndMsg(UINT message, WPARAM, LPARAM, LRESULT& result) {
    switch (message) {
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
