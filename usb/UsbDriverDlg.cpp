#include "usb/UsbDriverDlg.h"

#include "res/resource.h"
#include "usb/UsbDriverInstall.h"

#include <utility>

CUsbDriverDlg::CUsbDriverDlg(std::string title, std::string firstCaption, std::string secondCaption,
                             std::string okCaption, std::string cancelCaption,
                             std::string successText, const std::string& /*failureText*/,
                             CDialog* pParentWnd, const platform::IRegistry& registry,
                             platform::IDriverStore& driverStore, platform::IUserInterface& ui,
                             const platform::ISystemErrors& errors)
    : CDialog(IDD_USB_DRIVER, pParentWnd), m_strSuccessText(std::move(successText)),
      m_strCancel(std::move(cancelCaption)), m_strOk(std::move(okCaption)),
      m_strSecondCheckBoxCaption(std::move(secondCaption)),
      m_strFirstCheckBoxCaption(std::move(firstCaption)), m_strTitle(std::move(title)),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_registry(registry), m_driverStore(driverStore), m_ui(ui), m_errors(errors) {}

void CUsbDriverDlg::DoDataExchange() {
    m_checkSecond = GetDlgItem(m_hWnd, IDC_USB_SECOND_CHECK);
    m_checkFirst = GetDlgItem(m_hWnd, IDC_USB_FIRST_CHECK);
}

BOOL CUsbDriverDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowTextA(m_hWnd, m_strTitle.c_str());
    SetWindowTextA(m_checkFirst, m_strFirstCheckBoxCaption.c_str());
    SetWindowTextA(m_checkSecond, m_strSecondCheckBoxCaption.c_str());
    SetDlgItemTextA(m_hWnd, IDOK, m_strOk.c_str());
    SetDlgItemTextA(m_hWnd, IDCANCEL, m_strCancel.c_str());
    m_brush.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    return TRUE;
}

void CUsbDriverDlg::OnOK() {
    const auto firstState = static_cast<int>(SendMessageA(m_checkFirst, BM_GETCHECK, 0, 0));
    const auto secondState = static_cast<int>(SendMessageA(m_checkSecond, BM_GETCHECK, 0, 0));
    const usb::InstallOutcome outcome =
        usb::InstallDriverPackages(firstState, secondState, m_registry, m_driverStore);
    usb::ReportOutcome(outcome, m_ui, m_hWnd, m_strTitle, m_strSuccessText, m_errors);
    // The dialog closes with OK whatever happened.
    CDialog::OnOK();
}

void CUsbDriverDlg::ReportLastError() {
    usb::ShowErrorMessage(m_ui, m_hWnd, m_strTitle, m_errors, m_errors.LastError());
}

bool CUsbDriverDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_PAINT) {
        // The system draws the background and the controls with the colours below.
        const CPaintDC dc(m_hWnd);
        result = 0;
        return true;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

HBRUSH CUsbDriverDlg::OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor) {
    const int id = hWndCtl != nullptr ? GetDlgCtrlID(hWndCtl) : 0;
    switch (nCtlColor) {
    case CTLCOLOR_STATIC: // check boxes ask as static controls
        if (id == IDC_USB_FIRST_CHECK || id == IDC_USB_SECOND_CHECK) {
            SetBkColor(hDC, GetSysColor(COLOR_BTNFACE));
            SetBkMode(hDC, TRANSPARENT);
            return m_brush.get();
        }
        break;
    case CTLCOLOR_BTN:
        if (id == IDOK || id == IDCANCEL) {
            SetTextColor(hDC, GetSysColor(COLOR_BTNTEXT));
            return m_brush.get();
        }
        break;
    case CTLCOLOR_DLG:
        SetBkColor(hDC, GetSysColor(COLOR_BTNFACE));
        return m_brush.get();
    default:
        break;
    }
    return CDialog::OnCtlColor(hDC, hWndCtl, nCtlColor);
}
