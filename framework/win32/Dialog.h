#pragma once
// Modal dialogs from numbered templates. The dialog window is bound to its object (CWnd), so
// that a derived class sees every message (OnWndMsg, its message map) and can pass the current
// one on to the default handling (Default) at any point of its handler.

#include "framework/win32/Window.h"

#include <windows.h>

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CDialog* pParentWnd = nullptr);

    // Creates the window, runs its modal loop and returns the result given to EndDialog (-1
    // when the window could not be created).
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // The icon `nID` of the program's resources (shared, never destroyed).
    static HICON LoadAppIcon(UINT nID);

protected:
    virtual void DoDataExchange() {}
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // Colours of a control (or the dialog itself, nCtlColor CTLCOLOR_DLG): by default those
    // that the application set for all its dialogs.
    virtual HBRUSH OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor);

    // The dialog window, and its control `nID`.
    CWindowRef Window() const { return m_hWnd; }
    CWindowRef GetDlgItem(int nID) const { return Window().Item(nID); }

    // Paints a minimised dialog: `icon` in the middle of the client area, over the icon
    // background. Called from the WM_PAINT handling while the window is iconic.
    void PaintMinimisedIcon(HICON icon) const;

    CDialog* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND GetSafeOwner() const;

    UINT m_nIDTemplate;
};
