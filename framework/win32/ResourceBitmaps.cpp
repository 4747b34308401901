#include "framework/win32/ResourceBitmaps.h"

#include "framework/StoredPicture.h"

#include <cstddef>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The resource type of bitmaps, spelt out so that it stays the ANSI form that FindResourceA
// takes whatever the character-set settings of the build.
const LPCSTR kBitmapResourceType = MAKEINTRESOURCEA(2);

// The raw bytes of resource `id` of `type`; null data when there is none.
PackedDib RawResource(HINSTANCE instance, UINT id, LPCSTR type) {
    const HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), type);
    const HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    return {data, data != nullptr ? SizeofResource(instance, found) : 0};
}

// A picture as the program uses it: decoded from its stored form, or a plain bitmap resource
// read where it lies.
struct Picture {
    std::vector<unsigned char> decoded;
    PackedDib dib;
};

// The pictures decoded so far, by module and id; a picture that cannot be read is not kept.
std::map<std::pair<HINSTANCE, UINT>, Picture>& Pictures() {
    static std::map<std::pair<HINSTANCE, UINT>, Picture> pictures;
    return pictures;
}

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

// The pixels of a packed bitmap of `size` bytes, after the colour table that is actually
// there, however short it is; null when the header and table do not describe the bytes.
const unsigned char* PixelsOf(const void* dib, std::size_t size) {
    if (dib == nullptr || size < sizeof(BITMAPINFOHEADER)) {
        return nullptr;
    }
    const auto& header = *static_cast<const BITMAPINFOHEADER*>(dib);
    const std::size_t entries = ColourTableEntries(header);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biBitCount == 0 ||
        (header.biBitCount <= 8 && entries > (std::size_t{1} << header.biBitCount))) {
        return nullptr;
    }
    const std::size_t bitsOffset = ColourTableOffset(header) + entries * sizeof(RGBQUAD);
    if (bitsOffset > size || PixelBytes(header) > size - bitsOffset) {
        return nullptr;
    }
    return static_cast<const unsigned char*>(dib) + bitsOffset;
}

} // namespace

const PackedDib* FindPicture(HINSTANCE instance, UINT id) {
    auto& pictures = Pictures();
    const auto kept = pictures.find({instance, id});
    if (kept != pictures.end()) {
        return &kept->second.dib;
    }
    const PackedDib stored = RawResource(instance, id, pictures::kResourceType);
    const PackedDib plain =
        stored.data != nullptr ? PackedDib{} : RawResource(instance, id, kBitmapResourceType);
    std::optional<std::vector<unsigned char>> decoded;
    if (stored.data != nullptr) {
        decoded = pictures::Decode(stored.data, stored.size);
    }
    if (!decoded && plain.data == nullptr) {
        return nullptr;
    }
    // The map's nodes stay where they are, and so do the decoded bytes they own.
    Picture& picture = pictures[{instance, id}];
    if (decoded) {
        picture.decoded = std::move(*decoded);
        picture.dib = {picture.decoded.data(), picture.decoded.size()};
    } else {
        picture.dib = plain;
    }
    return &picture.dib;
}

bool HasPicture(HINSTANCE instance, UINT id) {
    return FindResourceA(instance, MAKEINTRESOURCEA(id), pictures::kResourceType) != nullptr ||
           FindResourceA(instance, MAKEINTRESOURCEA(id), kBitmapResourceType) != nullptr;
}

CBitmap LoadBitmapResource(HINSTANCE instance, UINT id, CPalette& palette) {
    palette.reset();
    const PackedDib* picture = FindPicture(instance, id);
    if (picture == nullptr) {
        return CBitmap();
    }
    return CreateBitmapFromPackedDib(picture->data, picture->size, palette);
}

CBitmap CreateBitmapFromPackedDib(const void* dib, std::size_t size, CPalette& palette) {
    palette.reset();
    const unsigned char* bits = PixelsOf(dib, size);
    if (bits == nullptr) {
        return CBitmap();
    }
    const auto& header = *static_cast<const BITMAPINFOHEADER*>(dib);
    int colourCount = 0;
    palette = CreateBitmapPalette(header, colourCount);
    const CClientDC screen(nullptr);
    const CPaletteSelection selection(screen.get(), palette.get(), true);
    selection.Realize();
    return CBitmap(CreateDIBitmap(screen.get(), &header, CBM_INIT, bits,
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
    const PackedDib* picture = FindPicture(instance, id);
    const unsigned char* bits =
        picture != nullptr ? PixelsOf(picture->data, picture->size) : nullptr;
    if (bits == nullptr) {
        return false;
    }
    // A section of the picture's own format and colour table, holding its pixels.
    const auto& header = *static_cast<const BITMAPINFOHEADER*>(picture->data);
    void* sectionBits = nullptr;
    CBitmap section(CreateDIBSection(nullptr, static_cast<const BITMAPINFO*>(picture->data),
                                     DIB_RGB_COLORS, &sectionBits, nullptr, 0));
    if (!section || sectionBits == nullptr) {
        return false;
    }
    std::memcpy(sectionBits, bits, PixelBytes(header));
    int colourCount = 0;
    palette = CreateBitmapPalette(header, colourCount);
    // Many colours, or a colour table that the picture does not hold.
    if (!palette) {
        const CClientDC screen(nullptr);
        palette.reset(CreateHalftonePalette(screen.get()));
    }
    bitmap = std::move(section);
    return true;
}

bool GetBitmapSize(HINSTANCE instance, UINT id, int& width, int& height) {
    // Only the header of a stored picture that is not decoded yet: the page asks the size of
    // its background at every scale, also where it draws the 2x picture.
    std::optional<std::vector<unsigned char>> start;
    const void* header = nullptr;
    const auto kept = Pictures().find({instance, id});
    if (kept != Pictures().end()) {
        header = kept->second.dib.data;
    } else if (const PackedDib stored = RawResource(instance, id, pictures::kResourceType);
               stored.data != nullptr) {
        start = pictures::DecodeStart(stored.data, stored.size, sizeof(BITMAPINFOHEADER));
        header = start ? start->data() : nullptr;
    } else {
        const PackedDib plain = RawResource(instance, id, kBitmapResourceType);
        header = plain.size >= sizeof(BITMAPINFOHEADER) ? plain.data : nullptr;
    }
    if (header == nullptr) {
        return false;
    }
    BITMAPINFOHEADER info{};
    std::memcpy(&info, header, sizeof info);
    if (info.biSize < sizeof info || info.biWidth <= 0 || info.biHeight == 0) {
        return false;
    }
    width = info.biWidth;
    height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    return true;
}
