#include "menu/win32/MenuDlg.h"

#include "framework/win32/Dpi.h"
#include "framework/win32/WinApp.h"
#include "manuals/win32/ManualsDlg.h"
#include "menu/AccessKeys.h"
#include "menu/HelpText.h"
#include "menu/PageLayout.h"
#include "menu/win32/AboutDlg.h"
#include "res/resource.h"
#include "usb/win32/UsbDriverDlg.h"

#include <string>
#include <vector>

namespace {

RECT ToRect(const geometry::Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

CMenuDlg::CMenuDlg(PageContext context, CDialog* pParentWnd, const MenuPageServices& services)
    : CDialog(IDD_INSTALL_DIALOG, pParentWnd), m_hIcon(LoadAppIcon(IDR_MAINFRAME)),
      m_page(std::move(context), services, *this),
      m_surface(*this, AfxGetInstanceHandle(),
                m_page.Style().ownBackground ? IDB_BACKGROUND_LUMO : IDB_BACKGROUND,
                m_page.Scale()) {}

void CMenuDlg::DoDataExchange() {
    m_comboLanguage = CComboBox(GetDlgItem(IDC_LANGUAGE_COMBO));
    m_staticLabel = GetDlgItem(IDC_LANGUAGE_LABEL);
    m_surface.TakeLabelFont(reinterpret_cast<HFONT>(m_staticLabel.Send(WM_GETFONT)));
}

BOOL CMenuDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_surface.ReadBackgroundSize();
    m_page.OnInitDialog(m_hWnd);
    Window().SetIcons(m_hIcon);
    m_surface.ReadColours();
    m_readers.ReadScreenReader();
    const layout::Scale scale = layout::ScaleForDpi(WindowDpi(m_hWnd));
    m_surface.UseScale(scale);
    LayOutWindow(std::nullopt, scale);
    if (m_page.Style().takesOverLanguage) {
        m_staticLabel.Show(SW_HIDE);
        m_comboLanguage.Show(SW_HIDE);
    }
    if (m_pParentWnd == nullptr) {
        SetPropW(m_hWnd, text::Wide(kMainPageMark).c_str(), reinterpret_cast<HANDLE>(1));
    }
    m_keyboard.CreateColumn(layout::EntryColumnLeft(m_surface.BackgroundWidth()), layout::kEntryTop,
                            m_comboLanguage);
    return TRUE;
}

void CMenuDlg::LayOutWindow(const std::optional<RECT>& suggested, const layout::Scale& scale) {
    const int backgroundWidth = m_surface.BackgroundWidth();
    const int backgroundHeight = m_surface.BackgroundHeight();
    if (suggested) {
        // The system's rectangle for the new resolution keeps the window where the user put it.
        Window().Move(*suggested);
    } else {
        RECT screen{};
        GetWindowRect(GetDesktopWindow(), &screen);
        const int dpi = scale.dpi;
        const layout::FrameMetrics metrics{
            SystemMetricForDpi(SM_CXEDGE, dpi), SystemMetricForDpi(SM_CXBORDER, dpi),
            SystemMetricForDpi(SM_CYEDGE, dpi), SystemMetricForDpi(SM_CYBORDER, dpi),
            SystemMetricForDpi(SM_CYCAPTION, dpi)};
        Window().Move(ToRect(
            layout::PageWindowRect(backgroundWidth, backgroundHeight, metrics,
                                   {screen.left, screen.top, screen.right, screen.bottom}, scale)));
    }
    // Chooser and label keep their heights.
    const RECT chooser = m_comboLanguage.RectIn(m_hWnd);
    m_comboLanguage.Move(ToRect(layout::ChooserRect(backgroundWidth, backgroundHeight,
                                                    chooser.bottom - chooser.top, scale)));
    const RECT label = m_staticLabel.RectIn(m_hWnd);
    m_staticLabel.Move(ToRect(
        layout::LabelRect(backgroundWidth, backgroundHeight, label.bottom - label.top, scale)));
    RECT client{};
    GetClientRect(m_hWnd, &client);
    m_page.LayOut(backgroundWidth, backgroundHeight,
                  {client.left, client.top, client.right, client.bottom}, scale);
}

bool CMenuDlg::OnDpiChanged(int dpi, const RECT& suggested, LRESULT& result) {
    const layout::Scale scale = layout::ScaleForDpi(dpi);
    // The page was laid out for the old resolution so far.
    m_surface.RescaleLabelFont(m_page.Scale().dpi, dpi);
    m_surface.UseScale(scale);
    LayOutWindow(suggested, scale);
    SetLabelText(m_strLabelText);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    result = 0;
    return true;
}

bool CMenuDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam), lParam);
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        return OnQueryDragIcon(result);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)),
                             result);
    case WM_MOUSEMOVE:
        return OnMouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)),
                           result);
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    case WM_ACTIVATE:
        return OnActivate(LOWORD(wParam), result);
    case WM_UPDATEUISTATE:
        return OnUpdateUiState(LOWORD(wParam), result);
    case WM_GETOBJECT:
        return m_readers.OnGetObject(wParam, lParam, result);
    case kPressEntry:
        return OnPressEntry(static_cast<int>(wParam));
    case kDpiChangedMessage:
        return OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam), result);
    case WM_SYSCOLORCHANGE:
        return OnSysColorChange();
    case WM_SETTINGCHANGE:
        return OnSettingChange(wParam);
    case WM_DISPLAYCHANGE:
    case WM_FONTCHANGE:
        return OnDisplayChange();
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
        return OnDestroy();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam));
    default:
        return false;
    }
}

