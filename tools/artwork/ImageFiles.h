#pragma once
// Pictures in memory and their files: device-independent bitmaps (.bmp) with 24 bits per pixel
// or with 8 bits per pixel and a 256-colour table, and icon files (.ico) of 32-bit images with
// an AND mask. Every header field is written by hand, little-endian, so the files come out
// byte for byte the same on every host and need no Windows headers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

namespace images {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb& a, const Rgb& b) {
        return a.r == b.r && a.g == b.g && a.b == b.b;
    }
    friend bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
};

constexpr Rgb kWhite{255, 255, 255};

constexpr Rgb Grey(std::uint8_t level) {
    return Rgb{level, level, level};
}

// A true-colour picture; row 0 is the top row.
class Picture {
public:
    Picture(int width, int height, Rgb fill = kWhite)
        : m_width(width), m_height(height),
          m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rgb At(int x, int y) const { return m_pixels[Index(x, y)]; }
    void Set(int x, int y, Rgb colour) { m_pixels[Index(x, y)] = colour; }

private:
    std::size_t Index(int x, int y) const {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
            throw std::out_of_range("pixel outside the picture");
        }
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
               static_cast<std::size_t>(x);
    }

    int m_width;
    int m_height;
    std::vector<Rgb> m_pixels;
};

using Palette = std::array<Rgb, 256>;

// A picture of colour-table indexes with its full 256-colour table; row 0 is the top row.
class IndexedPicture {
public:
    IndexedPicture(int width, int height, const Palette& palette)
        : m_width(width), m_height(height), m_palette(palette),
          m_indexes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const Palette& Colours() const { return m_palette; }
    std::uint8_t IndexAt(int x, int y) const { return m_indexes[Index(x, y)]; }
    Rgb At(int x, int y) const { return m_palette[IndexAt(x, y)]; }
    void SetIndex(int x, int y, std::uint8_t index) { m_indexes[Index(x, y)] = index; }

private:
    std::size_t Index(int x, int y) const {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
            throw std::out_of_range("pixel outside the picture");
        }
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
               static_cast<std::size_t>(x);
    }

    int m_width;
    int m_height;
    Palette m_palette;
    std::vector<std::uint8_t> m_indexes;
};

// One image of an icon file: colours with an alpha channel, row 0 on top. Pixels whose alpha is
// 0 are transparent and set in the AND mask.
struct IconImage {
    int size = 0;
    std::vector<std::array<std::uint8_t, 4>> rgba; // size * size pixels: r, g, b, alpha
};

namespace detail {

inline void PutU8(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void PutU16(Bytes& out, unsigned value) {
    PutU8(out, value & 0xFFu);
    PutU8(out, (value >> 8) & 0xFFu);
}

inline void PutU32(Bytes& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFFu);
    PutU16(out, (value >> 16) & 0xFFFFu);
}

inline void PutS32(Bytes& out, std::int32_t value) {
    PutU32(out, static_cast<std::uint32_t>(value));
}

// Rows of a bitmap start on 4-byte boundaries.
constexpr std::uint32_t RowStride(int width, int bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel) + 31u) /
            32u) *
           4u;
}

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835; // 72 dots per inch

// BITMAPINFOHEADER: positive height (rows stored bottom-up), one plane, no compression.
inline void PutInfoHeader(Bytes& out, int width, int height, int bitsPerPixel,
                          std::uint32_t imageSize, std::uint32_t coloursUsed,
                          std::int32_t pixelsPerMetre = kPixelsPerMetre) {
    PutU32(out, kInfoHeaderSize);
    PutS32(out, width);
    PutS32(out, height);
    PutU16(out, 1);
    PutU16(out, static_cast<unsigned>(bitsPerPixel));
    PutU32(out, 0); // BI_RGB
    PutU32(out, imageSize);
    PutS32(out, pixelsPerMetre);
    PutS32(out, pixelsPerMetre);
    PutU32(out, coloursUsed);
    PutU32(out, 0); // all colours important
}

inline void PutFileHeader(Bytes& out, std::uint32_t fileSize, std::uint32_t bitsOffset) {
    PutU8(out, 'B');
    PutU8(out, 'M');
    PutU32(out, fileSize);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, bitsOffset);
}

inline void PadRow(Bytes& out, std::size_t rowStart, std::uint32_t stride) {
    while (out.size() - rowStart < stride) {
        PutU8(out, 0);
    }
}

} // namespace detail

