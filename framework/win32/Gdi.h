#pragma once
// Owners of drawing objects and device contexts. Every handle the program creates for drawing
// lives in one of these, so that it is freed on every path out of a drawing call. An object
// must be deselected before it is deleted: declare its owner before the selection that puts
// it into a device context, so that the selection ends first.

#include <windows.h>

#include <atomic>
#include <utility>

// How many drawing objects and device contexts the owners below hold at this moment. Every
// handle the program draws with passes through an owner, so a count that is back where it
// was after a stretch of drawing proves that the stretch left nothing behind.
class CGdiOwnerCount {
public:
    static long Live() { return Counter().load(); }
    static void Taken(const void* handle) {
        if (handle != nullptr) {
            ++Counter();
        }
    }
    static void Given(const void* handle) {
        if (handle != nullptr) {
            --Counter();
        }
    }

private:
    static std::atomic<long>& Counter() {
        static std::atomic<long> count{0};
        return count;
    }
};

// Owns one drawing object (bitmap, palette, font, pen or brush) and deletes it when destroyed.
template <typename Handle> class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) { CGdiOwnerCount::Taken(m_handle); }
    CGdiObject(CGdiObject&& other) noexcept : CGdiObject(other.release()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        reset(other.release());
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // Gives up ownership without deleting the object.
    Handle release() {
        CGdiOwnerCount::Given(m_handle);
        return std::exchange(m_handle, nullptr);
    }

    // Deletes the object held so far and takes `handle` in its place.
    void reset(Handle handle = nullptr) {
        if (handle == m_handle) {
            return;
        }
        if (m_handle != nullptr) {
            DeleteObject(m_handle);
            CGdiOwnerCount::Given(m_handle);
        }
        m_handle = handle;
        CGdiOwnerCount::Taken(m_handle);
    }

private:
    Handle m_handle = nullptr;
};

using CBitmap = CGdiObject<HBITMAP>;
using CPalette = CGdiObject<HPALETTE>;
using CFont = CGdiObject<HFONT>;
using CPen = CGdiObject<HPEN>;
using CBrush = CGdiObject<HBRUSH>;

// The device context of a window's client area (of the screen for a null window), released
// when destroyed.
class CClientDC {
public:
    explicit CClientDC(HWND window) : m_window(window), m_dc(GetDC(window)) {
        CGdiOwnerCount::Taken(m_dc);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    ~CClientDC() {
        if (m_dc != nullptr) {
            ReleaseDC(m_window, m_dc);
            CGdiOwnerCount::Given(m_dc);
        }
    }

    HDC get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// The device context of one WM_PAINT: painting begins when it is created and ends when it is
// destroyed.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : m_window(window), m_dc(BeginPaint(window, &m_paint)) {
        CGdiOwnerCount::Taken(m_dc);
    }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() {
        EndPaint(m_window, &m_paint);
        CGdiOwnerCount::Given(m_dc);
    }

    HDC get() const { return m_dc; }
    const PAINTSTRUCT& paintStruct() const { return m_paint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// A memory device context compatible with another one (with the screen for null), deleted
// when destroyed.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {
        CGdiOwnerCount::Taken(m_dc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    ~CMemoryDC() {
        if (m_dc != nullptr) {
            DeleteDC(m_dc);
            CGdiOwnerCount::Given(m_dc);
        }
    }

    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// Selects a drawing object into a device context for the lifetime of the selection and puts
// the previous one back when destroyed. A null object or device context selects nothing.
class CObjectSelection {
public:
    CObjectSelection(HDC dc, HGDIOBJ object)
        : m_dc(dc),
          m_previous(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
    CObjectSelection(const CObjectSelection&) = delete;
    CObjectSelection& operator=(const CObjectSelection&) = delete;
    ~CObjectSelection() {
        if (*this) {
            SelectObject(m_dc, m_previous);
        }
    }

    // Whether the object was selected (a bitmap already selected elsewhere is not).
    explicit operator bool() const { return m_previous != nullptr && m_previous != HGDI_ERROR; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Limits the drawing on a device context to a rectangle for the lifetime of the object; the
// clipping that was there before comes back when destroyed.
class CClipToRect {
public:
    CClipToRect(HDC dc, const RECT& rect) : m_dc(dc), m_saved(SaveDC(dc)) {
        IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    CClipToRect(const CClipToRect&) = delete;
    CClipToRect& operator=(const CClipToRect&) = delete;
    ~CClipToRect() {
        if (m_saved != 0) {
            RestoreDC(m_dc, m_saved);
        }
    }

private:
    HDC m_dc;
    int m_saved;
};

// Selects a palette into a device context, as foreground palette or as background palette,
// for the lifetime of the selection; the previous palette is put back when destroyed. A null
// palette or device context selects nothing.
class CPaletteSelection {
public:
    CPaletteSelection(HDC dc, HPALETTE palette, bool background)
        : m_dc(dc), m_previous(dc != nullptr && palette != nullptr
                                   ? SelectPalette(dc, palette, background ? TRUE : FALSE)
                                   : nullptr) {}
    CPaletteSelection(const CPaletteSelection&) = delete;
    CPaletteSelection& operator=(const CPaletteSelection&) = delete;
    ~CPaletteSelection() {
        // Putting the old palette back must not make it the foreground palette.
        if (m_previous != nullptr) {
            SelectPalette(m_dc, m_previous, TRUE);
        }
    }

    // Maps the selected palette into the system palette; does nothing without a selection.
    void Realize() const {
        if (m_previous != nullptr) {
            RealizePalette(m_dc);
        }
    }

private:
    HDC m_dc;
    HPALETTE m_previous;
};
