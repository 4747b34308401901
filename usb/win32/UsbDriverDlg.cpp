#include "usb/win32/UsbDriverDlg.h"

#include "res/resource.h"
#include "usb/ElevatedRegistration.h"
#include "usb/UsbDriverInstall.h"

#include <string>
#include <utility>
#include <vector>

CUsbDriverDlg::CUsbDriverDlg(const UsbDriverTexts& texts, CDialog* pParentWnd,
                             const UsbDriverServices& services)
    : CDialog(IDD_USB_DRIVER, pParentWnd), m_texts(texts), m_hIcon(LoadAppIcon(IDR_MAINFRAME)),
      m_services(services) {}

void CUsbDriverDlg::DoDataExchange() {
    m_checkSecond = CButton(GetDlgItem(IDC_USB_SECOND_CHECK));
    m_checkFirst = CButton(GetDlgItem(IDC_USB_FIRST_CHECK));
}

BOOL CUsbDriverDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Window().SetIcons(m_hIcon);
    Window().SetText(m_texts.title);
    m_checkFirst.SetText(m_texts.firstCaption);
    m_checkSecond.SetText(m_texts.secondCaption);
    GetDlgItem(IDOK).SetText(m_texts.ok);
    GetDlgItem(IDCANCEL).SetText(m_texts.cancel);
    m_brush.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    return TRUE;
}

void CUsbDriverDlg::OnOK() {
    platform::IProcesses& processes = m_services.processes;
    const auto runElevated = [&](const std::vector<std::string>& selectors) {
        return usb::RunHeldElevated(m_services.files, processes, m_hWnd, m_services.launcherDir,
                                    usb::ElevatedCopyParameters(selectors));
    };
    const usb::InstallOutcome outcome = usb::InstallDriverPackages(
        m_checkFirst.GetCheck(), m_checkSecond.GetCheck(), m_services.registry, m_services.drivers,
        processes.ElevationState(), runElevated);
    usb::ReportOutcome(outcome, Reporting(), m_hWnd, m_texts.title, m_texts.success);
    // The dialog closes with OK whatever happened.
    CDialog::OnOK();
}

void CUsbDriverDlg::ReportLastError() {
    usb::ShowErrorMessage(Reporting(), m_hWnd, m_texts.title, GetLastError());
}

usb::Reporting CUsbDriverDlg::Reporting() const {
    return {m_services.ui, m_services.strings, m_services.errors};
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
