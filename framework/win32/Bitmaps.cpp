#include "framework/win32/Bitmaps.h"

#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// The resource type of bitmaps, spelt out so that it stays the ANSI form that FindResourceA
// takes whatever the character-set settings of the build.
const LPCSTR kBitmapResourceType = MAKEINTRESOURCEA(2);

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

} // namespace

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
