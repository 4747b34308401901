#include "app/win32/InstallApp.h"

#include "app/InstallCommandLineInfo.h"
#include "app/StartupDecision.h"
#include "menu/win32/MenuDlg.h"
#include "res/resource.h"
#include "usb/ElevatedRegistration.h"

CInstallApp::CInstallApp() : m_instance(kInstanceAtomName), m_errors(m_strings) {}

BOOL CInstallApp::PrepareInstance() {
    StartupServices services{m_atoms, m_files,    m_processes,
                             m_ui,    m_instance, CMenuDlg::kMainPageMark};
    const auto launcherDir = DecideStartup(services);
    if (!launcherDir) {
        return FALSE;
    }
    m_strLauncherDir = *launcherDir;
    return TRUE;
}

bool CInstallApp::RegisterPackagesIfAsked() {
    CInstallCommandLineInfo commandLine;
    ParseCommandLine(m_processes.CommandLine(), commandLine);
    if (!commandLine.m_bRegisterPackages) {
        return false;
    }
    m_nExitCode = static_cast<int>(usb::RegisterPackagesAsAdministrator(
        commandLine.m_arguments, m_registry, m_files, m_drivers));
    return true;
}

BOOL CInstallApp::InitInstance() {
    // The elevated copy shows nothing and leaves no mark: it only registers packages.
    if (RegisterPackagesIfAsked()) {
        return FALSE;
    }
    // The manuals window hosts the system's HTML control. Dialogs have the three-dimensional
    // look on every system this program runs on, so nothing is needed for that.
    EnableControlContainer();
    if (!PrepareInstance()) {
        return FALSE;
    }
    // Both marks stay for exactly as long as this process shows its menu: the lock, which the
    // system takes away when the process ends however it ends, tells later starts that a menu
    // runs; the atom is there for other programs that look for it.
    m_instance.Hold();
    const auto marker = m_atoms.Add(kInstanceAtomName);
    // Every dialog of the program has a white background. Its texts stay black, so that
    // dialogs without colours of their own, such as the About box, can be read.
    SetDialogBkColor(RGB(255, 255, 255), RGB(0, 0, 0));

    const MenuPageServices services{m_profile,   m_strings, m_registry, m_locale, m_files,
                                    m_processes, m_shell,   m_ui,       m_errors, m_drivers};
    CMenuDlg mainPage({config::kMainPage, m_strLauncherDir, std::nullopt}, nullptr, services);
    m_pMainWnd = &mainPage;
    RunMainPage(mainPage);

    if (marker) {
        m_atoms.Delete(*marker);
    }
    m_pMainWnd = nullptr;
    return FALSE;
}

void CInstallApp::RunMainPage(CDialog& page) {
    if (page.DoModal() != -1) {
        return;
    }
    const unsigned long error = GetLastError();
    m_ui.ShowMessage(
        nullptr, m_strings.Load(IDS_BUILTIN_MENU_NOT_SHOWN) + "\r\n\r\n" + m_errors.Describe(error),
        m_strings.Load(IDS_BUILTIN_STARTUP_CAPTION), platform::mb::kOk | platform::mb::kIconHand);
}

void CInstallApp::ReportException(const std::string& what) {
    m_ui.ShowMessage(nullptr, m_strings.Load(IDS_BUILTIN_UNEXPECTED_ERROR) + "\r\n\r\n" + what,
                     m_strings.Load(IDS_BUILTIN_STARTUP_CAPTION),
                     platform::mb::kOk | platform::mb::kIconHand);
}
