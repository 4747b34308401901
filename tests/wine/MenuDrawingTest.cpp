// Drawing of a menu page against the real graphics interface: the drawing-object owners, the
// bitmap and palette loading (with bitmaps built in memory), the entries, the help area and the
// background, probed pixel by pixel against the pictures the resources are made from.

#include "menu/win32/MenuDrawing.h"
#include "WineTestSupport.h"
#include "framework/win32/ResourceBitmaps.h"
#include "framework/win32/Gdi.h"
#include "menu/PageColours.h"
#include "menu/PageLayout.h"
#include "res/resource.h"
#include "tools/artwork/Bitmaps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;

    bool operator==(const Colour& other) const {
        return r == other.r && g == other.g && b == other.b;
    }
    bool operator!=(const Colour& other) const { return !(*this == other); }
};

std::ostream& operator<<(std::ostream& out, const Colour& c) {
    return out << "RGB(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Colour From(images::Rgb c) {
    return {c.r, c.g, c.b};
}

constexpr Colour kSentinel{255, 0, 255};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kYellow{255, 255, 0};
constexpr Colour kShadowGrey{127, 127, 127};
constexpr Colour kHelpBlue{62, 89, 126};

// A page-sized true-colour drawing surface: a memory device context with a 24-bit section
// selected, filled with a colour that no drawing of the page uses.
class Surface {
public:
    Surface(int width, int height, Colour fill = kSentinel)
        : m_width(width), m_height(height), m_stride((width * 3 + 3) / 4 * 4),
          m_bitmap(CreateSection(width, height, m_bits)), m_dc(nullptr),
          m_selection(m_dc.get(), m_bitmap.get()) {
        Fill(fill);
    }

    HDC dc() const { return m_dc.get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Ready() const { return m_bits != nullptr && static_cast<bool>(m_selection); }

    void Fill(Colour c) {
        GdiFlush();
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                unsigned char* p = Pixel(x, y);
                p[0] = static_cast<unsigned char>(c.b);
                p[1] = static_cast<unsigned char>(c.g);
                p[2] = static_cast<unsigned char>(c.r);
            }
        }
    }

    Colour At(int x, int y) const {
        GdiFlush();
        const unsigned char* p = Pixel(x, y);
        return {p[2], p[1], p[0]};
    }

private:
    static HBITMAP CreateSection(int width, int height, unsigned char*& bits) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down: row 0 first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        const HBITMAP section =
            CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<unsigned char*>(memory);
        return section;
    }
    unsigned char* Pixel(int x, int y) const {
        return m_bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_stride) +
               static_cast<std::size_t>(x) * 3;
    }

    int m_width;
    int m_height;
    int m_stride;
    unsigned char* m_bits = nullptr;
    CBitmap m_bitmap;
    CMemoryDC m_dc;
    CObjectSelection m_selection;
};

// The page's fonts, made as the page makes them.
CFont MakeFont(int height, int weight) {
    return CFont(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                             FF_SWISS | DEFAULT_PITCH, "Arial"));
}
CFont EntryFont() {
    return MakeFont(-14, 700);
}
CFont HelpFont() {
    return MakeFont(-12, 400);
}

// Pixels that a test looks at: a bounding box, empty while it holds nothing.
struct Box {
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1; // inclusive
    int bottom = -1;

    bool Empty() const { return right < left; }
    void Add(int x, int y) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
    bool Contains(const Box& inner) const {
        return inner.Empty() || (inner.left >= left && inner.right <= right && inner.top >= top &&
                                 inner.bottom <= bottom);
    }
    Box Shifted(int dx, int dy) const {
        return Empty() ? *this : Box{left + dx, top + dy, right + dx, bottom + dy};
    }
    bool operator==(const Box& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    if (box.Empty()) {
        return out << "(empty)";
    }
    return out << "(" << box.left << ", " << box.top << ") to (" << box.right << ", " << box.bottom
               << ")";
}

Box Find(const Surface& surface, const geometry::Rect& area,
         const std::function<bool(int, int, Colour)>& match) {
    Box box;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (match(x, y, surface.At(x, y))) {
                box.Add(x, y);
            }
        }
    }
    return box;
}

// Text as DrawText itself draws it in a font and rectangle, white on black on a surface of its
// own: where its glyphs cover pixels fully, and where they touch them at all.
class ReferenceText {
public:
    ReferenceText(HFONT font, const std::string& text, const geometry::Rect& rect, UINT format)
        : m_surface(620, 380, Colour{0, 0, 0}) {
        const CObjectSelection selected(m_surface.dc(), font);
        SetBkMode(m_surface.dc(), TRANSPARENT);
        SetTextColor(m_surface.dc(), RGB(255, 255, 255));
        RECT bounds{rect.left, rect.top, rect.right, rect.bottom};
        DrawTextA(m_surface.dc(), text.c_str(), static_cast<int>(text.size()), &bounds, format);
    }

    bool Full(int x, int y) const { return m_surface.At(x, y) == kWhite; }
    bool Ink(int x, int y) const { return m_surface.At(x, y) != Colour{0, 0, 0}; }
    Box Glyphs(const geometry::Rect& region) const {
        return Find(m_surface, region, [this](int x, int y, Colour) { return Ink(x, y); });
    }

private:
    Surface m_surface;
};

