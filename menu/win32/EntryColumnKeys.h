#pragma once
// The entry column's place in the dialog's keyboard order. The entries are drawn, not
// controls: a window of no size stands in for the column, first in the tab order, before the
// language chooser, so that Tab and Shift+Tab reach it as they reach a control. It takes no
// pointer input and draws nothing; it tells its listener what the keyboard does while it has
// the focus. It is a Unicode window, so that typed characters arrive as the user's letters in
// any script.

#include "framework/win32/Window.h"

#include <windows.h>

class IEntryColumnKeys {
public:
    virtual ~IEntryColumnKeys() = default;
    virtual void OnColumnFocus(bool focused) = 0;
    // A key the column handles (arrows, Home, End, Enter, Space), as a virtual-key code.
    virtual void OnColumnKey(UINT virtualKey) = 0;
    // A character typed in the column, with or without Alt, or with Alt in the control whose
    // access keys come here too; false when no entry has it as access key.
    virtual bool OnColumnCharacter(char32_t character) = 0;
};

class CEntryColumnKeys : private CWnd {
public:
    explicit CEntryColumnKeys(IEntryColumnKeys& listener) : m_listener(listener) {}

    // Makes the window at (x, y) of `dialog`, right after `before` in the keyboard order
    // (HWND_TOP: first of all).
    bool Create(HWND dialog, HWND before, int x, int y);
    // Hands Alt and a letter typed in `control` (another control of the dialog) to the
    // listener too: access keys work wherever the focus is.
    void TakeAccessKeysOf(HWND control);
    HWND Handle() const { return m_hWnd; }

private:
    // The control whose access keys come to the column too, bound by subclassing it.
    class CAccessKeySource : public CWnd {
    public:
        explicit CAccessKeySource(CEntryColumnKeys& column) : m_column(column) {}
        void Take(HWND control) { Subclass(control); }

    private:
        bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
        CEntryColumnKeys& m_column;
    };

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The character of a WM_CHAR or WM_SYSCHAR, once complete (0 while half of it came).
    char32_t Character(WPARAM wParam);
    // Hands a typed character to the listener; true when nothing more is to be done with it.
    bool TakeCharacter(WPARAM wParam);

    IEntryColumnKeys& m_listener;
    char16_t m_highSurrogate = 0; // the first half of a character typed as two
    CAccessKeySource m_control{*this};
};
