#pragma once
// Bitmap files: read (8, 24 or 32 bits per pixel, stored either way up) and written as the
// program carries its pictures (24 bits, or 8 bits with a full table of 256 colours; bottom-up,
// at 72 dots per inch as the sample's pictures say), and a picture enlarged to twice its size.

#include "brand/Image.h"

#include <string>
#include <string_view>
#include <vector>

namespace brand {

// The picture of the bitmap file `file`; an error when it is no bitmap file of 8, 24 or 32
// bits per pixel, or is cut short.
ImageOrError ReadBmp(std::string_view file);

// `image` at twice its size, each new pixel blended from the two nearest of each direction
// (three quarters of the nearer, a quarter of the other): smooth, as the page enlarges one.
Image Enlarged(const Image& image);

// A 24-bit bitmap file of `image`.
std::string Bitmap24(const Image& image);

// The colour table of an 8-bit picture of `image`: its own colours, most frequent first (equal
// counts by red, green, blue), the 256 most frequent when it holds more.
std::vector<Rgb> PaletteOf(const Image& image);

// An 8-bit bitmap file of `image` with the colour table `palette` (at most 256 colours, the
// rest of the table black): each pixel its colour's entry, a colour outside the table the
// entry nearest to the middle of its cube of 16 x 16 x 16 values.
std::string Bitmap8(const Image& image, const std::vector<Rgb>& palette);

} // namespace brand