// The cell of a line of text as DrawText places it: the text drawn with an opaque background.
Box TextCell(HFONT font, const std::string& text, const geometry::Rect& rect, UINT format) {
    Surface scratch(620, 380, Colour{0, 0, 0});
    const CObjectSelection selected(scratch.dc(), font);
    SetBkMode(scratch.dc(), OPAQUE);
    SetBkColor(scratch.dc(), RGB(255, 0, 0));
    SetTextColor(scratch.dc(), RGB(255, 255, 255));
    RECT bounds{rect.left, rect.top, rect.right, rect.bottom};
    DrawTextA(scratch.dc(), text.c_str(), static_cast<int>(text.size()), &bounds, format);
    return Find(scratch, {0, 0, scratch.Width(), scratch.Height()}, [](int, int, Colour c) {
        return c != Colour{0, 0, 0};
    });
}

constexpr UINT kEntryFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
// The entry column beside a 400-pixel background: from x 408 to 593.
constexpr int kLeft = layout::EntryColumnLeft(layout::kBackgroundWidth);
constexpr int kRight = kLeft + layout::kEntryWidth;
const geometry::Rect kFirstEntry = layout::EntryRect(kLeft, 0);
const geometry::Rect kHelpArea{0, 300, 597, 340};
const geometry::Rect kBackgroundRect{0, 0, layout::kBackgroundWidth, layout::kBackgroundHeight};

// --- Drawing-object owners -----------------------------------------------------------------

TEST(GdiObject, DeletesItsObjectAndHandsItOnWhenMoved) {
    const HPEN raw = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    ASSERT_NE(raw, nullptr);
    {
        CPen first(raw);
        CPen second(std::move(first));
        EXPECT_EQ(first.get(), nullptr);
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), raw);
        CPen third;
        third = std::move(second);
        EXPECT_EQ(third.get(), raw);
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_EQ(GetObjectType(raw), 0u) << "the pen outlived its owner";
}

TEST(GdiObject, ResetDeletesTheOldObjectAndReleaseKeepsIt) {
    CBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    const HBRUSH first = brush.get();
    brush.reset(CreateSolidBrush(RGB(4, 5, 6)));
    EXPECT_EQ(GetObjectType(first), 0u);
    const HBRUSH second = brush.release();
    EXPECT_EQ(brush.get(), nullptr);
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(second);
}

TEST(GdiObject, MoveAssignmentDeletesTheObjectItReplaces) {
    CFont kept = EntryFont();
    CFont replaced = HelpFont();
    const HFONT old = replaced.get();
    replaced = std::move(kept);
    EXPECT_EQ(GetObjectType(old), 0u);
    EXPECT_EQ(GetObjectType(replaced.get()), static_cast<DWORD>(OBJ_FONT));
}

TEST(ObjectSelection, PutsThePreviousObjectBack) {
    const Surface surface(8, 8);
    const HGDIOBJ before = GetCurrentObject(surface.dc(), OBJ_PEN);
    const CPen pen(CreatePen(PS_SOLID, 1, RGB(9, 9, 9)));
    {
        const CObjectSelection selected(surface.dc(), pen.get());
        EXPECT_TRUE(selected);
        EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PEN), pen.get());
    }
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PEN), before);
    const CObjectSelection nothing(surface.dc(), nullptr);
    EXPECT_FALSE(nothing);
}

TEST(PaletteSelection, PutsThePreviousPaletteBack) {
    const Surface surface(8, 8);
    const HGDIOBJ before = GetCurrentObject(surface.dc(), OBJ_PAL);
    CBitmap bitmap;
    CPalette palette;
    ASSERT_TRUE(LoadBackgroundBitmap(Module(), IDB_BACKGROUND_LUMO, bitmap, palette));
    {
        const CPaletteSelection selected(surface.dc(), palette.get(), false);
        selected.Realize();
        EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PAL), palette.get());
    }
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PAL), before);
}

TEST(MemoryDC, IsDeletedWithItsOwner) {
    HDC raw = nullptr;
    {
        const CMemoryDC memory(nullptr);
        raw = memory.get();
        ASSERT_NE(raw, nullptr);
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(raw), 0u);
}

// --- Bitmaps and palettes built in memory ----------------------------------------------------

