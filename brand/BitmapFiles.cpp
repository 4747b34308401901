#include "brand/BitmapFiles.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace brand {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::int32_t kPixelsPerMetre = 2835; // 72 dots per inch
constexpr int kTableEntries = 256;
// The largest picture read: far more than any page's picture at twice its size.
constexpr std::int64_t kMostPixels = std::int64_t{16} << 20;

std::uint32_t Little32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    }
    return value;
}

unsigned Little16(std::string_view bytes, std::size_t at) {
    return unsigned{static_cast<unsigned char>(bytes[at])} |
           (unsigned{static_cast<unsigned char>(bytes[at + 1])} << 8);
}

void Put16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::string Headers(const Image& image, int bits, std::size_t imageSize, int tableEntries) {
    const auto offset =
        static_cast<std::uint32_t>(kFileHeaderBytes + kInfoHeaderBytes +
                                   std::size_t{4} * static_cast<std::size_t>(tableEntries));
    std::string out = "BM";
    Put32(out, offset + static_cast<std::uint32_t>(imageSize));
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, offset);
    Put32(out, static_cast<std::uint32_t>(kInfoHeaderBytes));
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(image.height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0); // no compression
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
    Put32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
    Put32(out, static_cast<std::uint32_t>(tableEntries));
    Put32(out, 0);
    return out;
}

std::uint8_t Blend(std::uint8_t here, std::uint8_t other) {
    return static_cast<std::uint8_t>((3 * here + other + 2) / 4);
}

Rgb Blend(Rgb here, Rgb other) {
    return {Blend(here.red, other.red), Blend(here.green, other.green),
            Blend(here.blue, other.blue)};
}

// The line `line` at twice its length.
std::vector<Rgb> Doubled(const std::vector<Rgb>& line) {
    std::vector<Rgb> out;
    out.reserve(2 * line.size());
    const std::size_t last = line.size() - 1;
    for (std::size_t i = 0; i < line.size(); ++i) {
        out.push_back(Blend(line[i], line[i > 0 ? i - 1 : 0]));
        out.push_back(Blend(line[i], line[std::min(i + 1, last)]));
    }
    return out;
}

ImageOrError Failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

} // namespace

ImageOrError ReadBmp(std::string_view file) {
    if (file.size() < kFileHeaderBytes + kInfoHeaderBytes || file.substr(0, 2) != "BM") {
        return Failure("not a bitmap file");
    }
    const std::uint32_t offset = Little32(file, 10);
    const std::uint32_t header = Little32(file, 14);
    const auto width = static_cast<std::int32_t>(Little32(file, 18));
    const auto storedHeight = static_cast<std::int32_t>(Little32(file, 22));
    const unsigned bits = Little16(file, 28);
    const std::uint32_t used = Little32(file, 46);
    if (bits != 8 && bits != 24 && bits != 32) {
        return Failure("a bitmap file of " + std::to_string(bits) +
                       " bits per pixel, which the build cannot enlarge");
    }
    const bool bottomUp = storedHeight > 0;
    const std::int64_t height = bottomUp ? storedHeight : -std::int64_t{storedHeight};
    if (width <= 0 || height <= 0 || width * height > kMostPixels) {
        return Failure("a bitmap file of no size or of far more pixels than a picture of the page");
    }
    std::vector<Rgb> palette;
    if (bits == 8) {
        const std::size_t table = kFileHeaderBytes + header;
        const std::uint32_t count = used != 0 ? used : kTableEntries;
        if (count > kTableEntries || table + 4 * std::size_t{count} > file.size()) {
            return Failure("a bitmap file whose colour table is cut short");
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = table + std::size_t{4} * i;
            palette.push_back({static_cast<std::uint8_t>(file[at + 2]),
                               static_cast<std::uint8_t>(file[at + 1]),
                               static_cast<std::uint8_t>(file[at])});
        }
    }
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    if (offset + stride * static_cast<std::size_t>(height) > file.size()) {
        return Failure("a bitmap file whose pixels are cut short");
    }
    Image image;
    image.width = width;
    image.height = static_cast<int>(height);
    image.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const std::size_t size = bits / 8;
    for (std::int64_t y = 0; y < height; ++y) {
        const std::size_t row =
            offset + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
        for (std::int32_t x = 0; x < width; ++x) {
            if (bits == 8) {
                const auto index = static_cast<unsigned char>(file[row + x]);
                if (index >= palette.size()) {
                    return Failure("a bitmap file with a pixel outside its colour table");
                }
                image.pixels.push_back(palette[index]);
            } else {
                const std::size_t at = row + size * x;
                image.pixels.push_back({static_cast<std::uint8_t>(file[at + 2]),
                                        static_cast<std::uint8_t>(file[at + 1]),
                                        static_cast<std::uint8_t>(file[at])});
            }
        }
    }
    return {std::move(image), {}};
}

