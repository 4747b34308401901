#include "menu/win32/EntryColumnKeys.h"

#include "framework/win32/Boundary.h"

namespace {

constexpr wchar_t kClassName[] = L"discmenu.EntryColumn";
// The property of a control whose access keys come to the column: the column's object.
constexpr wchar_t kColumnProperty[] = L"discmenu.EntryColumn";

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

CEntryColumnKeys::~CEntryColumnKeys() {
    if (m_control != nullptr) {
        SetWindowLongPtrW(m_control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_controlProc));
        RemovePropW(m_control, kColumnProperty);
    }
    if (m_hWnd != nullptr) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
}

bool CEntryColumnKeys::Create(HWND dialog, HWND before, int x, int y) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance, kClassName, &windowClass)) {
        windowClass.lpfnWndProc = &CEntryColumnKeys::WindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        if (RegisterClassExW(&windowClass) == 0) {
            return false;
        }
    }
    m_hWnd = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, 0, 0,
                             dialog, nullptr, instance, this);
    if (m_hWnd != nullptr) {
        SetWindowPos(m_hWnd, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return m_hWnd != nullptr;
}

LRESULT CALLBACK CEntryColumnKeys::WindowProc(HWND hWnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(
            hWnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* column = reinterpret_cast<CEntryColumnKeys*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (column != nullptr && column->m_hWnd == nullptr) {
        column->m_hWnd = hWnd; // from the first message on, before CreateWindowEx returns
    }
    if (column == nullptr) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    return Guarded([&] { return column->OnMessage(message, wParam, lParam); }, LRESULT{0});
}

LRESULT CEntryColumnKeys::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hWnd = m_hWnd;
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter reaches the column only when asked for by this message.
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        const bool enter = msg != nullptr && msg->message == WM_KEYDOWN && wParam == VK_RETURN;
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        m_listener.OnColumnFocus(message == WM_SETFOCUS);
        return 0;
    case WM_KEYDOWN:
        if (IsColumnKey(wParam)) {
            m_listener.OnColumnKey(static_cast<UINT>(wParam));
            return 0;
        }
        break;
    case WM_CHAR:
    case WM_SYSCHAR: {
        // Space is a key of its own; control characters are none.
        const char32_t character = Character(wParam);
        if (character == 0 || (character > U' ' && m_listener.OnColumnCharacter(character))) {
            return 0;
        }
        break;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
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
    if (control == nullptr || m_control != nullptr) {
        return;
    }
    SetPropW(control, kColumnProperty, this);
    m_control = control;
    // A Unicode window procedure: the control's characters come as the user's letters.
    m_controlProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CEntryColumnKeys::ControlProc)));
}

LRESULT CALLBACK CEntryColumnKeys::ControlProc(HWND hWnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* column = static_cast<CEntryColumnKeys*>(GetPropW(hWnd, kColumnProperty));
    if (column == nullptr) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    const WNDPROC previous = column->m_controlProc;
    if (message == WM_SYSCHAR) {
        const bool taken = Guarded(
            [&] {
                const char32_t character = column->Character(wParam);
                return character == 0 ||
                       (character > U' ' && column->m_listener.OnColumnCharacter(character));
            },
            false);
        if (taken) {
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(hWnd, kColumnProperty);
        column->m_control = nullptr;
    }
    return CallWindowProcW(previous, hWnd, message, wParam, lParam);
}
