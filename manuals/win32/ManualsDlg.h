#pragma once
// The manuals window: the manuals list page of a language, shown in an HTML control whose
// application links open the documents or close the window. A modal tool window over the
// menu page; it closes itself at once when the page is missing.

#include "framework/win32/Dialog.h"
#include "manuals/DocumentServices.h"
#include "manuals/win32/ManualsHtmlCtrl.h"

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

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
    // While the window is up, key messages for the page reach the browser before the dialog's
    // own keyboard handling, which would take Tab for itself.
    static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);
    static CManualsDlg* s_keysTo; // the manuals window up now (there is one at a time)

    DocumentServices m_services;
    struct HookDeleter {
        void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
    };
    std::unique_ptr<std::remove_pointer_t<HHOOK>, HookDeleter> m_keyFilter;
};
