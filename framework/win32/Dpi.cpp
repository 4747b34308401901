#include "framework/win32/Dpi.h"

#include "framework/win32/Gdi.h"

namespace {

// The resolution of a screen that tells none.
constexpr int kDesignDpi = 96;

// A function of user32 that older systems lack; null there.
template <typename Function> Function User32Function(const char* name) {
    const HMODULE user = GetModuleHandleA("user32.dll");
    return user != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name)))
               : nullptr;
}

int SystemDpi() {
    const CClientDC screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

} // namespace

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (window != nullptr && forWindow != nullptr) {
        if (const UINT dpi = forWindow(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    return forDpi != nullptr ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}
