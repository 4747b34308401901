#include "menu/win32/MenuDlg.h"

#include "manuals/win32/ManualsDlg.h"
#include "framework/win32/WinApp.h"
#include "menu/HelpText.h"
#include "menu/PageLayout.h"
#include "menu/win32/AboutDlg.h"
#include "menu/win32/MenuDrawing.h"
#include "res/resource.h"
#include "usb/win32/UsbDriverDlg.h"

#include <string>
#include <vector>

namespace {

constexpr COLORREF kLabelTextColour = RGB(18, 54, 200);

RECT ToRect(const geometry::Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

CMenuDlg::CMenuDlg(std::string pageName, UINT nBitmapID, CMenuDlg* pParentPage,
                   const MenuPageServices& services)
    : CDialog(IDD_INSTALL_DIALOG, pParentPage), CMenuPage(std::move(pageName), services),
      m_hIcon(LoadAppIcon(IDR_MAINFRAME)), m_nBitmapID(nBitmapID), m_pParentPage(pParentPage),
      m_brushLabel(CreateSolidBrush(RGB(255, 255, 255))) {}

CMenuDlg::~CMenuDlg() {
    FreeMenuItems();
    ReleaseMouseCapture();
}

HINSTANCE CMenuDlg::Instance() const {
    const CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_hInstance : GetModuleHandleA(nullptr);
}

void CMenuDlg::DoDataExchange() {
    m_comboLanguage = CComboBox(GetDlgItem(IDC_LANGUAGE_COMBO));
    m_staticLabel = GetDlgItem(IDC_LANGUAGE_LABEL);
    m_fontLabel.emplace(reinterpret_cast<HFONT>(m_staticLabel.Send(WM_GETFONT)));
}

BOOL CMenuDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The background's size, read once: every later layout of the page needs it.
    int width = 0;
    GetBitmapSize(Instance(), m_nBitmapID, width, m_nBackgroundHeight);

    FillLanguageChooser();
    SelectInitialLanguage();

    Window().SetIcons(m_hIcon);

    m_nEntryLeft = layout::EntryColumnLeft(width);
    LayOutWindow(width, m_nBackgroundHeight);

    if (IsLumoPage()) {
        m_staticLabel.Show(SW_HIDE);
        m_comboLanguage.Show(SW_HIDE);
    }
    if (m_pParentPage == nullptr) {
        SetPropW(m_hWnd, text::Wide(kMainPageMark).c_str(), reinterpret_cast<HANDLE>(1));
    }
    return TRUE;
}

void CMenuDlg::LayOutWindow(int backgroundWidth, int backgroundHeight) {
    RECT screen{};
    GetWindowRect(GetDesktopWindow(), &screen);
    const layout::FrameMetrics metrics{GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CXBORDER),
                                       GetSystemMetrics(SM_CYEDGE), GetSystemMetrics(SM_CYBORDER),
                                       GetSystemMetrics(SM_CYCAPTION)};
    Window().Move(
        ToRect(layout::PageWindowRect(backgroundWidth, backgroundHeight, metrics,
                                      {screen.left, screen.top, screen.right, screen.bottom})));
    // Chooser and label keep their heights.
    const RECT chooser = m_comboLanguage.RectIn(m_hWnd);
    m_comboLanguage.Move(ToRect(
        layout::ChooserRect(backgroundWidth, backgroundHeight, chooser.bottom - chooser.top)));
    const RECT label = m_staticLabel.RectIn(m_hWnd);
    m_staticLabel.Move(
        ToRect(layout::LabelRect(backgroundWidth, backgroundHeight, label.bottom - label.top)));
}

bool CMenuDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return true;
    case WM_PAINT:
        OnPaint();
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
        return true;
    case WM_LBUTTONDOWN:
        if (CMenuPage::OnLButtonDown(static_cast<short>(LOWORD(lParam)),
                                     static_cast<short>(HIWORD(lParam)))) {
            result = Default();
        }
        return true;
    case WM_MOUSEMOVE:
        m_bMoving = true;
        CMenuPage::OnMouseMove(static_cast<short>(LOWORD(lParam)),
                               static_cast<short>(HIWORD(lParam)));
        m_bMoving = false;
        m_movingDC.reset();
        result = Default();
        return true;
    case WM_DISPLAYCHANGE:
    case WM_FONTCHANGE:
    case WM_SYSCOLORCHANGE:
        m_faces.Clear(); // the kept faces no longer match the display
        return false;
    case WM_CAPTURECHANGED:
        m_bCapture = reinterpret_cast<HWND>(lParam) == m_hWnd;
        return false;
    case WM_DESTROY:
        RemovePropW(m_hWnd, text::Wide(kMainPageMark).c_str());
        return false;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_LANGUAGE_COMBO && HIWORD(wParam) == CBN_SELENDOK) {
            OnSelendokLanguage();
            return true;
        }
        return false;
    default:
        return false;
    }
}

HBRUSH CMenuDlg::OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor) {
    HBRUSH brush = CDialog::OnCtlColor(hDC, hWndCtl, nCtlColor);
    if (nCtlColor == CTLCOLOR_STATIC) {
        SetTextColor(hDC, kLabelTextColour);
        SetBkMode(hDC, TRANSPARENT);
        return m_brushLabel.get();
    }
    return brush;
}

