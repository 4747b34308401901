#pragma once
// Windows as the page code uses them, in two kinds:
// - CWindowRef refers to a window it neither owns nor hears from: a handle with one-line
//   operations; the typed controls (CComboBox, CButton) add the messages of their class.
// - CWnd is the object a window is bound to: every message of the window reaches the object's
//   message map (OnWndMsg), and Default() hands the current message to the window's previous
//   handling. Dialogs (subclassed after creation) and the framework's own window classes (bound
//   at WM_NCCREATE) share it.
// Both speak to windows through the wide-character functions, and the windows bound to a CWnd
// are Unicode windows: texts keep every script, and typed characters arrive as UTF-16 units.

#include "framework/win32/WideText.h"

#include <windows.h>

#include <string>

// Texts are UTF-8 and go to the windows through the wide-character functions.
// A window this object refers to, owns nothing of and hears nothing from.
class CWindowRef {
public:
    CWindowRef(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
    operator HWND() const { return m_hWnd; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(m_hWnd, message, wParam, lParam);
    }
    void SetText(const std::string& utf8) const {
        SetWindowTextW(m_hWnd, text::Wide(utf8).c_str());
    }
    void Enable(bool enable) const { EnableWindow(m_hWnd, enable); }
    void Show(int command) const { ShowWindow(m_hWnd, command); }
    void Move(const RECT& rect) const {
        MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   TRUE);
    }
    // The window's rectangle in the client coordinates of `parent`.
    RECT RectIn(HWND parent) const {
        RECT rect{};
        GetWindowRect(m_hWnd, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    CWindowRef Item(int id) const { return GetDlgItem(m_hWnd, id); }
    // The keyboard cues of the window and its children (WM_CHANGEUISTATE: `action` UIS_SET or
    // UIS_CLEAR of the UISF_ `flags`), and those hidden now (WM_QUERYUISTATE).
    void ChangeUiState(WORD action, WORD flags) const {
        Send(WM_CHANGEUISTATE, MAKEWPARAM(action, flags));
    }
    UINT QueryUiState() const { return static_cast<UINT>(Send(WM_QUERYUISTATE)); }
    // Both icons of a top-level window.
    void SetIcons(HICON icon) const {
        Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }

    HWND m_hWnd;
};

class CComboBox : public CWindowRef {
public:
    using CWindowRef::CWindowRef;
    void ResetContent() const { Send(CB_RESETCONTENT); }
    int AddString(const std::string& utf8) const {
        const std::wstring wide = text::Wide(utf8);
        return static_cast<int>(
            SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
    }
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
};

class CButton : public CWindowRef {
public:
    using CWindowRef::CWindowRef;
    int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
};

// The object a window is bound to: it hears every message of the window.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND GetSafeHwnd() const { return m_hWnd; }

protected:
    // The message map: handles a message and sets `result`, or returns false to leave it to
    // the default handling.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Everything a window of this object receives; by default the message map, then Default().
    virtual LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // The previous handling of the message being handled now.
    LRESULT Default();

    // Binds the existing window `hWnd` to this object by subclassing it.
    void Subclass(HWND hWnd);
    // Registers a window class of the program whose windows bind to the object given as the
    // creation parameter of CreateWindowEx; false when it cannot be registered.
    static bool RegisterBoundClass(const wchar_t* className, HBRUSH background);

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hWnd, WNDPROC previous);

    WNDPROC m_pfnSuper = nullptr;
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{};
};
