#include "menu/win32/MenuDrawing.h"

#include "framework/win32/ResourceBitmaps.h"
#include "framework/win32/WideText.h"

#include "menu/HelpText.h"
#include "menu/PageLayout.h"
#include "res/resource.h"

#include <initializer_list>
#include <string>

namespace {

constexpr UINT kEntryTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
// Help texts are descriptions, drawn as written: an ampersand is a character of the text.
constexpr UINT kHelpTextFormat = DT_LEFT | DT_TOP | DT_NOPREFIX;

// Sets up a device context for transparent text and puts its text settings back when done.
class TextPainter {
public:
    TextPainter(HDC dc, HFONT font)
        : m_font(dc, font), m_dc(dc), m_mode(SetBkMode(dc, TRANSPARENT)),
          m_colour(GetTextColor(dc)) {}
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;
    ~TextPainter() {
        SetTextColor(m_dc, m_colour);
        if (m_mode != 0) {
            SetBkMode(m_dc, m_mode);
        }
    }

    void Draw(const std::string& text, const geometry::Rect& rect, COLORREF colour,
              UINT format) const {
        SetTextColor(m_dc, colour);
        RECT bounds{rect.left, rect.top, rect.right, rect.bottom};
        const std::wstring wide = text::Wide(text);
        DrawTextW(m_dc, wide.c_str(), static_cast<int>(wide.size()), &bounds, format);
    }

private:
    const CObjectSelection m_font;
    HDC m_dc;
    int m_mode;
    COLORREF m_colour;
};

// Fills `r` with one colour.
void FillSolid(HDC dc, const geometry::Rect& r, COLORREF colour) {
    const CBrush brush(CreateSolidBrush(colour));
    const RECT rect{r.left, r.top, r.right, r.bottom};
    FillRect(dc, &rect, brush.get());
}

// A frame `thickness` pixels wide along the inside of `r`.
void DrawFrame(HDC dc, const geometry::Rect& r, COLORREF colour, int thickness) {
    FillSolid(dc, {r.left, r.top, r.right, r.top + thickness}, colour);
    FillSolid(dc, {r.left, r.bottom - thickness, r.right, r.bottom}, colour);
    FillSolid(dc, {r.left, r.top, r.left + thickness, r.bottom}, colour);
    FillSolid(dc, {r.right - thickness, r.top, r.right, r.bottom}, colour);
}

// The picture to draw for bitmap resource `id` at `scale`: its 2x form (resource id + 100)
// where the page is drawn larger than designed and the program carries one.
struct PictureChoice {
    UINT id;
    int factor; // 1 or 2: the picture's size against the design
};

PictureChoice ChoosePicture(HINSTANCE instance, UINT id, const layout::Scale& scale) {
    const UINT doubleId = id + IDB_DOUBLE_SIZE_OFFSET;
    const bool exists = !scale.IsDesign() && HasPicture(instance, doubleId);
    const int factor = layout::PictureFactor(scale, exists);
    return {factor == 2 ? doubleId : id, factor};
}

// Copies a whole bitmap resource onto `target`, or only its top left part of `designHeight`
// rows (at the design's size) and the bitmap's full width when `designHeight` is given.
void CopyBitmapResource(HDC dc, HINSTANCE instance, UINT id, const geometry::Rect& target,
                        const layout::Scale& scale, int designHeight = -1) {
    const PictureChoice picture = ChoosePicture(instance, id, scale);
    CPalette palette;
    const CBitmap bitmap = LoadBitmapResource(instance, picture.id, palette);
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap.get(), sizeof info, &info) == 0) {
        return;
    }
    const geometry::Rect source{0, 0, info.bmWidth,
                                designHeight < 0 ? info.bmHeight : designHeight * picture.factor};
    CopyBitmap(dc, bitmap.get(), palette.get(), source, target, !scale.IsDesign());
}

} // namespace

void CopyBitmap(HDC windowDC, HBITMAP bitmap, HPALETTE palette, const geometry::Rect& source,
                const geometry::Rect& target, bool smooth) {
    if (windowDC == nullptr || bitmap == nullptr) {
        return;
    }
    const CMemoryDC memory(windowDC);
    if (!memory) {
        return;
    }
    const CPaletteSelection windowPalette(windowDC, palette, false);
    windowPalette.Realize();
    const CPaletteSelection memoryPalette(memory.get(), palette, false);
    memoryPalette.Realize();
    const CObjectSelection selected(memory.get(), bitmap);
    if (!selected) {
        return;
    }
    if (source.Width() == target.Width() && source.Height() == target.Height()) {
        BitBlt(windowDC, target.left, target.top, target.Width(), target.Height(), memory.get(),
               source.left, source.top, SRCCOPY);
    } else if (!smooth) {
        StretchBlt(windowDC, target.left, target.top, target.Width(), target.Height(), memory.get(),
                   source.left, source.top, source.Width(), source.Height(), SRCCOPY);
    } else {
        // Halftone averages the source pixels that fall on a target pixel; it needs the brush
        // origin set after the mode.
        const int mode = SetStretchBltMode(windowDC, HALFTONE);
        POINT origin{};
        SetBrushOrgEx(windowDC, 0, 0, &origin);
        StretchBlt(windowDC, target.left, target.top, target.Width(), target.Height(), memory.get(),
                   source.left, source.top, source.Width(), source.Height(), SRCCOPY);
        SetBrushOrgEx(windowDC, origin.x, origin.y, nullptr);
        if (mode != 0) {
            SetStretchBltMode(windowDC, mode);
        }
    }
}