// A packed bitmap as a resource holds it, in storage aligned like a resource, followed by
// bytes that would show if the pixels were looked for in the wrong place.
class PackedDib {
public:
    PackedDib(int width, int height, int bitCount, DWORD compression, DWORD coloursUsed) {
        m_header.biSize = sizeof m_header;
        m_header.biWidth = width;
        m_header.biHeight = height;
        m_header.biPlanes = 1;
        m_header.biBitCount = static_cast<WORD>(bitCount);
        m_header.biCompression = compression;
        m_header.biClrUsed = coloursUsed;
    }
    void AddDword(DWORD value) { Append(&value, sizeof value); }
    void AddColour(int r, int g, int b) {
        const RGBQUAD quad{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
        Append(&quad, sizeof quad);
    }
    void AddRow(const std::vector<std::uint8_t>& bytes) {
        std::vector<std::uint8_t> row = bytes;
        row.resize((row.size() + 3) / 4 * 4, 0);
        Append(row.data(), row.size());
    }

    // The packed bitmap with `padding` further bytes of 0x5A behind it.
    std::vector<DWORD> Build(std::size_t& size, std::size_t padding = 1024) const {
        std::vector<std::uint8_t> bytes(sizeof m_header);
        std::memcpy(bytes.data(), &m_header, sizeof m_header);
        bytes.insert(bytes.end(), m_body.begin(), m_body.end());
        size = bytes.size();
        bytes.resize(bytes.size() + padding, 0x5A);
        std::vector<DWORD> storage((bytes.size() + 3) / 4);
        std::memcpy(storage.data(), bytes.data(), bytes.size());
        return storage;
    }

private:
    void Append(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        m_body.insert(m_body.end(), bytes, bytes + size);
    }

    BITMAPINFOHEADER m_header{};
    std::vector<std::uint8_t> m_body;
};

// The pixels of a bitmap, read back through a memory device context.
Colour PixelOf(HBITMAP bitmap, int x, int y) {
    const CMemoryDC memory(nullptr);
    const CObjectSelection selected(memory.get(), bitmap);
    const COLORREF c = GetPixel(memory.get(), x, y);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

std::vector<PALETTEENTRY> EntriesOf(HPALETTE palette) {
    const UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
    std::vector<PALETTEENTRY> entries(count);
    GetPaletteEntries(palette, 0, count, entries.data());
    return entries;
}

TEST(PackedBitmap, WithAShortColourTableIsReadFromBehindThatTable) {
    // 4 x 2 pixels, 8 bits per pixel, two colours; rows stored bottom-up.
    PackedDib dib(4, 2, 8, BI_RGB, 2);
    dib.AddColour(200, 10, 20);
    dib.AddColour(30, 180, 40);
    dib.AddRow({1, 0, 0, 1}); // bottom row
    dib.AddRow({0, 1, 1, 0}); // top row
    std::size_t size = 0;
    const std::vector<DWORD> data = dib.Build(size);

    CPalette palette;
    const CBitmap bitmap = CreateBitmapFromPackedDib(data.data(), size, palette);
    ASSERT_TRUE(bitmap);
    const Colour red{200, 10, 20};
    const Colour green{30, 180, 40};
    const Colour expected[2][4] = {{red, green, green, red}, {green, red, red, green}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(PixelOf(bitmap.get(), x, y), expected[y][x]) << "pixel " << x << ", " << y;
        }
    }

    ASSERT_TRUE(palette);
    const std::vector<PALETTEENTRY> entries = EntriesOf(palette.get());
    ASSERT_EQ(entries.size(), 2u) << "one palette entry per colour of the table";
    EXPECT_EQ(Colour({entries[0].peRed, entries[0].peGreen, entries[0].peBlue}), red);
    EXPECT_EQ(Colour({entries[1].peRed, entries[1].peGreen, entries[1].peBlue}), green);
    EXPECT_EQ(entries[1].peFlags, 0);
}

TEST(PackedBitmap, WithAFullColourTableHasAPaletteOfAllItsColours) {
    PackedDib dib(2, 1, 8, BI_RGB, 0);
    for (int i = 0; i < 256; ++i) {
        dib.AddColour(i, 255 - i, i / 2);
    }
    dib.AddRow({7, 250});
    std::size_t size = 0;
    const std::vector<DWORD> data = dib.Build(size);

    CPalette palette;
    const CBitmap bitmap = CreateBitmapFromPackedDib(data.data(), size, palette);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), Colour({7, 248, 3}));
    EXPECT_EQ(PixelOf(bitmap.get(), 1, 0), Colour({250, 5, 125}));
    ASSERT_TRUE(palette);
    EXPECT_EQ(EntriesOf(palette.get()).size(), 256u);

    int count = 0;
    const CPalette again =
        CreateBitmapPalette(*reinterpret_cast<const BITMAPINFOHEADER*>(data.data()), count);
    EXPECT_TRUE(again);
    EXPECT_EQ(count, 256);
}

TEST(PackedBitmap, With4BitsAndThreeColoursUsed) {
    PackedDib dib(3, 1, 4, BI_RGB, 3);
    dib.AddColour(10, 20, 30);
    dib.AddColour(40, 50, 60);
    dib.AddColour(70, 80, 90);
    dib.AddRow({0x21, 0x00}); // pixels 2, 1, 0
    std::size_t size = 0;
    const std::vector<DWORD> data = dib.Build(size);

    CPalette palette;
    const CBitmap bitmap = CreateBitmapFromPackedDib(data.data(), size, palette);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), Colour({70, 80, 90}));
    EXPECT_EQ(PixelOf(bitmap.get(), 1, 0), Colour({40, 50, 60}));
    EXPECT_EQ(PixelOf(bitmap.get(), 2, 0), Colour({10, 20, 30}));
    EXPECT_EQ(EntriesOf(palette.get()).size(), 3u);
}

TEST(PackedBitmap, With16BitColourMasksIsReadFromBehindTheMasks) {
    // 5-6-5 masks after the header; pure red, green and blue pixels.
    PackedDib dib(3, 1, 16, BI_BITFIELDS, 0);
    dib.AddDword(0xF800);
    dib.AddDword(0x07E0);
    dib.AddDword(0x001F);
    dib.AddRow({0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00});
    std::size_t size = 0;
    const std::vector<DWORD> data = dib.Build(size);

    CPalette palette;
    const CBitmap bitmap = CreateBitmapFromPackedDib(data.data(), size, palette);
    ASSERT_TRUE(bitmap);
    EXPECT_FALSE(palette);
    const Colour red = PixelOf(bitmap.get(), 0, 0);
    const Colour green = PixelOf(bitmap.get(), 1, 0);
    const Colour blue = PixelOf(bitmap.get(), 2, 0);
    EXPECT_TRUE(red.r >= 248 && red.g == 0 && red.b == 0) << red;
    EXPECT_TRUE(green.r == 0 && green.g >= 252 && green.b == 0) << green;
    EXPECT_TRUE(blue.r == 0 && blue.g == 0 && blue.b >= 248) << blue;
}