void CMenuDlg::OnPaint() {
    if (IsIconic(m_hWnd)) {
        PaintMinimisedIcon(m_hIcon);
        return;
    }
    ApplyLanguageLock();
    CPaintDC dc(m_hWnd);
    PaintBackground(dc.get(), Instance(), m_nBitmapID);
    DrawMenu();
    Default();
}

void CMenuDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == kAboutCommand) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

int CMenuDlg::GetLanguagePosition() const {
    return m_comboLanguage.GetCurSel();
}

int CMenuDlg::GetSelectedLanguageIndex() const {
    // With no selection the list answers CB_ERR, which names no language.
    return static_cast<int>(m_comboLanguage.GetItemData(GetLanguagePosition()));
}

void CMenuDlg::SetLabelText(const std::string& text) {
    if (m_fontLabel) {
        const CClientDC dc(m_staticLabel);
        m_staticLabel.Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontLabel->For(dc.get(), text)));
    }
    m_staticLabel.SetText(text);
}

void CMenuDlg::ResetLanguageChooser() {
    m_comboLanguage.ResetContent();
}

void CMenuDlg::AddLanguage(const std::string& name, int languageIndex) {
    m_comboLanguage.SetItemData(m_comboLanguage.AddString(name), languageIndex);
}

void CMenuDlg::SetChooserSelection(int position) {
    m_comboLanguage.SetCurSel(position);
}

void CMenuDlg::SelectChooserEntryStartingWith(const std::string& text) {
    m_comboLanguage.SelectString(0, text);
}

void CMenuDlg::EnableLanguageChooser(bool enable) {
    m_comboLanguage.Enable(enable);
}

std::optional<int> CMenuDlg::GetOpeningPageSelection() const {
    if (m_pParentPage == nullptr) {
        return std::nullopt;
    }
    return m_pParentPage->GetLanguagePosition();
}

int CMenuDlg::GetBackgroundHeight() const {
    return m_nBackgroundHeight;
}

geometry::Rect CMenuDlg::GetClientArea() const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    return {client.left, client.top, client.right, client.bottom};
}

void CMenuDlg::DrawHelpArea(const geometry::Rect& rect, const std::string& help) {
    if (m_nEntryLeft == layout::kNotLaidOut) {
        return; // not laid out yet: the page is drawn once it shows
    }
    const HelpTextLayout layout = ComposeHelpText(help, m_texts.m_strNoneSelectText);
    const std::string key = "help|" + std::to_string(layout.topOffset) + '|' + layout.text;
    ShowFace(key, rect, [&](HDC target) {
        ::DrawHelpArea(target, Instance(), rect, layout.text, rect.top + layout.topOffset,
                       m_fontHelp.For(target, layout.text));
    });
}

void CMenuDlg::DrawEntry(const geometry::Rect& rect, const std::string& text, bool hot) {
    if (rect.Width() <= 0) {
        return; // not laid out yet
    }
    const std::string key = std::string(hot ? "hot|" : "entry|") + text;
    ShowFace(key, rect, [&](HDC target) {
        ::DrawEntry(target, Instance(), rect, text, hot, m_fontEntry.For(target, text));
    });
}

void CMenuDlg::ShowFace(const std::string& key, const geometry::Rect& rect,
                        const CPageFaces::Painter& paint) {
    if (m_bMoving) {
        if (!m_movingDC) {
            m_movingDC.emplace(m_hWnd);
        }
        m_faces.Show(m_movingDC->get(), key, rect, paint);
        return;
    }
    const CClientDC dc(m_hWnd);
    m_faces.Show(dc.get(), key, rect, paint);
}

void CMenuDlg::RepaintArea(const geometry::Rect& rect) {
    const RECT area = ToRect(rect);
    InvalidateRect(m_hWnd, &area, TRUE);
}

void CMenuDlg::ReleaseMouseCapture() {
    if (m_bCapture) {
        ReleaseCapture();
        m_bCapture = false;
    }
}

void CMenuDlg::TakeMouseCapture() {
    SetCapture(m_hWnd);
    m_bCapture = GetCapture() == m_hWnd;
}

void CMenuDlg::RunSubPage(const std::string& pageName) {
    // The page named so shows over its own background and takes over this page's language.
    const bool lumo = pageName == kLumoPageName;
    CMenuDlg page(pageName, lumo ? IDB_BACKGROUND_LUMO : IDB_BACKGROUND, lumo ? this : nullptr,
                  m_services);
    page.m_strLauncherDir = m_strLauncherDir;
    page.DoModal();
}

void CMenuDlg::OpenManualsWindow(const std::string& languageName) {
    const DocumentServices documents{m_services.shell, m_services.ui, m_services.strings,
                                     m_services.files};
    CManualsDlg dialog(this, languageName, m_texts.m_strCaption, GetLauncherDir(), documents);
    dialog.DoModal();
}

void CMenuDlg::OpenUsbDriverDialog() {
    const UsbDriverTexts texts{m_texts.m_strUsbTitle,
                               m_texts.m_strFirstCheckBoxCaption,
                               m_texts.m_strSecondCheckBoxCaption,
                               m_texts.m_strOk,
                               m_texts.m_strCancel,
                               m_texts.m_strFileCopySuccess,
                               m_texts.m_strFileCopyFail};
    CUsbDriverDlg dialog(
        texts, this, {m_services.registry, m_services.drivers, m_services.ui, m_services.errors});
    dialog.DoModal();
}
