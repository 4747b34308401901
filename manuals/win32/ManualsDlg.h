#pragma once
// The manuals window: the manuals list page of a language, shown in an HTML control whose
// application links open the documents or close the window. A modal tool window over the
// menu page; it closes itself at once when the page is missing.

#include "manuals/DocumentServices.h"
#include "manuals/win32/ManualsHtmlCtrl.h"
#include "framework/win32/Dialog.h"

#include <windows.h>

#include <string>

class CManualsDlg : public CDialog {
public:
    // `languageName` is the display name of the language, which is also the name of its
    // documentation folder; `launcherDir` ends in a backslash. OLE must be initialised.
    CManualsDlg(CDialog* pParentWnd, std::string languageName, std::string caption,
                std::string launcherDir, const DocumentServices& services);
    ~CManualsDlg() override;

protected:
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void OnPaint();
    HCURSOR OnQueryDragIcon() const { return m_hIcon; }

    std::string m_strLanguageName;
    std::string m_strCaption;
    std::string m_strLauncherDir;
    HICON m_hIcon;
    CManualsHtmlCtrl m_wndHtml;

private:
    DocumentServices m_services;
};
