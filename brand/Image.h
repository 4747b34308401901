#pragma once
// A picture as the brand tool handles it between its files: rows of red, green and blue, top
// row first. Decoders and writers of its files (Png, BitmapFiles) and the enlargement of a
// picture work on it.

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace brand {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb& a, const Rgb& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
    // By red, then green, then blue: the order in which colours of equal frequency are listed.
    friend bool operator<(const Rgb& a, const Rgb& b) {
        return std::tie(a.red, a.green, a.blue) < std::tie(b.red, b.green, b.blue);
    }
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels; // width * height, row by row from the top

    const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// An image, or why a file gave none: a text for the author.
struct ImageOrError {
    std::optional<Image> image;
    std::string error;
};

// The page's white: what lies behind every picture on the page.
inline constexpr Rgb kWhite{255, 255, 255};

} // namespace brand