// A 24-bit BMP file: no colour table, rows bottom-up in blue, green, red order.
inline Bytes EncodeBmp(const Picture& picture) {
    using namespace detail;
    const std::uint32_t stride = RowStride(picture.Width(), 24);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(picture.Height());
    const std::uint32_t bitsOffset = kFileHeaderSize + kInfoHeaderSize;
    Bytes out;
    out.reserve(bitsOffset + imageSize);
    PutFileHeader(out, bitsOffset + imageSize, bitsOffset);
    PutInfoHeader(out, picture.Width(), picture.Height(), 24, imageSize, 0);
    for (int y = picture.Height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < picture.Width(); ++x) {
            const Rgb c = picture.At(x, y);
            PutU8(out, c.b);
            PutU8(out, c.g);
            PutU8(out, c.r);
        }
        PadRow(out, rowStart, stride);
    }
    return out;
}

// An 8-bit BMP file with all 256 colour-table entries, so the pixel bits follow the header and
// 256 four-byte entries whatever a reader takes the colour count to be.
inline Bytes EncodeBmp(const IndexedPicture& picture) {
    using namespace detail;
    const std::uint32_t stride = RowStride(picture.Width(), 8);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(picture.Height());
    const std::uint32_t tableSize = 256 * 4;
    const std::uint32_t bitsOffset = kFileHeaderSize + kInfoHeaderSize + tableSize;
    Bytes out;
    out.reserve(bitsOffset + imageSize);
    PutFileHeader(out, bitsOffset + imageSize, bitsOffset);
    PutInfoHeader(out, picture.Width(), picture.Height(), 8, imageSize, 256);
    for (const Rgb& c : picture.Colours()) {
        PutU8(out, c.b);
        PutU8(out, c.g);
        PutU8(out, c.r);
        PutU8(out, 0);
    }
    for (int y = picture.Height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < picture.Width(); ++x) {
            PutU8(out, picture.IndexAt(x, y));
        }
        PadRow(out, rowStart, stride);
    }
    return out;
}

// An icon file: the directory, then per image a BITMAPINFOHEADER of twice the image height,
// the 32-bit colour rows (blue, green, red, alpha; bottom-up) and the 1-bit AND mask rows.
inline Bytes EncodeIcon(const std::vector<IconImage>& icons) {
    using namespace detail;
    constexpr std::uint32_t kDirectorySize = 6;
    constexpr std::uint32_t kEntrySize = 16;
    std::vector<Bytes> images;
    for (const IconImage& icon : icons) {
        const std::uint32_t colourSize =
            RowStride(icon.size, 32) * static_cast<std::uint32_t>(icon.size);
        const std::uint32_t maskStride = RowStride(icon.size, 1);
        const std::uint32_t maskSize = maskStride * static_cast<std::uint32_t>(icon.size);
        Bytes image;
        // The height covers the colour rows and the mask rows; icons carry no resolution.
        PutInfoHeader(image, icon.size, 2 * icon.size, 32, colourSize + maskSize, 0, 0);
        for (int y = icon.size - 1; y >= 0; --y) {
            for (int x = 0; x < icon.size; ++x) {
                const auto& p = icon.rgba[static_cast<std::size_t>(y * icon.size + x)];
                PutU8(image, p[2]);
                PutU8(image, p[1]);
                PutU8(image, p[0]);
                PutU8(image, p[3]);
            }
        }
        for (int y = icon.size - 1; y >= 0; --y) {
            const std::size_t rowStart = image.size();
            unsigned bits = 0;
            int count = 0;
            for (int x = 0; x < icon.size; ++x) {
                const auto& p = icon.rgba[static_cast<std::size_t>(y * icon.size + x)];
                bits = (bits << 1) | (p[3] == 0 ? 1u : 0u);
                if (++count == 8) {
                    PutU8(image, bits);
                    bits = 0;
                    count = 0;
                }
            }
            if (count != 0) {
                PutU8(image, bits << (8 - count));
            }
            PadRow(image, rowStart, maskStride);
        }
        images.push_back(std::move(image));
    }

    Bytes out;
    PutU16(out, 0); // reserved
    PutU16(out, 1); // icon
    PutU16(out, static_cast<unsigned>(icons.size()));
    std::uint32_t offset = kDirectorySize + kEntrySize * static_cast<std::uint32_t>(icons.size());
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const unsigned size = static_cast<unsigned>(icons[i].size);
        PutU8(out, size >= 256 ? 0 : size);
        PutU8(out, size >= 256 ? 0 : size);
        PutU8(out, 0); // no colour table
        PutU8(out, 0);
        PutU16(out, 1);  // planes
        PutU16(out, 32); // bits per pixel
        PutU32(out, static_cast<std::uint32_t>(images[i].size()));
        PutU32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const Bytes& image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

// Reading back the little-endian fields of a file, for checks of what was written.
inline std::uint32_t ReadU16(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes.at(offset)) |
           (static_cast<std::uint32_t>(bytes.at(offset + 1)) << 8);
}

inline std::uint32_t ReadU32(const Bytes& bytes, std::size_t offset) {
    return ReadU16(bytes, offset) | (ReadU16(bytes, offset + 2) << 16);
}

} // namespace images
