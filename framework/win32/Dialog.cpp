#include "framework/win32/Dialog.h"

#include "framework/win32/Boundary.h"

#include "framework/win32/Gdi.h"
#include "framework/win32/WinApp.h"

CDialog::CDialog(UINT nIDTemplate, CDialog* pParentWnd)
    : m_pParentWnd(pParentWnd), m_nIDTemplate(nIDTemplate) {}

HICON CDialog::LoadAppIcon(UINT nID) {
    return LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(nID));
}

HWND CDialog::GetSafeOwner() const {
    if (m_pParentWnd != nullptr && m_pParentWnd->m_hWnd != nullptr) {
        return m_pParentWnd->m_hWnd;
    }
    // Without a parent the dialog is owned by the window last active over the main window.
    const CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this &&
        app->m_pMainWnd->m_hWnd != nullptr) {
        return GetLastActivePopup(app->m_pMainWnd->m_hWnd);
    }
    return nullptr;
}

INT_PTR CDialog::DoModal() {
    return DialogBoxParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), GetSafeOwner(),
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int nResult) {
    if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, nResult);
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        return FALSE; // everything else reaches the object through its bound window
    }
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->Subclass(hWnd);
    return Guarded(
        [&]() -> INT_PTR {
            dialog->DoDataExchange();
            return dialog->OnInitDialog();
        },
        INT_PTR{TRUE});
}

LRESULT CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, result)) {
        return result;
    }
    // Enter, Escape, the close box and the OK and Cancel buttons all arrive as these commands.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam),
                                                    reinterpret_cast<HWND>(lParam),
                                                    message - WM_CTLCOLORMSGBOX));
    }
    return Default();
}

HBRUSH CDialog::OnCtlColor(HDC hDC, HWND, UINT nCtlColor) {
    const CWinApp* app = AfxGetApp();
    const bool dialogColours = nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_MSGBOX ||
                               nCtlColor == CTLCOLOR_STATIC || nCtlColor == CTLCOLOR_BTN;
    if (app == nullptr || app->GetDialogBkBrush() == nullptr || !dialogColours) {
        return reinterpret_cast<HBRUSH>(Default());
    }
    SetBkColor(hDC, app->GetDialogBkColor());
    SetTextColor(hDC, app->GetDialogTextColor());
    return app->GetDialogBkBrush();
}

void CDialog::PaintMinimisedIcon(HICON icon) const {
    CPaintDC dc(m_hWnd);
    Window().Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()));
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.get(), x, y, icon);
}