Image Enlarged(const Image& image) {
    Image wide;
    wide.width = 2 * image.width;
    wide.height = image.height;
    for (int y = 0; y < image.height; ++y) {
        const auto first = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
        const std::vector<Rgb> row = Doubled(std::vector<Rgb>(first, first + image.width));
        wide.pixels.insert(wide.pixels.end(), row.begin(), row.end());
    }
    Image out;
    out.width = wide.width;
    out.height = 2 * image.height;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int x = 0; x < wide.width; ++x) {
        std::vector<Rgb> column;
        column.reserve(static_cast<std::size_t>(wide.height));
        for (int y = 0; y < wide.height; ++y) {
            column.push_back(wide.At(x, y));
        }
        const std::vector<Rgb> doubled = Doubled(column);
        for (int y = 0; y < out.height; ++y) {
            out.pixels[static_cast<std::size_t>(y) * out.width + x] = doubled[y];
        }
    }
    return out;
}

std::string Bitmap24(const Image& image) {
    const std::size_t stride = (3 * static_cast<std::size_t>(image.width) + 3) / 4 * 4;
    std::string body;
    body.reserve(stride * image.height);
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t start = body.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgb& pixel = image.At(x, y);
            body.push_back(static_cast<char>(pixel.blue));
            body.push_back(static_cast<char>(pixel.green));
            body.push_back(static_cast<char>(pixel.red));
        }
        body.append(stride - (body.size() - start), '\0');
    }
    return Headers(image, 24, body.size(), 0) + body;
}

std::vector<Rgb> PaletteOf(const Image& image) {
    std::map<Rgb, std::size_t> counts;
    for (const Rgb& pixel : image.pixels) {
        ++counts[pixel];
    }
    std::vector<std::pair<Rgb, std::size_t>> colours(counts.begin(), counts.end());
    std::stable_sort(colours.begin(), colours.end(), [](const auto& a, const auto& b) {
        return a.second > b.second; // the map's order (by colour) among equal counts
    });
    std::vector<Rgb> palette;
    for (std::size_t i = 0; i < colours.size() && i < kTableEntries; ++i) {
        palette.push_back(colours[i].first);
    }
    return palette;
}

std::string Bitmap8(const Image& image, const std::vector<Rgb>& palette) {
    std::map<Rgb, std::size_t> index;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        index[palette[i]] = i; // a colour listed twice takes its last entry
    }
    std::map<int, std::size_t> cubes;
    const auto nearest = [&](const Rgb& colour) -> std::size_t {
        if (const auto found = index.find(colour); found != index.end()) {
            return found->second;
        }
        const int cube = (colour.red >> 4) << 8 | (colour.green >> 4) << 4 | (colour.blue >> 4);
        if (const auto known = cubes.find(cube); known != cubes.end()) {
            return known->second;
        }
        const int middle[3] = {16 * (colour.red >> 4) + 8, 16 * (colour.green >> 4) + 8,
                               16 * (colour.blue >> 4) + 8};
        std::size_t best = 0;
        long bestDistance = -1;
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const int channel[3] = {palette[i].red, palette[i].green, palette[i].blue};
            long distance = 0;
            for (int c = 0; c < 3; ++c) {
                distance += static_cast<long>(middle[c] - channel[c]) * (middle[c] - channel[c]);
            }
            if (bestDistance < 0 || distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        cubes[cube] = best;
        return best;
    };
    const std::size_t stride = (static_cast<std::size_t>(image.width) + 3) / 4 * 4;
    std::string body;
    body.reserve(stride * image.height);
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t start = body.size();
        for (int x = 0; x < image.width; ++x) {
            body.push_back(static_cast<char>(nearest(image.At(x, y))));
        }
        body.append(stride - (body.size() - start), '\0');
    }
    std::string table;
    for (const Rgb& colour : palette) {
        table.push_back(static_cast<char>(colour.blue));
        table.push_back(static_cast<char>(colour.green));
        table.push_back(static_cast<char>(colour.red));
        table.push_back('\0');
    }
    table.append(4 * (kTableEntries - palette.size()), '\0');
    return Headers(image, 8, body.size(), kTableEntries) + table + body;
}

} // namespace brand
