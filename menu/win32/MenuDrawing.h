#pragma once
// Drawing of a menu page: the background, the entry faces with their texts, the help strip
// with the help text, and the loading of the bitmaps and palettes they need. Nothing is
// cached: every call loads the bitmaps it draws from the program's resources and frees them
// before it returns, and leaves the device context's selections as it found them.

#include "framework/win32/Gdi.h"
#include "menu/Geometry.h"

#include <windows.h>

#include <cstddef>
#include <string>

// --- Bitmaps and palettes ----------------------------------------------------------------------

// The bitmap resource `id` as a bitmap compatible with the screen, with its palette in
// `palette` (null for more than 8 bits per pixel). A null bitmap when there is no such
// resource or it is no bitmap.
CBitmap LoadBitmapResource(HINSTANCE instance, UINT id, CPalette& palette);

// The same from a packed device-independent bitmap in memory: the information header, colour
// masks, colour table and pixels one after the other, as a bitmap resource stores them.
// `dib` must be aligned as a resource is (to 4 bytes).
CBitmap CreateBitmapFromPackedDib(const void* dib, std::size_t size, CPalette& palette);

// The logical palette of a bitmap of at most 8 bits per pixel: one entry per colour in the
// colour table that follows `header` in memory, as in a packed bitmap; `colourCount` receives
// the number of entries. No palette (and a count of 0) for more than 8 bits per pixel.
CPalette CreateBitmapPalette(const BITMAPINFOHEADER& header, int& colourCount);

// A page background: the bitmap resource `id` as a device-independent section, with a palette
// made of its colour table (at most 256 colours) or the halftone palette (more colours).
// False, with both outputs null, when the resource cannot be loaded.
bool LoadBackgroundBitmap(HINSTANCE instance, UINT id, CBitmap& bitmap, CPalette& palette);

// Width and height in pixels of the bitmap resource `id`; false when it cannot be loaded.
bool GetBitmapSize(HINSTANCE instance, UINT id, int& width, int& height);

// Copies the part `source` of a bitmap onto `target` of a window's device context, stretched
// when the sizes differ, with the bitmap's palette (may be null) realised as foreground
// palette. The caller keeps and frees bitmap and palette.
void CopyBitmap(HDC windowDC, HBITMAP bitmap, HPALETTE palette, const geometry::Rect& source,
                const geometry::Rect& target);

// --- Entries and help area ---------------------------------------------------------------------

// A single line of text centred horizontally and vertically in a rectangle, in the font
// selected into the device context: its width, and its bottom edge (the first row below the
// line).
struct CentredLine {
    int width = 0;
    int bottom = 0;
};
CentredLine MeasureCentredLine(HDC dc, const geometry::Rect& rect, const std::string& text);

// The width of one line of help text in the font selected into the device context, as
// DrawHelpArea draws it.
int MeasureHelpLine(HDC dc, const std::string& line);

// One menu entry in `r`: the normal or the hot face, and the entry text in `entryFont`; the
// hot entry's text has a grey shadow and a yellow underline. The letter an `&` marks in the
// text is underlined when `showAccessKeys`, and the mark itself is never shown.
void DrawEntry(HDC dc, HINSTANCE instance, const geometry::Rect& r, const std::string& text,
               bool hot, HFONT entryFont, bool showAccessKeys = false);

// The focus frame of the entry in `r`, inside its face, as the system draws focus frames.
void DrawEntryFocus(HDC dc, const geometry::Rect& r);

// The help area in `r`: the help strip stretched over it, and `text` (lines separated by line
// feeds, drawn as they stand) in `helpFont` from the row `textTop`, 18 pixels from the left.
void DrawHelpArea(HDC dc, HINSTANCE instance, const geometry::Rect& r, const std::string& text,
                  int textTop, HFONT helpFont);

// The page background `bitmapId` at the client origin of a paint device context; nothing
// when it cannot be loaded.
void PaintBackground(HDC paintDC, HINSTANCE instance, UINT bitmapId);