TEST(PackedBitmap, TooShortForItsPixelsGivesNoBitmap) {
    PackedDib dib(4, 4, 24, BI_RGB, 0);
    dib.AddRow(std::vector<std::uint8_t>(12, 0));
    std::size_t size = 0;
    const std::vector<DWORD> data = dib.Build(size);
    CPalette palette;
    EXPECT_FALSE(CreateBitmapFromPackedDib(data.data(), size, palette));
    EXPECT_FALSE(CreateBitmapFromPackedDib(data.data(), 20, palette));
}

TEST(BitmapPalette, IsNoneAbove8BitsPerPixel) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = 1;
    header.biHeight = 1;
    header.biPlanes = 1;
    header.biBitCount = 24;
    int count = -1;
    EXPECT_FALSE(CreateBitmapPalette(header, count));
    EXPECT_EQ(count, 0);
}

// --- Bitmap resources ------------------------------------------------------------------------

TEST(BitmapResource, FaceIsLoadedWithoutPaletteAndWithItsPixels) {
    CPalette palette;
    const CBitmap face = LoadBitmapResource(Module(), IDB_ENTRY_NORMAL, palette);
    ASSERT_TRUE(face);
    EXPECT_FALSE(palette) << "a 24-bit bitmap has no palette";
    BITMAP info{};
    ASSERT_NE(GetObjectA(face.get(), sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 185);
    EXPECT_EQ(info.bmHeight, 40);
    const images::Picture expected = images::EntryFace(false);
    for (const POINT p : {POINT{0, 0}, POINT{100, 35}, POINT{183, 10}, POINT{184, 39}}) {
        EXPECT_EQ(PixelOf(face.get(), p.x, p.y), From(expected.At(p.x, p.y)))
            << "pixel " << p.x << ", " << p.y;
    }
}

TEST(BitmapResource, MissingGivesNullBitmapAndPalette) {
    CPalette palette(CreateHalftonePalette(CClientDC(nullptr).get()));
    EXPECT_FALSE(LoadBitmapResource(Module(), 999, palette));
    EXPECT_FALSE(palette);
}

TEST(BackgroundBitmap, With256ColoursHasAPaletteOfItsColourTable) {
    CBitmap bitmap;
    CPalette palette;
    ASSERT_TRUE(LoadBackgroundBitmap(Module(), IDB_BACKGROUND_LUMO, bitmap, palette));
    ASSERT_TRUE(palette);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(bitmap.get(), sizeof section, &section), static_cast<int>(sizeof section))
        << "the background is a device-independent section";
    EXPECT_EQ(section.dsBmih.biBitCount, 8);
    const images::IndexedPicture picture = images::LumoBackground();
    const std::vector<PALETTEENTRY> entries = EntriesOf(palette.get());
    ASSERT_EQ(entries.size(), 256u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const images::Rgb c = picture.Colours()[i];
        ASSERT_EQ(Colour({entries[i].peRed, entries[i].peGreen, entries[i].peBlue}), From(c))
            << "entry " << i;
        ASSERT_EQ(entries[i].peFlags, 0);
    }
}

TEST(BackgroundBitmap, WithTrueColourHasTheHalftonePalette) {
    CBitmap bitmap;
    CPalette palette;
    ASSERT_TRUE(LoadBackgroundBitmap(Module(), IDB_BACKGROUND, bitmap, palette));
    ASSERT_TRUE(palette);
    const CPalette halftone(CreateHalftonePalette(CClientDC(nullptr).get()));
    const std::vector<PALETTEENTRY> expected = EntriesOf(halftone.get());
    const std::vector<PALETTEENTRY> entries = EntriesOf(palette.get());
    ASSERT_EQ(entries.size(), expected.size());
    EXPECT_EQ(std::memcmp(entries.data(), expected.data(), entries.size() * sizeof entries[0]), 0);
}

TEST(BackgroundBitmap, MissingIsReportedWithNullOutputs) {
    CBitmap bitmap(CreateBitmap(1, 1, 1, 1, nullptr));
    CPalette palette(CreateHalftonePalette(CClientDC(nullptr).get()));
    EXPECT_FALSE(LoadBackgroundBitmap(Module(), 999, bitmap, palette));
    EXPECT_FALSE(bitmap);
    EXPECT_FALSE(palette);
}

TEST(BitmapSize, OfTheResources) {
    int width = -1;
    int height = -1;
    ASSERT_TRUE(GetBitmapSize(Module(), IDB_BACKGROUND, width, height));
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 300);
    ASSERT_TRUE(GetBitmapSize(Module(), IDB_BACKGROUND_LUMO, width, height));
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 300);
    ASSERT_TRUE(GetBitmapSize(Module(), IDB_HELP_STRIP, width, height));
    EXPECT_EQ(width, 600);
    EXPECT_EQ(height, 40);
    width = height = -1;
    EXPECT_FALSE(GetBitmapSize(Module(), 999, width, height));
    EXPECT_EQ(width, -1);
}

// --- Entries ---------------------------------------------------------------------------------

