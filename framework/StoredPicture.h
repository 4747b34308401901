#pragma once
// The form in which the program carries its pictures: a bitmap resource's bytes (the packed
// device-independent bitmap of a .bmp file, without the file's 14-byte header) compressed with
// deflate in a zlib stream, after their length as 4 bytes, least significant first. A
// screen's picture of many smooth colours shrinks to a fifth or less, and decoding gives back
// the very bytes a bitmap resource holds, so every pixel drawn stays what it was.
//
// The encoder runs at build time (tools/pictures), and in any tool that writes pictures into
// a built program; the program links only the decoder.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace pictures {

// The resource type under which the program carries its stored pictures, by name.
inline constexpr char kResourceType[] = "ZBITMAP";

// The largest bitmap a stored picture may decode to: far more than any page's picture, little
// enough for a 32-bit process.
inline constexpr std::size_t kMostBitmapBytes = std::size_t{64} << 20;

// The stored form of the bitmap file `file` (a .bmp file: "BM" and its header); nothing when
// it is no bitmap file, or is larger than kMostBitmapBytes.
std::optional<std::vector<unsigned char>> Encode(std::string_view file);

// The packed bitmap a stored picture holds; nothing when `stored` is no stored picture (cut
// short, damaged, or of another length than it says).
std::optional<std::vector<unsigned char>> Decode(const void* stored, std::size_t size);

// The first `count` bytes of that bitmap (its header, say), decoding no more of it than they
// need; nothing when the stored picture is shorter or no stored picture.
std::optional<std::vector<unsigned char>> DecodeStart(const void* stored, std::size_t size,
                                                      std::size_t count);

} // namespace pictures
