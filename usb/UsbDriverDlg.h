#pragma once
// The USB driver dialog: one check box per panel family; OK registers the chosen driver
// packages from the installed product's folder and reports the outcome in a message box.

#include "framework/win32/Dialog.h"
#include "framework/win32/Gdi.h"
#include "platform/DriverStore.h"
#include "platform/Registry.h"
#include "platform/SystemErrors.h"
#include "platform/UserInterface.h"

#include <windows.h>

#include <string>

class CUsbDriverDlg : public CDialog {
public:
    // The failure text is accepted and not shown: a failure is reported with the system's
    // text for its error code instead.
    CUsbDriverDlg(std::string title, std::string firstCaption, std::string secondCaption,
                  std::string okCaption, std::string cancelCaption, std::string successText,
                  const std::string& failureText, CDialog* pParentWnd,
                  const platform::IRegistry& registry, platform::IDriverStore& driverStore,
                  platform::IUserInterface& ui, const platform::ISystemErrors& errors);

    // Shows "<title> failed with error: <system text>" for the thread's last error code.
    void ReportLastError();

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    HBRUSH OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor) override;

    std::string m_strSuccessText;
    std::string m_strCancel;
    std::string m_strOk;
    std::string m_strSecondCheckBoxCaption;
    std::string m_strFirstCheckBoxCaption;
    std::string m_strTitle;
    HWND m_checkSecond = nullptr; // control 1007, RKVB panels
    HWND m_checkFirst = nullptr;  // control 1005, RKVA panels
    CBrush m_brush;               // the button-face colour, behind the dialog and its texts
    HICON m_hIcon;                // shared icon, not destroyed

private:
    const platform::IRegistry& m_registry;
    platform::IDriverStore& m_driverStore;
    platform::IUserInterface& m_ui;
    const platform::ISystemErrors& m_errors;
};
