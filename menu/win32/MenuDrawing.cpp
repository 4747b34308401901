#include "menu/win32/MenuDrawing.h"

#include "framework/win32/WideText.h"

#include "menu/HelpText.h"
#include "menu/PageLayout.h"
#include "res/resource.h"

#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// The resource type of bitmaps, spelt out so that it stays the ANSI form that FindResourceA
// takes whatever the character-set settings of the build.
const LPCSTR kBitmapResourceType = MAKEINTRESOURCEA(2);

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kEntryShadow = RGB(127, 127, 127);
constexpr COLORREF kUnderline = RGB(255, 255, 0);
constexpr COLORREF kHelpText = RGB(62, 89, 126);
constexpr UINT kEntryTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
// Help texts are descriptions, drawn as written: an ampersand is a character of the text.
constexpr UINT kHelpTextFormat = DT_LEFT | DT_TOP | DT_NOPREFIX;

// --- Layout of a packed bitmap: header, colour masks, colour table, pixels ---------------------

// Bytes from the start of the header to the colour table. A plain information header with
// BI_BITFIELDS is followed by its three colour masks; larger headers hold the masks inside.
std::size_t ColourTableOffset(const BITMAPINFOHEADER& header) {
    if (header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS) {
        return header.biSize + 3 * sizeof(DWORD);
    }
    return header.biSize;
}

// Entries of the colour table: as many as the header says are used, or else the full table of
// a bitmap of at most 8 bits per pixel; a bitmap of more bits per pixel has none by default.
std::size_t ColourTableEntries(const BITMAPINFOHEADER& header) {
    if (header.biClrUsed != 0) {
        return header.biClrUsed;
    }
    return header.biBitCount <= 8 ? std::size_t{1} << header.biBitCount : 0;
}

// Bytes of pixel data that the header describes.
std::size_t PixelBytes(const BITMAPINFOHEADER& header) {
    if (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS) {
        return header.biSizeImage;
    }
    const std::size_t width = static_cast<std::size_t>(header.biWidth < 0 ? 0 : header.biWidth);
    const std::size_t rowBytes = (width * header.biBitCount + 31) / 32 * 4;
    const long long height = header.biHeight < 0 ? -static_cast<long long>(header.biHeight)
                                                 : static_cast<long long>(header.biHeight);
    return rowBytes * static_cast<std::size_t>(height);
}

// A logical palette with one entry per colour of a colour table.
CPalette CreateLogicalPalette(const RGBQUAD* colours, std::size_t count) {
    if (count == 0 || count > 256) {
        return CPalette();
    }
    // A LOGPALETTE is its two header words followed by as many entries as it needs.
    const std::size_t entriesOffset = offsetof(LOGPALETTE, palPalEntry);
    std::vector<unsigned char> storage(entriesOffset + count * sizeof(PALETTEENTRY));
    const WORD header[2] = {0x300, static_cast<WORD>(count)};
    std::memcpy(storage.data(), header, sizeof header);
    for (std::size_t i = 0; i < count; ++i) {
        const PALETTEENTRY entry{colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
        std::memcpy(storage.data() + entriesOffset + i * sizeof entry, &entry, sizeof entry);
    }
    return CPalette(CreatePalette(reinterpret_cast<const LOGPALETTE*>(storage.data())));
}

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

// --- Bitmaps and palettes ----------------------------------------------------------------------

CBitmap LoadBitmapResource(HINSTANCE instance, UINT id, CPalette& palette) {
    palette.reset();
    const HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), kBitmapResourceType);
    if (found == nullptr) {
        return CBitmap();
    }
    const HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return CBitmap();
    }
    return CreateBitmapFromPackedDib(data, SizeofResource(instance, found), palette);
}

CBitmap CreateBitmapFromPackedDib(const void* dib, std::size_t size, CPalette& palette) {
    palette.reset();
    if (dib == nullptr || size < sizeof(BITMAPINFOHEADER)) {
        return CBitmap();
    }
    const auto& header = *static_cast<const BITMAPINFOHEADER*>(dib);
    const std::size_t entries = ColourTableEntries(header);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biBitCount == 0 ||
        (header.biBitCount <= 8 && entries > (std::size_t{1} << header.biBitCount))) {
        return CBitmap();
    }
    // The pixels follow the colour table that is actually there, however short it is.
    const std::size_t bitsOffset = ColourTableOffset(header) + entries * sizeof(RGBQUAD);
    if (bitsOffset > size || PixelBytes(header) > size - bitsOffset) {
        return CBitmap();
    }
    const auto* bytes = static_cast<const unsigned char*>(dib);

    int colourCount = 0;
    palette = CreateBitmapPalette(header, colourCount);
    const CClientDC screen(nullptr);
    const CPaletteSelection selection(screen.get(), palette.get(), true);
    selection.Realize();
    return CBitmap(CreateDIBitmap(screen.get(), &header, CBM_INIT, bytes + bitsOffset,
                                  static_cast<const BITMAPINFO*>(dib), DIB_RGB_COLORS));
}

