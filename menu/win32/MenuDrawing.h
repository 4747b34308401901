#pragma once
// Drawing of a menu page: the background, the entry faces with their texts, the help strip
// with the help text, drawn with the bitmaps and palettes that framework/win32/ResourceBitmaps.h
// loads. Only the pictures' decoded bytes are kept (Bitmaps.h): every call makes the bitmaps it
// draws and frees them before it returns, and leaves the device context's selections as it
// found them.

#include "framework/win32/Gdi.h"
#include "menu/Geometry.h"
#include "menu/PageColours.h"
#include "menu/PageLayout.h"

#include <windows.h>

#include <string>

// --- Bitmaps ---------------------------------------------------------------------------------

// Copies the part `source` of a bitmap onto `target` of a window's device context, stretched
// when the sizes differ (`smooth`: with the halftone filter, else by dropping and repeating
// pixels as the design's pictures are drawn), with the bitmap's palette (may be null) realised
// as foreground palette. The caller keeps and frees bitmap and palette.
void CopyBitmap(HDC windowDC, HBITMAP bitmap, HPALETTE palette, const geometry::Rect& source,
                const geometry::Rect& target, bool smooth = false);

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

// Pictures: a page drawn at another scale than the design's takes each picture's 2x form
// where the program carries one (the 1x resource id + 100), and scales what it draws with
// the halftone filter; texts are drawn in fonts of the screen's size, never scaled.

// One menu entry in `r`: the normal or the hot face, and the entry text in `entryFont`; as
// designed, the hot entry's text has a grey shadow and a yellow underline. `colours` may
// replace face and colours by a solid fill with a frame (see PageColours). The letter an `&`
// marks in the text is underlined when `showAccessKeys`, and the mark itself is never shown.
void DrawEntry(HDC dc, HINSTANCE instance, const geometry::Rect& r, const std::string& text,
               bool hot, HFONT entryFont, const layout::Scale& scale = {},
               const colours::PageColours& colours = colours::DesignColours(),
               bool showAccessKeys = false);

// The focus frame of the entry in `r`, inside its face, as the system draws focus frames.
void DrawEntryFocus(HDC dc, const geometry::Rect& r, const layout::Scale& scale = {});

// The help area in `r`: the help strip stretched over it, and `text` (lines separated by line
// feeds, drawn as they stand) in `helpFont` from the row `textTop`, 18 design pixels from the
// left.
void DrawHelpArea(HDC dc, HINSTANCE instance, const geometry::Rect& r, const std::string& text,
                  int textTop, HFONT helpFont, const layout::Scale& scale = {},
                  const colours::PageColours& colours = colours::DesignColours());

// Decodes the pictures a page with the background `bitmapId` draws at `scale` (their 2x forms
// where it takes those), so that no later drawing, a hover's least of all, decodes one.
void PreparePictures(HINSTANCE instance, UINT bitmapId, const layout::Scale& scale);

// The page background `bitmapId` over `target` of a paint device context (stretched when the
// picture's size differs); nothing when it cannot be loaded.
void PaintBackground(HDC paintDC, HINSTANCE instance, UINT bitmapId, const geometry::Rect& target,
                     const layout::Scale& scale = {});
