#pragma once
// The keyboard on a menu page: the entry column's keys and access keys handed to the page,
// and whether the user works with the keyboard, which shows focus cues and access key
// underlines from then on, as far as the system's state for them allows.

#include "framework/win32/Window.h"
#include "menu/MenuPage.h"
#include "menu/win32/EntryColumnKeys.h"
#include "menu/win32/PointerTracker.h"

#include <windows.h>

class CPageKeyboard final : private IEntryColumnKeys {
public:
    // The keyboard of `window`, told to `page`; `pointer` gives up its capture before an
    // entry is carried out.
    CPageKeyboard(const CWnd& window, CMenuPage& page, CPointerTracker& pointer)
        : m_window(window), m_page(page), m_pointer(pointer) {}

    // Makes the entry column at (x, y), first in the keyboard order, and takes the access keys
    // typed in `chooser` too.
    void CreateColumn(int x, int y, HWND chooser);
    // Whether a key was pressed in this page.
    bool Used() const { return m_bKeyboardUsed; }
    // Alt and a letter, wherever the focus is: false when no entry has that access key.
    bool OnAccessKey(char32_t character);
    // WM_UPDATEUISTATE with the action `action`, once the default handling has run.
    void OnUiStateUpdated(WORD action);
    // The window is being activated (and restores its focus) while `activating`.
    void SetActivating(bool activating) { m_bActivating = activating; }

private:
    void OnColumnFocus(bool focused) override;
    void OnColumnKey(UINT virtualKey) override;
    bool OnColumnCharacter(char32_t character) override;

    // The user works with the keyboard: focus cues and access keys are shown from now on.
    void KeyboardUsed();
    // Tells the page the system's state of focus cues and access key underlines.
    void ReadUiState();
    CWindowRef Window() const { return m_window.GetSafeHwnd(); }

    const CWnd& m_window;
    CMenuPage& m_page;
    CPointerTracker& m_pointer;
    CEntryColumnKeys m_column{*this};
    bool m_bKeyboardUsed = false; // a key was pressed in this page
    bool m_bActivating = false;   // the window is being activated, and restores its focus
};
