#pragma once
// Modal dialogs from numbered templates. The dialog window is subclassed so that a derived
// class sees every message (OnWndMsg, its message map) and can pass the current one on to the
// default handling (Default) at any point of its handler.

#include <windows.h>

class CDialog {
public:
    explicit CDialog(UINT nIDTemplate, CDialog* pParentWnd = nullptr);
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    virtual ~CDialog();

    // Creates the window, runs its modal loop and returns the result given to EndDialog (-1
    // when the window could not be created).
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    HWND GetSafeHwnd() const { return m_hWnd; }
    UINT GetTemplateId() const { return m_nIDTemplate; }

protected:
    virtual void DoDataExchange() {}
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // The derived class's message map: handles a message and sets `result`, or returns false
    // to leave it to the default handling.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Colours of a control (or the dialog itself, nCtlColor CTLCOLOR_DLG): by default those
    // that the application set for all its dialogs.
    virtual HBRUSH OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor);

    // The default handling of the message being handled now.
    LRESULT Default();

    // Paints a minimised dialog: `icon` in the middle of the client area, over the icon
    // background. Called from the WM_PAINT handling while the window is iconic.
    void PaintMinimisedIcon(HICON icon) const;

    HWND m_hWnd = nullptr;
    CDialog* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    HWND GetSafeOwner() const;

    UINT m_nIDTemplate;
    WNDPROC m_pfnSuper = nullptr;
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{};
};
