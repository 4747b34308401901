#include "brand/Png.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace brand {

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kSignatureBytes = 8;
// The largest picture decoded: far more than any page's picture at twice its size.
constexpr std::uint64_t kMostPixels = std::uint64_t{16} << 20;

struct Header {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int depth = 0;
    int colourType = 0;
    int interlace = 0;
};

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    return (std::uint32_t{static_cast<unsigned char>(bytes[at])} << 24) |
           (std::uint32_t{static_cast<unsigned char>(bytes[at + 1])} << 16) |
           (std::uint32_t{static_cast<unsigned char>(bytes[at + 2])} << 8) |
           std::uint32_t{static_cast<unsigned char>(bytes[at + 3])};
}

unsigned BigEndian16(std::string_view bytes, std::size_t at) {
    return (unsigned{static_cast<unsigned char>(bytes[at])} << 8) |
           unsigned{static_cast<unsigned char>(bytes[at + 1])};
}

// The samples of one pixel: 1 (grey, palette index), 2 (grey and alpha), 3 (RGB) or 4 (RGBA).
int ChannelsOf(int colourType) {
    switch (colourType) {
    case 0:
    case 3:
        return 1;
    case 4:
        return 2;
    case 2:
        return 3;
    case 6:
        return 4;
    default:
        return 0;
    }
}

// Whether the format allows `depth` for `colourType`.
bool IsAllowedDepth(int colourType, int depth) {
    switch (colourType) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

std::uint8_t Flatten(int colour, int alpha, int behind) {
    return static_cast<std::uint8_t>((colour * alpha + behind * (255 - alpha) + 127) / 255);
}

Rgb Flatten(Rgb colour, int alpha, Rgb behind) {
    return {Flatten(colour.red, alpha, behind.red), Flatten(colour.green, alpha, behind.green),
            Flatten(colour.blue, alpha, behind.blue)};
}

// Undoes the row filter `kind` of `row`, given the row above it; false for an unknown filter.
bool Unfilter(int kind, std::vector<std::uint8_t>& row, const std::vector<std::uint8_t>& previous,
              std::size_t unit) {
    const std::size_t size = row.size();
    switch (kind) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = unit; i < size; ++i) {
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - unit]);
        }
        return true;
    case 2:
        for (std::size_t i = 0; i < size; ++i) {
            row[i] = static_cast<std::uint8_t>(row[i] + previous[i]);
        }
        return true;
    case 3:
        for (std::size_t i = 0; i < size; ++i) {
            const int left = i >= unit ? row[i - unit] : 0;
            row[i] = static_cast<std::uint8_t>(row[i] + ((left + previous[i]) >> 1));
        }
        return true;
    case 4:
        for (std::size_t i = 0; i < size; ++i) {
            const int a = i >= unit ? row[i - unit] : 0;
            const int b = previous[i];
            const int c = i >= unit ? previous[i - unit] : 0;
            const int p = a + b - c;
            const int pa = std::abs(p - a);
            const int pb = std::abs(p - b);
            const int pc = std::abs(p - c);
            const int predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            row[i] = static_cast<std::uint8_t>(row[i] + predicted);
        }
        return true;
    default:
        return false;
    }
}

// The chunks of a PNG file that make its picture.
struct Chunks {
    std::optional<Header> header;
    std::vector<Rgb> palette;
    std::string transparency;
    bool hasTransparency = false;
    std::string compressed;
};

Chunks ReadChunks(std::string_view file) {
    Chunks chunks;
    std::size_t position = kSignatureBytes;
    while (position + 8 <= file.size()) {
        const std::uint32_t length = BigEndian32(file, position);
        const std::string_view kind = file.substr(position + 4, 4);
        const std::string_view body = file.substr(position + 8).substr(0, length);
        position += std::size_t{12} + length;
        if (kind == "IHDR" && body.size() >= 13) {
            chunks.header = Header{
                BigEndian32(body, 0), BigEndian32(body, 4), static_cast<unsigned char>(body[8]),
                static_cast<unsigned char>(body[9]), static_cast<unsigned char>(body[12])};
        } else if (kind == "PLTE") {
            for (std::size_t i = 0; i + 3 <= body.size(); i += 3) {
                chunks.palette.push_back({static_cast<std::uint8_t>(body[i]),
                                          static_cast<std::uint8_t>(body[i + 1]),
                                          static_cast<std::uint8_t>(body[i + 2])});
            }
        } else if (kind == "tRNS") {
            chunks.transparency = std::string(body);
            chunks.hasTransparency = true;
        } else if (kind == "IDAT") {
            chunks.compressed.append(body);
        } else if (kind == "IEND") {
            break;
        }
    }
    return chunks;
}