bool CMenuDlg::OnLButtonDown(int x, int y, LRESULT& result) {
    if (m_pointer.OnLButtonDown(x, y)) {
        result = Default();
    }
    return true;
}

bool CMenuDlg::OnMouseMove(int x, int y, LRESULT& result) {
    // Handled here alone: the default handling of a move does nothing, and a hover should
    // cost no more than its copies.
    m_pointer.OnMouseMove(x, y);
    result = 0;
    return true;
}

bool CMenuDlg::OnMouseLeave() {
    m_pointer.OnMouseLeave();
    return true;
}

bool CMenuDlg::OnCaptureChanged(HWND to) {
    m_pointer.OnCaptureChanged(to);
    return false;
}

bool CMenuDlg::OnActivate(WORD state, LRESULT& result) {
    m_keyboard.SetActivating(true);
    result = Default();
    m_keyboard.SetActivating(false);
    // A page that becomes active again (a sub-page or message box closed over it) has seen
    // no move of the pointer since; it looks where the pointer is now.
    if (state != WA_INACTIVE) {
        m_pointer.HitTestPointer();
    }
    return true;
}

bool CMenuDlg::OnUpdateUiState(WORD action, LRESULT& result) {
    result = Default();
    m_keyboard.OnUiStateUpdated(action);
    return true;
}

bool CMenuDlg::OnPressEntry(int index) {
    // A window the entry opens must get the pointer.
    m_pointer.ReleaseMouseCapture();
    m_page.CarryOut(index);
    return true;
}

bool CMenuDlg::OnSysColorChange() {
    // A high-contrast theme switched on or off, or its colours changed.
    m_surface.ReadColours();
    m_surface.ForgetFaces();
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return false;
}

bool CMenuDlg::OnSettingChange(WPARAM setting) {
    if (setting == SPI_SETSCREENREADER) {
        m_readers.ReadScreenReader();
    }
    return false;
}

bool CMenuDlg::OnDisplayChange() {
    m_surface.ForgetFaces(); // the kept faces no longer match the display
    return false;
}

bool CMenuDlg::OnDestroy() {
    RemovePropW(m_hWnd, text::Wide(kMainPageMark).c_str());
    m_readers.OnDestroy();
    return false;
}

