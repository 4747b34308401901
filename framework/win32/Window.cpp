#include "framework/win32/Window.h"

#include "framework/win32/Boundary.h"

#include <iterator>
#include <unordered_map>

namespace {

// The objects bound to the program's windows, which all belong to its one user-interface
// thread. Looking a window up here costs no call into the system, where a window property
// would cost one or two on every message.
std::unordered_map<HWND, CWnd*>& BoundWindows() {
    static std::unordered_map<HWND, CWnd*> windows;
    return windows;
}

CWnd* BoundTo(HWND hWnd) {
    const auto& windows = BoundWindows();
    const auto found = windows.find(hWnd);
    return found != windows.end() ? found->second : nullptr;
}

} // namespace

CWnd::~CWnd() {
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
    // A window that went without its last message through this object (unbound by someone
    // else) must not lead a later window with the same handle to a destroyed object.
    auto& windows = BoundWindows();
    for (auto it = windows.begin(); it != windows.end();) {
        it = it->second == this ? windows.erase(it) : std::next(it);
    }
}

bool CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    return OnWndMsg(message, wParam, lParam, result) ? result : Default();
}

LRESULT CWnd::Default() {
    return CallWindowProcW(m_pfnSuper, m_hWnd, m_current.message, m_current.wParam,
                           m_current.lParam);
}

void CWnd::Bind(HWND hWnd, WNDPROC previous) {
    m_hWnd = hWnd;
    m_pfnSuper = previous;
    BoundWindows()[hWnd] = this;
}

void CWnd::Subclass(HWND hWnd) {
    Bind(hWnd, reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                   hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc))));
}

bool CWnd::RegisterBoundClass(const wchar_t* className, HBRUSH background) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, className, &windowClass)) {
        return true;
    }
    windowClass.lpfnWndProc = &CWnd::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* window = BoundTo(hWnd);
    if (window == nullptr && message == WM_NCCREATE) {
        window = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (window != nullptr) {
            window->Bind(hWnd, DefWindowProcW);
        }
    }
    if (window == nullptr) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    const CurrentMessage outer = window->m_current;
    window->m_current = {message, wParam, lParam};
    const LRESULT result =
        Guarded([&] { return window->Dispatch(message, wParam, lParam); }, LRESULT{0});
    window->m_current = outer;
    if (message == WM_NCDESTROY) {
        if (window->m_pfnSuper != DefWindowProcW) {
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(window->m_pfnSuper));
        }
        BoundWindows().erase(hWnd);
        window->m_hWnd = nullptr;
    }
    return result;
}