// The whole zlib stream `compressed`, inflated; nothing when it is damaged or cut short.
std::optional<std::vector<std::uint8_t>> Inflate(const std::string& compressed,
                                                 std::size_t expected) {
    std::vector<std::uint8_t> out(expected + 1); // one more: to see a stream that holds more
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        return std::nullopt;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    int status = Z_OK;
    while (status == Z_OK && stream.avail_out > 0) {
        status = inflate(&stream, Z_NO_FLUSH);
    }
    const std::size_t produced = out.size() - stream.avail_out;
    inflateEnd(&stream);
    // A stream longer than the picture needs is read only as far as the picture goes.
    if (status != Z_STREAM_END && !(status == Z_OK && stream.avail_out == 0)) {
        return std::nullopt;
    }
    out.resize(produced);
    return out;
}

// The pixels of one unfiltered row.
class RowReader {
public:
    RowReader(const Header& header, const Chunks& chunks, Rgb behind)
        : m_header(header), m_chunks(chunks), m_behind(behind) {
        if (m_chunks.hasTransparency && header.colourType == 0 &&
            m_chunks.transparency.size() >= 2) {
            const unsigned key = BigEndian16(m_chunks.transparency, 0);
            m_greyKey = header.depth < 8     ? static_cast<int>(key) * GreyScale()
                        : header.depth == 16 ? static_cast<int>(key >> 8)
                                             : static_cast<int>(key);
        }
        if (m_chunks.hasTransparency && header.colourType == 2 &&
            m_chunks.transparency.size() >= 6) {
            std::array<int, 3> key{};
            for (std::size_t i = 0; i < 3; ++i) {
                const unsigned value = BigEndian16(m_chunks.transparency, 2 * i);
                key[i] = static_cast<int>(header.depth == 16 ? value >> 8 : value);
            }
            m_colourKey = key;
        }
    }

    // Appends the row's pixels to `pixels`; false when an index lies outside the palette.
    bool Read(const std::vector<std::uint8_t>& row, std::vector<Rgb>& pixels) const {
        const std::vector<int> samples = Samples(row);
        const int width = static_cast<int>(m_header.width);
        switch (m_header.colourType) {
        case 3:
            for (int x = 0; x < width; ++x) {
                const auto index = static_cast<std::size_t>(samples[x]);
                if (index >= m_chunks.palette.size()) {
                    return false;
                }
                const int alpha = index < m_chunks.transparency.size()
                                      ? static_cast<unsigned char>(m_chunks.transparency[index])
                                      : 255;
                pixels.push_back(Flatten(m_chunks.palette[index], alpha, m_behind));
            }
            return true;
        case 0:
        case 4: {
            const int step = m_header.colourType == 0 ? 1 : 2;
            const int scale = GreyScale();
            for (int x = 0; x < width; ++x) {
                const int grey = samples[static_cast<std::size_t>(step) * x] * scale;
                const int alpha = step == 2 ? samples[step * x + 1] : (m_greyKey == grey ? 0 : 255);
                const auto value = static_cast<std::uint8_t>(grey);
                pixels.push_back(Flatten(Rgb{value, value, value}, alpha, m_behind));
            }
            return true;
        }
        default: {
            const int step = m_header.colourType == 2 ? 3 : 4;
            for (int x = 0; x < width; ++x) {
                const int* sample = &samples[static_cast<std::size_t>(step) * x];
                const std::array<int, 3> colour{sample[0], sample[1], sample[2]};
                const int alpha = step == 4 ? sample[3] : (m_colourKey == colour ? 0 : 255);
                pixels.push_back(Flatten(Rgb{static_cast<std::uint8_t>(sample[0]),
                                             static_cast<std::uint8_t>(sample[1]),
                                             static_cast<std::uint8_t>(sample[2])},
                                         alpha, m_behind));
            }
            return true;
        }
        }
    }

private:
    // Grey samples of fewer than 8 bits, spread over 0 to 255.
    int GreyScale() const { return m_header.depth < 8 ? 255 / ((1 << m_header.depth) - 1) : 1; }