CPalette CreateBitmapPalette(const BITMAPINFOHEADER& header, int& colourCount) {
    colourCount = 0;
    if (header.biBitCount == 0 || header.biBitCount > 8) {
        return CPalette();
    }
    const std::size_t entries = ColourTableEntries(header);
    const auto* table = reinterpret_cast<const RGBQUAD*>(
        reinterpret_cast<const unsigned char*>(&header) + ColourTableOffset(header));
    CPalette palette = CreateLogicalPalette(table, entries);
    if (palette) {
        colourCount = static_cast<int>(entries);
    }
    return palette;
}

bool LoadBackgroundBitmap(HINSTANCE instance, UINT id, CBitmap& bitmap, CPalette& palette) {
    bitmap.reset();
    palette.reset();
    CBitmap section(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION info{};
    if (!section || GetObjectA(section.get(), sizeof info, &info) != sizeof info) {
        return false;
    }
    const BITMAPINFOHEADER& header = info.dsBmih;
    const bool fewColours =
        header.biClrUsed != 0 ? header.biClrUsed <= 256 : header.biBitCount <= 8;
    if (fewColours) {
        const UINT count = header.biClrUsed != 0 ? header.biClrUsed : 1u << header.biBitCount;
        std::vector<RGBQUAD> table(count);
        UINT retrieved = 0;
        {
            const CMemoryDC memory(nullptr);
            const CObjectSelection selected(memory.get(), section.get());
            if (selected) {
                retrieved = GetDIBColorTable(memory.get(), 0, count, table.data());
            }
        }
        palette = CreateLogicalPalette(table.data(), retrieved);
    }
    // Many colours, or a colour table that the section does not hold.
    if (!palette) {
        const CClientDC screen(nullptr);
        palette.reset(CreateHalftonePalette(screen.get()));
    }
    bitmap = std::move(section);
    return true;
}

bool GetBitmapSize(HINSTANCE instance, UINT id, int& width, int& height) {
    const CBitmap bitmap(LoadBitmapA(instance, MAKEINTRESOURCEA(id)));
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap.get(), sizeof info, &info) == 0) {
        return false;
    }
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

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
               bool hot, HFONT entryFont, bool showAccessKeys) {
    // The face's top rows, as many as the entry is high, unscaled.
    CopyBitmapResource(dc, instance, hot ? IDB_ENTRY_HOT : IDB_ENTRY_NORMAL, r, r.Height());
    // A text wider than the face is cut at its edges: nothing an entry draws leaves its face.
    const CClipToRect clip(dc, {r.left, r.top, r.right, r.bottom});

    const UINT format = kEntryTextFormat | (showAccessKeys ? 0 : DT_HIDEPREFIX);
    const geometry::Rect t = r.Offset(0, -1);
    const TextPainter painter(dc, entryFont);
    if (!hot) {
        painter.Draw(text, t, kWhite, format);
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
    painter.Draw(text, t, kEntryShadow, format);
    painter.Draw(text, t.Offset(-2, -1), kWhite, format);
}

void DrawEntryFocus(HDC dc, const geometry::Rect& r) {
    const geometry::Rect frame = layout::FocusFrame(r);
    const RECT bounds{frame.left, frame.top, frame.right, frame.bottom};
    DrawFocusRect(dc, &bounds);
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

void PaintBackground(HDC paintDC, HINSTANCE instance, UINT bitmapId) {
    CBitmap bitmap;
    CPalette palette;
    if (!LoadBackgroundBitmap(instance, bitmapId, bitmap, palette)) {
        return;
    }
    const CPaletteSelection paletteSelection(paintDC, palette.get(), false);
    paletteSelection.Realize();
    BITMAP size{};
    GetObjectW(bitmap.get(), sizeof size, &size);
    const CMemoryDC memory(paintDC);
    const CObjectSelection selected(memory.get(), bitmap.get());
    if (selected) {
        BitBlt(paintDC, 0, 0, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
    }
}
