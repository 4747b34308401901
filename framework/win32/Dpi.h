#pragma once
// The resolution of the screen a window is on, and the system metrics at a resolution. The
// functions that tell them per monitor came with Windows 10: they are looked up at run time,
// and older systems get the resolution that the whole system draws at.

#include <windows.h>

// Sent to a top-level window whose monitor changed its resolution, or that moved to a monitor
// of another resolution: the new resolution in wParam's low word, the suggested window
// rectangle in lParam.
constexpr UINT kDpiChangedMessage = 0x02E0;

// Dots per inch of the screen `window` is on; of the system for a null window or where the
// system knows no other.
int WindowDpi(HWND window);

// GetSystemMetrics for a screen of `dpi`.
int SystemMetricForDpi(int index, int dpi);
