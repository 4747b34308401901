#include "menu/win32/EntryColumnKeys.h"

namespace {

constexpr wchar_t kClassName[] = L"discmenu.EntryColumn";

// The keys the column takes from the dialog's own keyboard handling; Tab and Escape stay with
// the dialog.
bool IsColumnKey(WPARAM key) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_RETURN:
    case VK_SPACE:
        return true;
    default:
        return false;
    }
}

} // namespace

bool CEntryColumnKeys::Create(HWND dialog, HWND before, int x, int y) {
    if (!RegisterBoundClass(kClassName, nullptr)) {
        return false;
    }
    CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, 0, 0, dialog,
                    nullptr, GetModuleHandleW(nullptr), static_cast<CWnd*>(this));
    if (m_hWnd != nullptr) {
        SetWindowPos(m_hWnd, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return m_hWnd != nullptr;
}

bool CEntryColumnKeys::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter reaches the column only when asked for by this message.
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        const bool enter = msg != nullptr && msg->message == WM_KEYDOWN && wParam == VK_RETURN;
        result = DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
        return true;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        m_listener.OnColumnFocus(message == WM_SETFOCUS);
        return true;
    case WM_KEYDOWN:
        if (IsColumnKey(wParam)) {
            m_listener.OnColumnKey(static_cast<UINT>(wParam));
            return true;
        }
        return false;
    case WM_CHAR:
    case WM_SYSCHAR:
        return TakeCharacter(wParam);
    default:
        return false;
    }
}

bool CEntryColumnKeys::TakeCharacter(WPARAM wParam) {
    // Space is a key of its own; control characters are none.
    const char32_t character = Character(wParam);
    return character == 0 || (character > U' ' && m_listener.OnColumnCharacter(character));
}

char32_t CEntryColumnKeys::Character(WPARAM wParam) {
    const auto unit = static_cast<char16_t>(wParam);
    if (unit >= 0xD800 && unit < 0xDC00) {
        m_highSurrogate = unit;
        return 0;
    }
    char32_t character = unit;
    if (unit >= 0xDC00 && unit < 0xE000 && m_highSurrogate != 0) {
        character =
            0x10000 + ((static_cast<char32_t>(m_highSurrogate) - 0xD800) << 10) + (unit - 0xDC00);
    }
    m_highSurrogate = 0;
    return character;
}

void CEntryColumnKeys::TakeAccessKeysOf(HWND control) {
    if (control == nullptr || m_control.GetSafeHwnd() != nullptr) {
        return;
    }
    m_control.Take(control);
}

bool CEntryColumnKeys::CAccessKeySource::OnWndMsg(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    return message == WM_SYSCHAR && m_column.TakeCharacter(wParam);
}
