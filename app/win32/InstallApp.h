#pragma once
// The application object: decides at start-up whether this process shows the menu, and if so
// runs the main menu page for the time of the menu. It owns the system services that the
// pages use.

#include "framework/win32/WinApp.h"
#include "platform/portable/ProfileReader.h"
#include "platform/win32/Win32AtomTable.h"
#include "platform/win32/Win32DriverStore.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32InstanceLock.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32StringTable.h"
#include "platform/win32/Win32SystemErrors.h"
#include "platform/win32/Win32UserInterface.h"

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
    void RunMainPage(CDialog& page) { RunMainPage(page, m_strings); }

    std::string m_strLauncherDir; // the medium's directory, ending in a backslash
    int m_nExitCode = 0;

private:
    platform::Win32AtomTable m_atoms;
    platform::Win32InstanceLock m_instance;
    platform::Win32FileSystem m_files;
    platform::Win32Processes m_processes;
    platform::Win32UserInterface m_ui;
    platform::ProfileReader m_profile;
    platform::Win32StringTable m_strings;
    platform::Win32Registry m_registry;
    platform::Win32Locale m_locale;
    platform::Win32Shell m_shell;
    platform::Win32SystemErrors m_errors;
    platform::Win32DriverStore m_drivers;
    // The texts of the main page's language while it shows, for the reports of errors; before
    // it, and after it, the built-in ones.
    const platform::IStringTable* m_pReportTexts = &m_strings;
};
