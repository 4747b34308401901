#pragma once
// The application object: decides at start-up whether this process shows the menu, and if so
// runs the main menu page for the time of the menu. It owns the system services that the
// pages use.

#include "framework/win32/WinApp.h"
#include "platform/win32/Win32Platform.h"

#include <string>

class CInstallApp : public CWinApp {
public:
    CInstallApp();
    BOOL InitInstance() override;
    int ExitInstance() override { return m_nExitCode; }
    void ReportException(const std::string& what) override;

    // As the elevated copy that a menu started: registers the driver packages its command line
    // names and sets the exit code. False when the command line asks for no such thing.
    bool RegisterPackagesIfAsked();

    // The start-up decision; TRUE when this process shall show the menu, with
    // m_strLauncherDir set.
    BOOL PrepareInstance();

    // Runs the main page modally, reporting the errors that stop its actions with `texts` (those
    // of the page's language) meanwhile; a page that cannot be shown says so in a message box,
    // in the built-in texts.
    void RunMainPage(CDialog& page, const platform::IStringTable& texts);
    void RunMainPage(CDialog& page) { RunMainPage(page, m_platform.strings); }

    std::string m_strLauncherDir; // the medium's directory, ending in a backslash
    int m_nExitCode = 0;

private:
    platform::Win32Platform m_platform;
    // The texts of the main page's language while it shows, for the reports of errors; before
    // it, and after it, the built-in ones.
    const platform::IStringTable* m_pReportTexts = &m_platform.strings;
};
