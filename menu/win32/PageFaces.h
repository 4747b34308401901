#pragma once
// The drawn faces of a page's entries and help strip, kept as bitmaps: a hover then repaints
// by copying pixels, instead of loading the pictures and laying out the texts again each time.
// A face is known by what it shows (its kind, size and text), so a language change needs no
// bookkeeping; the faces go when the page closes, or all at once when the display changes.

#include "framework/win32/Gdi.h"
#include "menu/Geometry.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

class CPageFaces {
public:
    // Draws on a device context whose coordinates are the window's.
    using Painter = std::function<void(HDC)>;

    // Copies the face known as `key` onto `rect` of `windowDC`, drawing it first with `paint`
    // when it is not kept yet. On a display with a palette the face is drawn straight onto the
    // window, as it needs the palette realised there.
    void Show(HDC windowDC, const std::string& key, const geometry::Rect& rect,
              const Painter& paint);

    // Forgets every face (the display's format or fonts changed).
    void Clear() { m_faces.clear(); }

private:
    // A drawn face, selected into a memory device context of its own for as long as it is
    // kept: selecting a bitmap costs far more than copying it.
    struct Face {
        Face(HDC windowDC, int width, int height);
        CMemoryDC memory;
        CBitmap bitmap;
        CObjectSelection selection;
    };

    const Face* Find(HDC windowDC, const std::string& key, const geometry::Rect& rect,
                     const Painter& paint);

    std::map<std::string, std::unique_ptr<Face>> m_faces;
};
