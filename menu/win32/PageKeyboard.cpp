// The keyboard on a menu page: column keys, access keys and the keyboard cues (see
// PageKeyboard.h).

#include "menu/win32/PageKeyboard.h"

#include "menu/AccessKeys.h"

void CPageKeyboard::CreateColumn(int x, int y, HWND chooser) {
    // The entry column comes first in the keyboard order, so that every page starts with the
    // focus on its entries (the arrows walk them) and Tab reaches the chooser.
    m_column.Create(m_window.GetSafeHwnd(), HWND_TOP, x, y);
    m_column.TakeAccessKeysOf(chooser);
}

bool CPageKeyboard::OnAccessKey(char32_t character) {
    KeyboardUsed();
    return m_page.OnAccessKey(accesskeys::Fold(character));
}

void CPageKeyboard::OnUiStateUpdated(WORD action) {
    // Windows clears the flags when the user works with the keyboard; before the page is
    // shown they are only being set up.
    if (action == UIS_CLEAR && IsWindowVisible(Window())) {
        m_bKeyboardUsed = true;
    }
    ReadUiState();
}

void CPageKeyboard::KeyboardUsed() {
    if (!m_bKeyboardUsed) {
        m_bKeyboardUsed = true;
        Window().ChangeUiState(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL);
        ReadUiState();
    }
}

void CPageKeyboard::ReadUiState() {
    const UINT hidden = Window().QueryUiState();
    m_page.OnUiState(m_bKeyboardUsed && (hidden & UISF_HIDEFOCUS) == 0,
                     m_bKeyboardUsed && (hidden & UISF_HIDEACCEL) == 0);
}

void CPageKeyboard::OnColumnFocus(bool focused) {
    // Only the keyboard brings the focus to the column once the page is up, apart from the
    // window restoring it as it is activated.
    if (focused && !m_bActivating && IsWindowVisible(Window())) {
        KeyboardUsed();
    }
    m_page.OnColumnFocus(focused);
}

void CPageKeyboard::OnColumnKey(UINT virtualKey) {
    KeyboardUsed();
    switch (virtualKey) {
    case VK_UP:
        m_page.OnKey(entries::Key::kUp);
        break;
    case VK_DOWN:
        m_page.OnKey(entries::Key::kDown);
        break;
    case VK_HOME:
        m_page.OnKey(entries::Key::kHome);
        break;
    case VK_END:
        m_page.OnKey(entries::Key::kEnd);
        break;
    default: // Enter and Space
        // A window the entry opens must get the pointer.
        m_pointer.ReleaseMouseCapture();
        m_page.CarryOutCurrent();
        break;
    }
}

bool CPageKeyboard::OnColumnCharacter(char32_t character) {
    return OnAccessKey(character);
}
