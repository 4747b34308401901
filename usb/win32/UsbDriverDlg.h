#pragma once
// The USB driver dialog: one check box per panel family; OK registers the chosen driver
// packages from the installed product's folder (through an elevated copy of the program where
// the system demands it) and reports the outcome in a message box.

#include "framework/win32/Dialog.h"
#include "framework/win32/Gdi.h"
#include "platform/DriverStore.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/StringTable.h"
#include "platform/ErrorTexts.h"
#include "platform/UserInterface.h"
#include "usb/UsbDriverInstall.h"

#include <windows.h>

#include <string>

// The dialog's texts, from the page's text table. The failure text is not shown: a failure
// is reported with the system's text for its error code instead.
struct UsbDriverTexts {
    std::string title;
    std::string firstCaption;  // RKVA panels
    std::string secondCaption; // RKVB panels
    std::string ok;
    std::string cancel;
    std::string success;
    std::string failure;
};

// The parts of the system the dialog reaches.
struct UsbDriverServices {
    const platform::IRegistry& registry;
    platform::IDriverStore& drivers;
    platform::IProcesses& processes; // this process's rights, and the elevated copy
    platform::IUserInterface& ui;
    const platform::IStringTable& strings;
    const platform::ISystemErrors& errors;
    platform::IFileSystem& files; // holds the disc's program while it runs elevated
    std::string launcherDir;      // the disc's root, where that program lies
};

class CUsbDriverDlg : public CDialog {
public:
    CUsbDriverDlg(const UsbDriverTexts& texts, CDialog* pParentWnd,
                  const UsbDriverServices& services);

    // Shows "<title> failed with error: <system text>" for the thread's last error code.
    void ReportLastError();

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    HBRUSH OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor) override;

    UsbDriverTexts m_texts;
    CButton m_checkSecond; // control 1007, RKVB panels
    CButton m_checkFirst;  // control 1005, RKVA panels
    CBrush m_brush;        // the button-face colour, behind the dialog and its texts
    HICON m_hIcon;         // shared icon, not destroyed

private:
    usb::Reporting Reporting() const;

    UsbDriverServices m_services;
};
