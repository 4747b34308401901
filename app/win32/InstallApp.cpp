#include "app/win32/InstallApp.h"

#include "app/InstallCommandLineInfo.h"
#include "app/StartupDecision.h"
#include "menu/win32/MenuDlg.h"
#include "res/resource.h"
#include "res/win32/BrandResource.h"
#include "usb/ElevatedRegistration.h"

CInstallApp::CInstallApp() : m_platform(GetAppName(), kInstanceAtomName) {}

BOOL CInstallApp::PrepareInstance() {
    StartupServices services{m_platform.atoms, m_platform.files,    m_platform.processes,
                             m_platform.ui,    m_platform.instance, CMenuDlg::kMainPageMark};
    const auto launcherDir = DecideStartup(services);
    if (!launcherDir) {
        return FALSE;
    }
    m_strLauncherDir = *launcherDir;
    return TRUE;
}

bool CInstallApp::RegisterPackagesIfAsked() {
    CInstallCommandLineInfo commandLine;
    ParseCommandLine(m_platform.processes.CommandLine(), commandLine);
    if (!commandLine.m_bRegisterPackages) {
        return false;
    }
    m_nExitCode = static_cast<int>(usb::RegisterPackagesAsAdministrator(
        commandLine.m_arguments, m_platform.registry, m_platform.files, m_platform.drivers));
    return true;
}

BOOL CInstallApp::InitInstance() {
    // The brand first: the elevated copy too reads the product's keys by it.
    product::UseBrandOf(AfxGetInstanceHandle());
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
    m_platform.instance.Hold();
    const auto marker = m_platform.atoms.Add(kInstanceAtomName);
    // Every dialog of the program has a white background. Its texts stay black, so that
    // dialogs without colours of their own, such as the About box, can be read.
    SetDialogBkColor(RGB(255, 255, 255), RGB(0, 0, 0));

    CMenuDlg mainPage({config::kMainPage, m_strLauncherDir, std::nullopt}, nullptr,
                      m_platform.Menu());
    m_pMainWnd = &mainPage;
    RunMainPage(mainPage, mainPage.Page().Strings());

    if (marker) {
        m_platform.atoms.Delete(*marker);
    }
    m_pMainWnd = nullptr;
    return FALSE;
}

void CInstallApp::RunMainPage(CDialog& page, const platform::IStringTable& texts) {
    decltype(page.DoModal()) result = 0;
    {
        // Errors are reported in the page's language while it shows, however the page ends.
        struct ReportTexts {
            const platform::IStringTable*& current;
            const platform::IStringTable* const before;
            ~ReportTexts() { current = before; }
        } reportTexts{m_pReportTexts, m_pReportTexts};
        m_pReportTexts = &texts;
        result = page.DoModal();
    }
    if (result != -1) {
        return;
    }
    const unsigned long error = GetLastError();
    m_platform.ui.ShowMessage(nullptr,
                              m_platform.strings.Load(IDS_BUILTIN_MENU_NOT_SHOWN) + "\r\n\r\n" +
                                  m_platform.errors.Describe(error),
                              m_platform.strings.Load(IDS_BUILTIN_STARTUP_CAPTION),
                              platform::mb::kOk | platform::mb::kIconHand);
}

void CInstallApp::ReportException(const std::string& what) {
    m_platform.ui.ShowMessage(nullptr,
                              m_pReportTexts->Load(IDS_BUILTIN_UNEXPECTED_ERROR) + "\r\n\r\n" + what,
                              m_pReportTexts->Load(IDS_BUILTIN_STARTUP_CAPTION),
                              platform::mb::kOk | platform::mb::kIconHand);
}
