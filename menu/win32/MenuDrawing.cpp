#include "menu/win32/MenuDrawing.h"

#include "framework/win32/Bitmaps.h"
#include "framework/win32/WideText.h"

#include "menu/HelpText.h"
#include "menu/PageLayout.h"
#include "res/resource.h"

#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kEntryShadow = RGB(127, 127, 127);
constexpr COLORREF kUnderline = RGB(255, 255, 0);
constexpr COLORREF kHelpText = RGB(62, 89, 126);
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

// Copies a whole bitmap resource onto `target`, or only its top left part of `sourceHeight`
// rows and the bitmap's full width when `sourceHeight` is given.
void CopyBitmapResource(HDC dc, HINSTANCE instance, UINT id, const geometry::Rect& target,
                        int sourceHeight = -1) {
    CPalette palette;
    const CBitmap bitmap = LoadBitmapResource(instance, id, palette);
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap.get(), sizeof info, &info) == 0) {
        return;
    }
    const geometry::Rect source{0, 0, info.bmWidth,
                                sourceHeight < 0 ? info.bmHeight : sourceHeight};
    CopyBitmap(dc, bitmap.get(), palette.get(), source, target);
}

} // namespace

void CopyBitmap(HDC windowDC, HBITMAP bitmap, HPALETTE palette, const geometry::Rect& source,
                const geometry::Rect& target) {
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
    } else {
        StretchBlt(windowDC, target.left, target.top, target.Width(), target.Height(), memory.get(),
                   source.left, source.top, source.Width(), source.Height(), SRCCOPY);
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
               bool hot, HFONT entryFont) {
    // The face's top rows, as many as the entry is high, unscaled.
    CopyBitmapResource(dc, instance, hot ? IDB_ENTRY_HOT : IDB_ENTRY_NORMAL, r, r.Height());
    // A text wider than the face is cut at its edges: nothing an entry draws leaves its face.
    const CClipToRect clip(dc, {r.left, r.top, r.right, r.bottom});

    const geometry::Rect t = r.Offset(0, -1);
    const TextPainter painter(dc, entryFont);
    if (!hot) {
        painter.Draw(text, t, kWhite, kEntryTextFormat);
        return;
    }
    const CentredLine line = MeasureCentredLine(dc, t, text);
    const layout::HorizontalLine underline = layout::UnderlineSpan(r, line.width, line.bottom);
    {
        const CPen pen(CreatePen(PS_SOLID, 1, kUnderline));
        const CObjectSelection selected(dc, pen.get());
        MoveToEx(dc, underline.x1, underline.y, nullptr);
        LineTo(dc, underline.x2, underline.y);
    }
    painter.Draw(text, t, kEntryShadow, kEntryTextFormat);
    painter.Draw(text, t.Offset(-2, -1), kWhite, kEntryTextFormat);
}

void DrawHelpArea(HDC dc, HINSTANCE instance, const geometry::Rect& r, const std::string& text,
                  int textTop, HFONT helpFont) {
    CopyBitmapResource(dc, instance, IDB_HELP_STRIP, r);

    // Only the lines that fit above the strip's bottom frame; their shadow, a row lower, is
    // cut there too.
    const int bottom = r.bottom - layout::kHelpTextBottomMargin;
    const geometry::Rect textRect{r.left + layout::kHelpTextIndent, textTop, r.right, bottom};
    geometry::Rect shadowRect = textRect.Offset(2, 1);
    shadowRect.bottom = bottom;
    const TextPainter painter(dc, helpFont);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int fitting = metrics.tmHeight > 0 ? textRect.Height() / metrics.tmHeight : 0;
    const std::string shown = FirstLines(text, fitting);
    painter.Draw(shown, shadowRect, kWhite, kHelpTextFormat);
    painter.Draw(shown, textRect, kHelpText, kHelpTextFormat);
}

void PaintBackground(HDC paintDC, HINSTANCE instance, UINT bitmapId,
                     const geometry::Rect& target) {
    CBitmap bitmap;
    CPalette palette;
    if (!LoadBackgroundBitmap(instance, bitmapId, bitmap, palette)) {
        return;
    }
    BITMAP size{};
    GetObjectW(bitmap.get(), sizeof size, &size);
    CopyBitmap(paintDC, bitmap.get(), palette.get(), {0, 0, size.bmWidth, size.bmHeight}, target);
}