bool CMenuDlg::OnCommand(WORD id, WORD notification) {
    if (id == IDC_LANGUAGE_COMBO && notification == CBN_SELENDOK) {
        m_page.OnSelendokLanguage(m_comboLanguage.GetCurSel());
        return true;
    }
    return false;
}

HBRUSH CMenuDlg::OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor) {
    HBRUSH brush = CDialog::OnCtlColor(hDC, hWndCtl, nCtlColor);
    if (nCtlColor == CTLCOLOR_STATIC) {
        return m_surface.ColourLabel(hDC);
    }
    return brush;
}

bool CMenuDlg::OnPaint() {
    if (IsIconic(m_hWnd)) {
        PaintMinimisedIcon(m_hIcon);
        return true;
    }
    CPaintDC dc(m_hWnd);
    m_surface.PaintBackground(dc.get());
    m_page.OnPaint();
    Default();
    return true;
}

bool CMenuDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == kAboutCommand) {
        CAboutDlg about;
        about.DoModal();
        return true;
    }
    // Alt and a letter, wherever the focus is: the entry with that access key.
    if ((nID & 0xFFF0) == SC_KEYMENU && lParam > ' ' &&
        m_keyboard.OnAccessKey(static_cast<char32_t>(lParam))) {
        return true;
    }
    Default();
    return true;
}

void CMenuDlg::ShowLanguages(const std::vector<std::string>& names) {
    m_comboLanguage.ResetContent();
    for (const std::string& name : names) {
        m_comboLanguage.AddString(name);
    }
}

void CMenuDlg::SelectLanguage(int position) {
    m_comboLanguage.SetCurSel(position);
}

void CMenuDlg::EnableLanguageChooser(bool enable) {
    m_comboLanguage.Enable(enable);
}

void CMenuDlg::SetLabelText(const std::string& text) {
    m_strLabelText = text;
    m_surface.SetLabelFont(m_staticLabel, text);
    m_staticLabel.SetText(text);
}

void CMenuDlg::DrawHelpArea(const geometry::Rect& rect, const HelpTextLayout& help) {
    m_surface.DrawHelpArea(m_pointer.SharedDC(), rect, help);
}

void CMenuDlg::DrawEntry(const geometry::Rect& rect, const std::string& text, bool hot,
                         bool focused, bool accessKeys) {
    m_surface.DrawEntry(m_pointer.SharedDC(), rect, text, hot, focused, accessKeys);
}

void CMenuDlg::RepaintArea(const geometry::Rect& rect) {
    const RECT area = ToRect(rect);
    InvalidateRect(m_hWnd, &area, TRUE);
}

void CMenuDlg::RunSubPage(const std::string& pageName, int languageIndex,
                          const std::string& launcherDir) {
    CMenuDlg page({pageName, launcherDir, languageIndex}, this, m_page.Services());
    page.DoModal();
}

void CMenuDlg::OpenManualsWindow(const std::string& languageName, const std::string& caption,
                                 const std::string& launcherDir) {
    const MenuPageServices& services = m_page.Services();
    const DocumentServices documents{services.shell, services.ui, m_page.Strings(), services.files};
    CManualsDlg dialog(this, languageName, caption, launcherDir, documents);
    dialog.DoModal();
}

void CMenuDlg::OpenUsbDriverDialog(const CTextTable& texts, const std::string& launcherDir) {
    const MenuPageServices& services = m_page.Services();
    const UsbDriverTexts usbTexts{texts.m_strUsbTitle,
                                  texts.m_strFirstCheckBoxCaption,
                                  texts.m_strSecondCheckBoxCaption,
                                  texts.m_strOk,
                                  texts.m_strCancel,
                                  texts.m_strFileCopySuccess,
                                  texts.m_strFileCopyFail};
    CUsbDriverDlg dialog(usbTexts, this,
                         {services.registry, services.drivers, services.processes, services.ui,
                          m_page.Strings(), services.errors, services.files, launcherDir});
    dialog.DoModal();
}

void CMenuDlg::AnnounceFocus(int index) {
    m_readers.AnnounceFocus(index, m_keyboard.Used());
}
