// The pointer over a menu page's window: capture, leave tracking, the last move and the device
// context a move's drawings share (see PointerTracker.h).

#include "menu/win32/PointerTracker.h"

namespace {

// A coordinate of a point above and left of the client area, where no entry lies: the pointer's
// place once it has left the page.
constexpr int kOffPage = -1;

} // namespace

void CPointerTracker::OnMouseMove(int x, int y) {
    ReleaseMouseCapture();
    TrackPointerLeaving();
    PointerAt(x, y);
}

void CPointerTracker::OnMouseLeave() {
    // The pointer left the client area, in however large a jump: no entry stays hot.
    m_bTrackingLeave = false;
    PointerAt(kOffPage, kOffPage);
}

bool CPointerTracker::OnLButtonDown(int x, int y) {
    // A window the click opens must get the pointer: the page gives up its capture for the
    // time of the click, and takes it back unless a refused disc check ended the click.
    const bool hadCapture = GetCapture() == m_window.GetSafeHwnd();
    if (hadCapture) {
        ReleaseCapture();
        m_bCapture = false;
    }
    const bool handled = m_page.OnLButtonDown(x, y);
    if (handled && hadCapture) {
        TakeMouseCapture();
    }
    return handled;
}

void CPointerTracker::ReleaseMouseCapture() {
    if (m_bCapture) {
        ReleaseCapture();
        m_bCapture = false;
    }
}

void CPointerTracker::TakeMouseCapture() {
    // The capture may end the system's watch for the pointer leaving: the next move asks anew.
    m_bTrackingLeave = false;
    SetCapture(m_window.GetSafeHwnd());
    m_bCapture = GetCapture() == m_window.GetSafeHwnd();
}

void CPointerTracker::TrackPointerLeaving() {
    if (m_bTrackingLeave) {
        return;
    }
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_window.GetSafeHwnd(), 0};
    m_bTrackingLeave = TrackMouseEvent(&track) != FALSE;
}

void CPointerTracker::HitTestPointer() {
    POINT pointer{};
    if (!GetCursorPos(&pointer)) {
        return;
    }
    const HWND window = m_window.GetSafeHwnd();
    const bool overPage = WindowFromPoint(pointer) == window;
    ScreenToClient(window, &pointer);
    if (overPage) {
        TrackPointerLeaving();
        PointerAt(pointer.x, pointer.y);
    } else if (m_lastMove) {
        // Only a pointer the page has seen over it can have left; one never seen leaves the
        // entry the keyboard chose alone.
        PointerAt(kOffPage, kOffPage);
    }
}

// The page hears of the pointer only where it moved: the moves the system sends when windows
// open and close, at the same place, would otherwise undo the entry the keyboard chose.
void CPointerTracker::PointerAt(int x, int y) {
    const LPARAM position = MAKELPARAM(x, y);
    if (m_lastMove == position) {
        return;
    }
    m_lastMove = position;
    m_bMoving = true;
    m_page.OnMouseMove(x, y);
    m_bMoving = false;
    m_movingDC.reset();
}

HDC CPointerTracker::SharedDC() {
    if (!m_bMoving) {
        return nullptr;
    }
    if (!m_movingDC) {
        m_movingDC.emplace(m_window.GetSafeHwnd());
    }
    return m_movingDC->get();
}