    // The row's samples: several to a byte below 8 bits, the high byte of each at 16.
    std::vector<int> Samples(const std::vector<std::uint8_t>& row) const {
        std::vector<int> samples;
        const int depth = m_header.depth;
        if (depth < 8) {
            const int perByte = 8 / depth;
            const int mask = (1 << depth) - 1;
            for (std::uint32_t x = 0; x < m_header.width; ++x) {
                const int shift = 8 - depth * (static_cast<int>(x % perByte) + 1);
                samples.push_back((row[x / perByte] >> shift) & mask);
            }
        } else if (depth == 16) {
            for (std::size_t i = 0; i < row.size(); i += 2) {
                samples.push_back(row[i]);
            }
        } else {
            samples.assign(row.begin(), row.end());
        }
        return samples;
    }

    const Header& m_header;
    const Chunks& m_chunks;
    Rgb m_behind;
    std::optional<int> m_greyKey;
    std::optional<std::array<int, 3>> m_colourKey;
};

ImageOrError Failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

} // namespace

ImageOrError ReadPng(std::string_view file, Rgb behind) {
    if (file.substr(0, kSignatureBytes) != std::string_view(kSignature, kSignatureBytes)) {
        return Failure("not a PNG file");
    }
    const Chunks chunks = ReadChunks(file);
    if (!chunks.header) {
        return Failure("a PNG file without its header");
    }
    const Header& header = *chunks.header;
    const int channels = ChannelsOf(header.colourType);
    if (channels == 0 || header.interlace != 0 ||
        !IsAllowedDepth(header.colourType, header.depth)) {
        return Failure("a PNG file the build cannot read (interlaced, or of an unknown colour "
                       "type or depth): save it again without interlacing");
    }
    if (header.width == 0 || header.height == 0 ||
        std::uint64_t{header.width} * header.height > kMostPixels) {
        return Failure("a PNG file of no size or of far more pixels than a picture of the page");
    }
    const std::size_t bits = static_cast<std::size_t>(header.depth) * channels;
    const std::size_t stride = (header.width * bits + 7) / 8;
    const std::size_t unit = bits / 8 > 0 ? bits / 8 : 1; // the bytes a filter looks back
    const std::size_t needed = header.height * (stride + 1);
    const auto raw = Inflate(chunks.compressed, needed);
    if (!raw) {
        return Failure("a damaged PNG file");
    }
    if (raw->size() < needed) {
        return Failure("a PNG file whose pixels are cut short");
    }
    Image image;
    image.width = static_cast<int>(header.width);
    image.height = static_cast<int>(header.height);
    image.pixels.reserve(static_cast<std::size_t>(header.width) * header.height);
    const RowReader reader(header, chunks, behind);
    std::vector<std::uint8_t> previous(stride);
    for (std::uint32_t y = 0; y < header.height; ++y) {
        const auto start = raw->begin() + static_cast<std::ptrdiff_t>(y * (stride + 1));
        const int kind = *start;
        std::vector<std::uint8_t> row(start + 1, start + 1 + static_cast<std::ptrdiff_t>(stride));
        if (!Unfilter(kind, row, previous, unit)) {
            return Failure("a PNG file with an unknown row filter " + std::to_string(kind));
        }
        if (!reader.Read(row, image.pixels)) {
            return Failure("a PNG file with a pixel outside its colour table");
        }
        previous = std::move(row);
    }
    return {std::move(image), {}};
}

} // namespace brand
