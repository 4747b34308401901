#pragma once
// The application object: one instance per process, created before start-up. The entry point
// hands control to InitInstance; a FALSE result ends the process without a message loop.

#include "framework/win32/Gdi.h"

#include <windows.h>

#include <string>

class CDialog;

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }
    int Run(); // a message loop, for applications whose InitInstance returns TRUE

    // The application's name: the program file's name without its extension. Message boxes
    // shown without a caption of their own carry it.
    const std::string& GetAppName() const { return m_strAppName; }

    // Background and text colour of every dialog of the application.
    void SetDialogBkColor(COLORREF background, COLORREF text);
    HBRUSH GetDialogBkBrush() const { return m_brushDialogBk.get(); }
    COLORREF GetDialogBkColor() const { return m_crDialogBk; }
    COLORREF GetDialogTextColor() const { return m_crDialogText; }

    // Lets the application's windows host OLE controls (the HTML view). OLE stays initialised
    // until the application object goes.
    bool EnableControlContainer();

    // Tells the user of an exception that reached a window procedure or a COM callback, where it
    // was stopped (framework/win32/Boundary.h). By default a message box with its text alone.
    virtual void ReportException(const std::string& what);

    HINSTANCE m_hInstance;
    CDialog* m_pMainWnd = nullptr;

private:
    std::string m_strAppName;
    CBrush m_brushDialogBk;
    COLORREF m_crDialogBk;
    COLORREF m_crDialogText;
    bool m_bOleInitialized = false;
};

// The one application object of the process.
CWinApp* AfxGetApp();
// The module of the program's resources: the application's, or the program file's while there
// is no application object.
HINSTANCE AfxGetInstanceHandle();
