#pragma once
// Where the pointer is for a menu page's window: the pointer capture, the system's watch for
// the pointer leaving the client area, the place of the last move (a move to the same place
// changes nothing), and the one device context that the drawings of a move share. It tells
// the page (CMenuPage) of every move and click that counts.

#include "framework/win32/Gdi.h"
#include "framework/win32/Window.h"
#include "menu/MenuPage.h"

#include <windows.h>

#include <optional>

class CPointerTracker {
public:
    // The pointer over `window`, told to `page`.
    CPointerTracker(const CWnd& window, CMenuPage& page) : m_window(window), m_page(page) {}
    CPointerTracker(const CPointerTracker&) = delete;
    CPointerTracker& operator=(const CPointerTracker&) = delete;
    ~CPointerTracker() { ReleaseMouseCapture(); }

    // WM_MOUSEMOVE and WM_MOUSELEAVE at client coordinates (x, y).
    void OnMouseMove(int x, int y);
    void OnMouseLeave();
    // WM_LBUTTONDOWN at (x, y): the page's answer (false when the click ended early).
    bool OnLButtonDown(int x, int y);
    // WM_CAPTURECHANGED: `to` holds the capture now.
    void OnCaptureChanged(HWND to) { m_bCapture = to == m_window.GetSafeHwnd(); }
    // Makes the entry under the pointer hot, or none when the pointer is not over the page.
    void HitTestPointer();
    // A window about to open must get the pointer.
    void ReleaseMouseCapture();
    // While a move is handled, the window's device context that its drawings share, taken at
    // the first of them and released when the move is handled; null otherwise.
    HDC SharedDC();

private:
    void TakeMouseCapture();
    // Asks the system for WM_MOUSELEAVE when the pointer leaves the client area, once per stay.
    void TrackPointerLeaving();
    void PointerAt(int x, int y);

    const CWnd& m_window;
    CMenuPage& m_page;
    // Whether the page holds the pointer capture, followed here because asking the system
    // costs a call into it on every pointer move. While a window of this thread holds the
    // capture, pointer messages go to that window alone: the page sees them only when it
    // holds the capture itself.
    bool m_bCapture = false;
    bool m_bMoving = false;
    bool m_bTrackingLeave = false; // WM_MOUSELEAVE is asked for
    std::optional<CClientDC> m_movingDC;
    // Where the pointer was at its last move: a move message that finds it there again (the
    // system sends such after windows open and close) leaves the current entry as the keyboard
    // made it.
    std::optional<LPARAM> m_lastMove;
};
