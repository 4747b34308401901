#include "app/InstallApp.h"

#include "app/StartupDecision.h"
#include "framework/win32/Dialog.h"
#include "res/resource.h"

BOOL CInstallApp::PrepareInstance()
{
    StartupServices services{m_atoms, m_files, m_processes, m_ui};
    const auto launcherDir = DecideStartup(services);
    if (!launcherDir) {
        return FALSE;
    }
    m_strLauncherDir = *launcherDir;
    return TRUE;
}

BOOL CInstallApp::InitInstance()
{
    if (!PrepareInstance()) {
        return FALSE;
    }
    // The marker stays for exactly as long as this process shows its menu.
    const platform::Atom marker = m_atoms.Add(kInstanceAtomName);
    SetDialogBkColor(RGB(255, 255, 255), RGB(255, 255, 255));

    CDialog mainPage(IDD_INSTALL_DIALOG);
    m_pMainWnd = &mainPage;
    mainPage.DoModal();
    m_pMainWnd = nullptr;

    m_atoms.Delete(marker);
    return FALSE;
}