TEST(CentredLine, IsMeasuredWhereDrawTextPutsIt) {
    const CFont font = EntryFont();
    const Surface surface(8, 8);
    const CObjectSelection selected(surface.dc(), font.get());
    for (const int height : {36, 37, 38}) {
        for (const std::string text : {"Install Product", "gy", "W"}) {
            const geometry::Rect rect{kLeft, 14, kRight, 14 + height};
            const Box cell = TextCell(font.get(), text, rect, kEntryFormat);
            const CentredLine line = MeasureCentredLine(surface.dc(), rect, text);
            EXPECT_EQ(line.bottom, cell.bottom + 1) << text << " in height " << height;
            EXPECT_EQ(line.width, cell.right - cell.left + 1) << text << " in height " << height;
        }
    }
}

TEST(Entry, NormalShowsTheFaceAndWhiteTextInTheRectangleMovedUp) {
    Surface surface(600, 360);
    const CFont font = EntryFont();
    const std::string text = "Install Product";
    DrawEntry(surface.dc(), Module(), kFirstEntry, text, false, font.get());

    const images::Picture face = images::EntryFace(false);
    EXPECT_EQ(surface.At(kLeft, 15), Colour({153, 200, 226}));
    EXPECT_EQ(surface.At(kLeft, 50), Colour({3, 117, 187}));
    // The face's top 37 rows, unscaled, away from the text: left and right columns, the
    // shadow columns and the first shadow row.
    for (int y = 0; y < 37; ++y) {
        for (const int x : {0, 1, 20, 160, 181, 182, 183, 184}) {
            ASSERT_EQ(surface.At(kLeft + x, 15 + y), From(face.At(x, y))) << x << ", " << y;
        }
    }
    for (int x = 0; x < 185; x += 7) {
        ASSERT_EQ(surface.At(kLeft + x, 51), From(face.At(x, 36))) << "first shadow row, " << x;
    }
    // Nothing outside the rectangle.
    for (int x = 400; x < 600; ++x) {
        ASSERT_EQ(surface.At(x, 14), kSentinel) << x;
        ASSERT_EQ(surface.At(x, 52), kSentinel) << x;
    }
    for (int y = 10; y < 60; ++y) {
        ASSERT_EQ(surface.At(407, y), kSentinel) << y;
        ASSERT_EQ(surface.At(kRight, y), kSentinel) << y;
    }

    // The text, white, where DrawText puts it in r moved up 1: white where its glyphs cover
    // the face fully, the face wherever they do not touch it.
    const ReferenceText glyphs(font.get(), text, kFirstEntry.Offset(0, -1), kEntryFormat);
    int whitePixels = 0;
    for (int y = kFirstEntry.top; y < kFirstEntry.bottom; ++y) {
        for (int x = kFirstEntry.left; x < kFirstEntry.right; ++x) {
            if (glyphs.Full(x, y)) {
                ASSERT_EQ(surface.At(x, y), kWhite) << x << ", " << y;
                ++whitePixels;
            } else if (!glyphs.Ink(x, y)) {
                ASSERT_EQ(surface.At(x, y), From(face.At(x - kLeft, y - 15))) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(whitePixels, 50);
}

TEST(Entry, HotShowsTheReversedFaceUnderlinedShadowedText) {
    Surface surface(600, 360);
    const CFont font = EntryFont();
    const std::string text = "Install Product";
    DrawEntry(surface.dc(), Module(), kFirstEntry, text, true, font.get());

    const images::Picture face = images::EntryFace(true);
    EXPECT_EQ(surface.At(kLeft, 15), Colour({0, 117, 186}));
    EXPECT_EQ(surface.At(kLeft, 50), Colour({152, 199, 227}));
    for (int y = 0; y < 37; ++y) {
        for (const int x : {0, 1, 20, 160, 181, 182, 183, 184}) {
            ASSERT_EQ(surface.At(kLeft + x, 15 + y), From(face.At(x, y))) << x << ", " << y;
        }
    }

    // The underline, along the bottom edge of the text line as DrawText centres it in r moved
    // up 1, from 2 pixels left of the text to its right end.
    const geometry::Rect t = kFirstEntry.Offset(0, -1);
    const Box cell = TextCell(font.get(), text, t, kEntryFormat);
    ASSERT_FALSE(cell.Empty());
    const int yb = cell.bottom + 1;
    const int tw = cell.right - cell.left + 1;
    const int x1 = kLeft + 92 - (tw / 2 + 2);
    const int x2 = kLeft + 92 + (tw - tw / 2);
    EXPECT_EQ(x1, cell.left - 2);
    EXPECT_EQ(x2, cell.right + 1);
    const Box yellow = Find(surface, kFirstEntry, [](int, int, Colour c) { return c == kYellow; });
    EXPECT_EQ(yellow, (Box{x1, yb, x2 - 1, yb}));

    // Grey text in t and white text over it 2 pixels left and 1 pixel up, drawn after the
    // underline; every pixel that no glyph touches shows the face or the underline.
    const ReferenceText white(font.get(), text, t.Offset(-2, -1), kEntryFormat);
    const ReferenceText grey(font.get(), text, t, kEntryFormat);
    int whitePixels = 0;
    int greyPixels = 0;
    int yellowPixels = 0;
    for (int y = kFirstEntry.top; y < kFirstEntry.bottom; ++y) {
        for (int x = kFirstEntry.left; x < kFirstEntry.right; ++x) {
            const Colour c = surface.At(x, y);
            if (white.Full(x, y)) {
                ASSERT_EQ(c, kWhite) << x << ", " << y;
                ++whitePixels;
            } else if (white.Ink(x, y)) {
                continue;
            } else if (grey.Full(x, y)) {
                ASSERT_EQ(c, kShadowGrey) << x << ", " << y;
                ++greyPixels;
            } else if (grey.Ink(x, y)) {
                continue;
            } else if (y == yb && x >= x1 && x < x2) {
                ASSERT_EQ(c, kYellow) << x << ", " << y;
                ++yellowPixels;
            } else {
                ASSERT_EQ(c, From(face.At(x - kLeft, y - 15))) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(whitePixels, 50);
    EXPECT_GT(greyPixels, 20);
    EXPECT_EQ(yellowPixels, x2 - x1) << "no glyph touches the underline";
}

TEST(Entry, LeavesTheDeviceContextAsItFoundIt) {
    Surface surface(600, 360);
    const CFont font = EntryFont();
    SetTextColor(surface.dc(), RGB(1, 2, 3));
    SetBkMode(surface.dc(), OPAQUE);
    const HGDIOBJ pen = GetCurrentObject(surface.dc(), OBJ_PEN);
    const HGDIOBJ dcFont = GetCurrentObject(surface.dc(), OBJ_FONT);
    const HGDIOBJ palette = GetCurrentObject(surface.dc(), OBJ_PAL);
    DrawEntry(surface.dc(), Module(), kFirstEntry, "Entry", true, font.get());
    DrawHelpArea(surface.dc(), Module(), kHelpArea, "Help", 312, font.get());
    PaintBackground(surface.dc(), Module(), IDB_BACKGROUND_LUMO, kBackgroundRect);
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_FONT), dcFont);
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PAL), palette);
    EXPECT_EQ(GetTextColor(surface.dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(surface.dc()), OPAQUE);
}

// --- Help area -------------------------------------------------------------------------------

TEST(HelpArea, StretchesTheStripOverTheArea) {
    Surface surface(600, 360);
    const CFont font = HelpFont();
    DrawHelpArea(surface.dc(), Module(), kHelpArea, "", 312, font.get());

    const images::Picture strip = images::HelpStrip();
    // The gradient at both ends of every row.
    for (int y = 0; y < 40; ++y) {
        ASSERT_EQ(surface.At(0, 300 + y), From(strip.At(0, y))) << y;
        ASSERT_EQ(surface.At(596, 300 + y), From(strip.At(599, y))) << y;
    }
    EXPECT_EQ(surface.At(0, 300), Colour({241, 248, 253}));
    EXPECT_EQ(surface.At(0, 339), Colour({99, 169, 229}));
    // The white panel and its outline, now ending 3 pixels further left than in the bitmap.
    EXPECT_EQ(surface.At(300, 320), kWhite);
    EXPECT_EQ(surface.At(300, 305), Colour({192, 192, 192}));
    EXPECT_EQ(surface.At(300, 333), Colour({192, 192, 192}));
    const Box outline = Find(surface, {580, 320, 597, 321}, [](int, int, Colour c) {
        return c == Colour{192, 192, 192};
    });
    EXPECT_EQ(outline.left, outline.right) << "a one-pixel outline";
    EXPECT_EQ(outline.left, 590);
    EXPECT_EQ(surface.At(kRight, 320), From(strip.At(599, 20)));
    // Nothing outside the area.
    for (int x = 0; x < 600; x += 3) {
        ASSERT_EQ(surface.At(x, 299), kSentinel) << x;
    }
    for (int y = 300; y < 340; ++y) {
        ASSERT_EQ(surface.At(597, y), kSentinel) << y;
    }
}

TEST(HelpArea, DrawsTheTextFromItsTopRowWithAWhiteShadow) {
    Surface surface(600, 360);
    const CFont font = HelpFont();
    // Three lines from row 300, over the strip's top gradient where the white shadow shows:
    // two fit above the strip's bottom frame (row 333), the third is not drawn. The text is
    // drawn as it stands: broken only at its line feeds, the ampersand a character like any
    // other.
    DrawHelpArea(surface.dc(), Module(), kHelpArea, "First line\nSecond & line\nThird line", 300,
                 font.get());

    const std::string shown = "First line\nSecond & line";
    const geometry::Rect textRect{18, 300, 597, 333};
    geometry::Rect shadowRect = textRect.Offset(2, 1);
    shadowRect.bottom = 333;
    const UINT format = DT_LEFT | DT_TOP | DT_NOPREFIX;
    const ReferenceText blue(font.get(), shown, textRect, format);
    const ReferenceText white(font.get(), shown, shadowRect, format);
    const Box glyphs = blue.Glyphs(kHelpArea);
    EXPECT_GE(glyphs.top, 300);
    EXPECT_LE(glyphs.top, 304) << "the first line starts at the top of the text rectangle";
    EXPECT_GT(glyphs.bottom, 315) << "a second line";

    // Blue text over its white shadow, on the strip as drawn without text. The shadow shows
    // only where the text leaves the white panel: on the third line.
    Surface plain(600, 360);
    DrawHelpArea(plain.dc(), Module(), kHelpArea, "", 305, font.get());
    int bluePixels = 0;
    int whitePixels = 0;
    for (int y = kHelpArea.top; y < kHelpArea.bottom; ++y) {
        for (int x = kHelpArea.left; x < kHelpArea.right; ++x) {
            const Colour c = surface.At(x, y);
            if (blue.Full(x, y)) {
                ASSERT_EQ(c, kHelpBlue) << x << ", " << y;
                ++bluePixels;
            } else if (blue.Ink(x, y)) {
                continue;
            } else if (white.Full(x, y)) {
                ASSERT_EQ(c, kWhite) << x << ", " << y;
                whitePixels += plain.At(x, y) != kWhite ? 1 : 0;
            } else if (!white.Ink(x, y)) {
                ASSERT_EQ(c, plain.At(x, y)) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(bluePixels, 50);
    EXPECT_GT(whitePixels, 0) << "a white shadow off the panel";
}

TEST(HelpArea, TwoLineTextStartsNearItsTopRow) {
    Surface surface(600, 360);
    const CFont font = HelpFont();
    DrawHelpArea(surface.dc(), Module(), kHelpArea, "Install the product\nfrom this disc\n\n", 305,
                 font.get());
    const Box text = Find(surface, kHelpArea, [](int, int, Colour c) { return c == kHelpBlue; });
    ASSERT_FALSE(text.Empty());
    EXPECT_GE(text.top, 305);
    EXPECT_LE(text.top, 309);
    EXPECT_GE(text.left, 18);
    EXPECT_LE(text.left, 20);
    EXPECT_GE(text.bottom, 320) << "a second line";
    EXPECT_LE(text.bottom, 333);
}

// --- Background --------------------------------------------------------------------------------

void ExpectBackground(const Surface& surface, const std::function<Colour(int, int)>& expected) {
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            ASSERT_EQ(surface.At(x, y), expected(x, y)) << x << ", " << y;
        }
    }
    for (int i = 0; i < 400; ++i) {
        ASSERT_EQ(surface.At(400, i * 3 / 4), kSentinel);
        ASSERT_EQ(surface.At(i, 300), kSentinel);
    }
}

// --- High contrast and other scales ------------------------------------------------------------

TEST(HighContrast, EntriesAndHelpAreaInTheSystemsColoursWithAFrame) {
    // A white-on-black theme with a cyan highlight.
    const colours::PageColours theme = colours::ChoosePageColours(
        true, {RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 255, 255)});
    Surface surface(600, 360);
    const CFont entryFont = EntryFont();
    const CFont helpFont = HelpFont();
    const geometry::Rect second = layout::EntryRect(kLeft, 1);
    DrawEntry(surface.dc(), Module(), kFirstEntry, "Install", false, entryFont.get(), {}, theme);
    DrawEntry(surface.dc(), Module(), second, "Install", true, entryFont.get(), {}, theme);
    DrawHelpArea(surface.dc(), Module(), kHelpArea, "Help", 312, helpFont.get(), {}, theme);

    const Colour black{0, 0, 0};
    const Colour cyan{0, 255, 255};
    // Frames along every edge, in the text's colour; inside them the fill, no face or strip.
    for (const auto& [rect, frame, fill] :
         {std::tuple{kFirstEntry, kWhite, black}, std::tuple{second, black, cyan},
          std::tuple{kHelpArea, kWhite, black}}) {
        EXPECT_EQ(surface.At(rect.left, rect.top + 5), frame);
        EXPECT_EQ(surface.At(rect.right - 1, rect.top + 5), frame);
        EXPECT_EQ(surface.At(rect.left + 5, rect.top), frame);
        EXPECT_EQ(surface.At(rect.left + 5, rect.bottom - 1), frame);
        EXPECT_EQ(surface.At(rect.left + 2, rect.top + 2), fill);
    }
    // Only the fill and the text's colour (with its smoothing between them) in the hot entry:
    // no yellow, no grey shadow.
    const Box foreign =
        Find(surface, second, [](int, int, Colour c) { return c == kYellow || c == kShadowGrey; });
    EXPECT_TRUE(foreign.Empty()) << foreign;
    const Box text =
        Find(surface, {second.left + 2, second.top + 2, second.right - 2, second.bottom - 2},
             [&](int, int, Colour c) { return c == black; });
    EXPECT_FALSE(text.Empty()) << "the text and its underline in the highlight's text colour";
    EXPECT_FALSE(
        Find(surface, {20, 305, 200, 333}, [](int, int, Colour c) { return c == kWhite; }).Empty())
        << "the help text in the window's text colour";
}

TEST(OtherScales, DrawTheTwiceSizedPicturesAndTheTextAtTheScreensSize) {
    const layout::Scale twice = layout::ScaleForDpi(192);
    Surface surface(1200, 700);
    const CFont font = MakeFont(twice.Px(layout::kEntryFontHeight), 700);
    const geometry::Rect entry = layout::EntryRect(kLeft, 0, twice);
    DrawEntry(surface.dc(), Module(), entry, "Install", false, font.get(), twice);
    // The 2x face's rows, one for one: its top row at the entry's top, its gradient below.
    const images::Picture face = images::EntryFace(false, 2);
    EXPECT_EQ(surface.At(entry.left + 4, entry.top), From(face.At(4, 0)));
    EXPECT_EQ(surface.At(entry.left + 4, entry.top + 40), From(face.At(4, 40)));
    const Box white = Find(surface, entry, [](int, int, Colour c) { return c == kWhite; });
    EXPECT_GE(white.bottom - white.top, 14) << "glyphs at twice the height";

    // The background at 144 DPI: the 2x picture shrunk to the scaled rectangle.
    const layout::Scale half = layout::ScaleForDpi(144);
    const geometry::Rect target = layout::BackgroundRect(400, 300, half);
    PaintBackground(surface.dc(), Module(), IDB_BACKGROUND, target, half);
    const images::Picture big = images::MainBackground(2);
    int similar = 0;
    for (int y = 10; y < 440; y += 37) {
        for (int x = 10; x < 590; x += 41) {
            const images::Rgb expected = big.At(x * 4 / 3, y * 4 / 3);
            const Colour actual = surface.At(x, y);
            similar += std::abs(actual.r - expected.r) + std::abs(actual.g - expected.g) +
                                   std::abs(actual.b - expected.b) <
                               40
                           ? 1
                           : 0;
        }
    }
    EXPECT_GT(similar, 130) << "of 180 points";
    EXPECT_EQ(surface.At(target.right, 100), kSentinel) << "nothing beyond the scaled picture";
}

TEST(Background, IsCopiedToTheClientOrigin) {
    Surface surface(600, 360);
    PaintBackground(surface.dc(), Module(), IDB_BACKGROUND, kBackgroundRect);
    const images::Picture picture = images::MainBackground();
    ExpectBackground(surface, [&](int x, int y) { return From(picture.At(x, y)); });
}

TEST(Background, With256ColoursIsCopiedWithItsColours) {
    Surface surface(600, 360);
    PaintBackground(surface.dc(), Module(), IDB_BACKGROUND_LUMO, kBackgroundRect);
    const images::IndexedPicture picture = images::LumoBackground();
    ExpectBackground(surface, [&](int x, int y) { return From(picture.At(x, y)); });
}

TEST(Background, MissingDrawsNothing) {
    Surface surface(600, 360);
    PaintBackground(surface.dc(), Module(), 999, kBackgroundRect);
    EXPECT_TRUE(
        Find(surface, {0, 0, 600, 360}, [](int, int, Colour c) { return c != kSentinel; }).Empty());
}

// A window that paints its background through CPaintDC.
struct PaintedWindow {
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PAINT) {
            const CPaintDC dc(window);
            paintedArea = dc.paintStruct().rcPaint;
            PaintBackground(dc.get(), Module(), IDB_BACKGROUND, kBackgroundRect);
            return 0;
        }
        if (message == WM_ERASEBKGND) {
            return 1;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static RECT paintedArea;
};
RECT PaintedWindow::paintedArea{};

TEST(Background, IsPaintedIntoAWindowThroughItsPaintContext) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &PaintedWindow::Procedure;
    windowClass.hInstance = Module();
    windowClass.lpszClassName = "MenuDrawingTestWindow";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Drawing", WS_POPUP, 0, 0,
                                        500, 400, nullptr, nullptr, Module(), nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    EXPECT_EQ(PaintedWindow::paintedArea.right, 500);
    EXPECT_EQ(PaintedWindow::paintedArea.bottom, 400);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "painting ended";

    const images::Picture picture = images::MainBackground();
    {
        const CClientDC dc(window);
        ASSERT_NE(dc.get(), nullptr);
        for (const POINT p : {POINT{0, 0}, POINT{200, 100}, POINT{399, 299}, POINT{50, 250}}) {
            const COLORREF c = GetPixel(dc.get(), p.x, p.y);
            EXPECT_EQ(Colour({GetRValue(c), GetGValue(c), GetBValue(c)}),
                      From(picture.At(p.x, p.y)))
                << p.x << ", " << p.y;
        }
    }
    DestroyWindow(window);
    UnregisterClassA(windowClass.lpszClassName, Module());
}

// --- No leaks ----------------------------------------------------------------------------------

TEST(Leaks, AreSeenByTheObjectCount) {
    const long before = winetest::GdiObjectsInUse();
    const CBrush kept(CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_EQ(winetest::GdiObjectsInUse(), before + 1);
}

TEST(Leaks, NoneAfterManyDraws) {
    Surface surface(600, 360);
    const CFont entryFont = EntryFont();
    const CFont helpFont = HelpFont();
    auto drawAll = [&] {
        DrawEntry(surface.dc(), Module(), kFirstEntry, "Install Product", false, entryFont.get());
        DrawEntry(surface.dc(), Module(), kFirstEntry, "Install Product", true, entryFont.get());
        DrawHelpArea(surface.dc(), Module(), kHelpArea, "Help\nText", 305, helpFont.get());
        PaintBackground(surface.dc(), Module(), IDB_BACKGROUND, kBackgroundRect);
        PaintBackground(surface.dc(), Module(), IDB_BACKGROUND_LUMO, kBackgroundRect);
        CPalette palette;
        const CBitmap strip = LoadBitmapResource(Module(), IDB_HELP_STRIP, palette);
        CopyBitmap(surface.dc(), strip.get(), palette.get(), {0, 0, 600, 40}, kHelpArea);
        CBitmap background;
        LoadBackgroundBitmap(Module(), IDB_BACKGROUND_LUMO, background, palette);
        int width = 0;
        int height = 0;
        GetBitmapSize(Module(), IDB_BACKGROUND, width, height);
    };
    drawAll(); // caches of the system fill on first use
    const long before = winetest::GdiObjectsInUse();
    for (int i = 0; i < 50; ++i) {
        drawAll();
    }
    EXPECT_EQ(winetest::GdiObjectsInUse(), before);
}

} // namespace