// --- Entries and help area ---------------------------------------------------------------------

CentredLine MeasureCentredLine(HDC dc, const geometry::Rect& rect, const std::string& text) {
    RECT bounds{rect.left, rect.top, rect.right, rect.bottom};
    // For a vertically centred line DrawText reports the distance from the rectangle's top to
    // the bottom of the line, which it places with its own rounding; measuring keeps the
    // rectangle's left edge and moves the right one to the end of the text.
    const std::wstring wide = text::Wide(text);
    const int toBottom = DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &bounds,
                                   kEntryTextFormat | DT_CALCRECT);
    return {bounds.right - bounds.left, rect.top + toBottom};
}

int MeasureHelpLine(HDC dc, const std::string& line) {
    RECT bounds{0, 0, 0, 0};
    const std::wstring wide = text::Wide(line);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &bounds,
              kHelpTextFormat | DT_CALCRECT);
    return bounds.right - bounds.left;
}

void DrawEntry(HDC dc, HINSTANCE instance, const geometry::Rect& r, const std::string& text,
               bool hot, HFONT entryFont, const layout::Scale& scale,
               const colours::PageColours& colours, bool showAccessKeys) {
    const colours::AreaColours& c = hot ? colours.hotEntry : colours.entry;
    if (c.picture) {
        // The face's top rows, as many as the entry is high at the design's size.
        CopyBitmapResource(dc, instance, hot ? IDB_ENTRY_HOT : IDB_ENTRY_NORMAL, r, scale,
                           scale.IsDesign() ? r.Height() : layout::kEntryHeight);
    } else {
        FillSolid(dc, r, c.fill);
    }
    const int pixel = scale.Px(1);
    if (c.frame) {
        DrawFrame(dc, r, *c.frame, pixel);
    }
    // A text wider than the face is cut at its edges: nothing an entry draws leaves its face.
    const CClipToRect clip(dc, {r.left, r.top, r.right, r.bottom});

    const UINT format = kEntryTextFormat | (showAccessKeys ? 0 : DT_HIDEPREFIX);
    const geometry::Rect t = r.Offset(0, -pixel);
    const TextPainter painter(dc, entryFont);
    if (c.underline) {
        const CentredLine line = MeasureCentredLine(dc, t, text);
        const layout::HorizontalLine underline =
            layout::UnderlineSpan(r, line.width, line.bottom, scale);
        FillSolid(dc, {underline.x1, underline.y, underline.x2, underline.y + pixel}, *c.underline);
    }
    if (!c.shadow) {
        painter.Draw(text, t, c.text, format);
        return;
    }
    painter.Draw(text, t, *c.shadow, format);
    painter.Draw(text, t.Offset(-scale.Px(2), -pixel), c.text, format);
}

void DrawEntryFocus(HDC dc, const geometry::Rect& r, const layout::Scale& scale) {
    const geometry::Rect frame = layout::FocusFrame(r, scale);
    const RECT bounds{frame.left, frame.top, frame.right, frame.bottom};
    DrawFocusRect(dc, &bounds);
}

void DrawHelpArea(HDC dc, HINSTANCE instance, const geometry::Rect& r, const std::string& text,
                  int textTop, HFONT helpFont, const layout::Scale& scale,
                  const colours::PageColours& colours) {
    const colours::AreaColours& c = colours.help;
    if (c.picture) {
        CopyBitmapResource(dc, instance, IDB_HELP_STRIP, r, scale);
    } else {
        FillSolid(dc, r, c.fill);
    }
    if (c.frame) {
        DrawFrame(dc, r, *c.frame, scale.Px(1));
    }

    // Only the lines that fit above the strip's bottom frame; their shadow, a row lower, is
    // cut there too.
    const int bottom = r.bottom - scale.Px(layout::kHelpTextBottomMargin);
    const geometry::Rect textRect{r.left + scale.Px(layout::kHelpTextIndent), textTop, r.right,
                                  bottom};
    geometry::Rect shadowRect = textRect.Offset(scale.Px(2), scale.Px(1));
    shadowRect.bottom = bottom;
    const TextPainter painter(dc, helpFont);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int fitting = metrics.tmHeight > 0 ? textRect.Height() / metrics.tmHeight : 0;
    const std::string shown = FirstLines(text, fitting);
    if (c.shadow) {
        painter.Draw(shown, shadowRect, *c.shadow, kHelpTextFormat);
    }
    painter.Draw(shown, textRect, c.text, kHelpTextFormat);
}

void PreparePictures(HINSTANCE instance, UINT bitmapId, const layout::Scale& scale) {
    for (const UINT id :
         {bitmapId, UINT{IDB_ENTRY_NORMAL}, UINT{IDB_ENTRY_HOT}, UINT{IDB_HELP_STRIP}}) {
        FindPicture(instance, ChoosePicture(instance, id, scale).id);
    }
}

void PaintBackground(HDC paintDC, HINSTANCE instance, UINT bitmapId, const geometry::Rect& target,
                     const layout::Scale& scale) {
    CBitmap bitmap;
    CPalette palette;
    if (!LoadBackgroundBitmap(instance, ChoosePicture(instance, bitmapId, scale).id, bitmap,
                              palette)) {
        return;
    }
    BITMAP size{};
    GetObjectW(bitmap.get(), sizeof size, &size);
    CopyBitmap(paintDC, bitmap.get(), palette.get(), {0, 0, size.bmWidth, size.bmHeight}, target,
               !scale.IsDesign());
}
