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
    ReadScreenReader();
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
    // The entry column comes first in the keyboard order, so that every page starts with the
    // focus on its entries (the arrows walk them) and Tab reaches the chooser.
    m_column.Create(m_hWnd, HWND_TOP, layout::EntryColumnLeft(m_surface.BackgroundWidth()),
                    layout::kEntryTop);
    m_column.TakeAccessKeysOf(m_comboLanguage);
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

void CMenuDlg::OnDpiChanged(int dpi, const RECT& suggested) {
    const layout::Scale scale = layout::ScaleForDpi(dpi);
    // The page was laid out for the old resolution so far.
    m_surface.RescaleLabelFont(m_page.Scale().dpi, dpi);
    m_surface.UseScale(scale);
    LayOutWindow(suggested, scale);
    SetLabelText(m_strLabelText);
    InvalidateRect(m_hWnd, nullptr, TRUE);
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
        if (m_pointer.OnLButtonDown(static_cast<short>(LOWORD(lParam)),
                                    static_cast<short>(HIWORD(lParam)))) {
            result = Default();
        }
        return true;
    case WM_MOUSEMOVE:
        // Handled here alone: the default handling of a move does nothing, and a hover should
        // cost no more than its copies.
        m_pointer.OnMouseMove(static_cast<short>(LOWORD(lParam)),
                              static_cast<short>(HIWORD(lParam)));
        result = 0;
        return true;
    case WM_MOUSELEAVE:
        m_pointer.OnMouseLeave();
        return true;
    case WM_ACTIVATE:
        m_bActivating = true;
        result = Default();
        m_bActivating = false;
        // A page that becomes active again (a sub-page or message box closed over it) has seen
        // no move of the pointer since; it looks where the pointer is now.
        if (LOWORD(wParam) != WA_INACTIVE) {
            m_pointer.HitTestPointer();
        }
        return true;
    case WM_UPDATEUISTATE:
        result = Default();
        // Windows clears the flags when the user works with the keyboard; before the page is
        // shown they are only being set up.
        if (LOWORD(wParam) == UIS_CLEAR && IsWindowVisible(m_hWnd)) {
            m_bKeyboardUsed = true;
        }
        ReadUiState();
        return true;
    case WM_GETOBJECT:
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
            if (!m_accessible) {
                m_accessible = CComPtr<CPageAccessible>(new CPageAccessible(m_hWnd, *this));
            }
            // A failure (a negative result) leaves the question to the system's default.
            result = m_accessible->Answer(wParam);
            return result > 0;
        }
        return false;
    case kPressEntry:
        CarryOut(static_cast<int>(wParam));
        return true;
    case kDpiChangedMessage:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        result = 0;
        return true;
    case WM_SYSCOLORCHANGE:
        // A high-contrast theme switched on or off, or its colours changed.
        m_surface.ReadColours();
        m_surface.ForgetFaces();
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return false;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETSCREENREADER) {
            ReadScreenReader();
        }
        return false;
    case WM_DISPLAYCHANGE:
    case WM_FONTCHANGE:
        m_surface.ForgetFaces(); // the kept faces no longer match the display
        return false;
    case WM_CAPTURECHANGED:
        m_pointer.OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return false;
    case WM_DESTROY:
        RemovePropW(m_hWnd, text::Wide(kMainPageMark).c_str());
        if (m_accessible) {
            m_accessible->Disconnect();
        }
        return false;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_LANGUAGE_COMBO && HIWORD(wParam) == CBN_SELENDOK) {
            m_page.OnSelendokLanguage(m_comboLanguage.GetCurSel());
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
        return m_surface.ColourLabel(hDC);
    }
    return brush;
}

void CMenuDlg::OnPaint() {
    if (IsIconic(m_hWnd)) {
        PaintMinimisedIcon(m_hIcon);
        return;
    }
    CPaintDC dc(m_hWnd);
    m_surface.PaintBackground(dc.get());
    m_page.OnPaint();
    Default();
}

void CMenuDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == kAboutCommand) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    // Alt and a letter, wherever the focus is: the entry with that access key.
    if ((nID & 0xFFF0) == SC_KEYMENU && lParam > ' ') {
        KeyboardUsed();
        if (m_page.OnAccessKey(accesskeys::Fold(static_cast<char32_t>(lParam)))) {
            return;
        }
    }
    Default();
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

// --- Keyboard and assistive technology ---------------------------------------------------------

void CMenuDlg::KeyboardUsed() {
    if (!m_bKeyboardUsed) {
        m_bKeyboardUsed = true;
        Window().ChangeUiState(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL);
        ReadUiState();
    }
}

void CMenuDlg::ReadUiState() {
    const UINT hidden = Window().QueryUiState();
    m_page.OnUiState(m_bKeyboardUsed && (hidden & UISF_HIDEFOCUS) == 0,
                     m_bKeyboardUsed && (hidden & UISF_HIDEACCEL) == 0);
}

void CMenuDlg::OnColumnFocus(bool focused) {
    // Only the keyboard brings the focus to the column once the page is up, apart from the
    // window restoring it as it is activated.
    if (focused && !m_bActivating && IsWindowVisible(m_hWnd)) {
        KeyboardUsed();
    }
    m_page.OnColumnFocus(focused);
}

void CMenuDlg::OnColumnKey(UINT virtualKey) {
    KeyboardUsed();
    switch (virtualKey) {
    case VK_UP:
        m_page.OnKey(entries::Key::kUp);
        break;
    case VK_DOWN:
        m_page.OnKey(entries::Key::kDown);
        break;
    case VK_HOME:
        m_page.OnKey(entries::Key::kHome);
        break;
    case VK_END:
        m_page.OnKey(entries::Key::kEnd);
        break;
    default: // Enter and Space
        // A window the entry opens must get the pointer.
        m_pointer.ReleaseMouseCapture();
        m_page.CarryOutCurrent();
        break;
    }
}

bool CMenuDlg::OnColumnCharacter(char32_t character) {
    KeyboardUsed();
    return m_page.OnAccessKey(accesskeys::Fold(character));
}

void CMenuDlg::CarryOut(int index) {
    // A window the entry opens must get the pointer.
    m_pointer.ReleaseMouseCapture();
    m_page.CarryOut(index);
}

void CMenuDlg::AnnounceFocus(int index) {
    // The focus follows the pointer too while the column has it; that is told only where it
    // can matter, so that a move costs no call into the system for nobody.
    if (!m_bKeyboardUsed && !ScreenReaderListens()) {
        return;
    }
    NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, CPageAccessible::ChildId(index));
}

bool CMenuDlg::ScreenReaderListens() const {
    return m_accessible || m_bScreenReader;
}

void CMenuDlg::ReadScreenReader() {
    BOOL running = FALSE;
    m_bScreenReader =
        SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) != FALSE && running != FALSE;
}

HWND CMenuDlg::Chooser() const {
    return m_page.Style().takesOverLanguage ? nullptr : m_comboLanguage.m_hWnd;
}

std::string CMenuDlg::EntryAction() const {
    return m_page.Strings().Load(IDS_BUILTIN_PRESS);
}

std::string CMenuDlg::ChooserName() const {
    const int length = GetWindowTextLengthW(m_staticLabel);
    std::wstring label(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(m_staticLabel, label.data(), length + 1);
    return accesskeys::PlainText(text::FromWide(label.data(), static_cast<std::size_t>(copied)));
}

void CMenuDlg::PressEntry(int index) {
    PostMessageA(m_hWnd, kPressEntry, static_cast<WPARAM>(index), 0);
}
