#pragma once
// The 8-bit code pages in which the language files of a disc are written: 1252 (Western
// European) and 936 (simplified Chinese), decoded the same on every system.

#include <string>
#include <string_view>

namespace text {

constexpr unsigned kWesternEuropean = 1252;
constexpr unsigned kSimplifiedChinese = 936;

// `bytes` in code page `codePage` (1252 or 936; any other is taken as 1252), as UTF-16. What is
// no character of the code page becomes the replacement character U+FFFD, one for each byte:
// in 1252 the five bytes it leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D); in 936 the byte
// 0xFF, and a lead byte (0x81 to 0xFE) whose next byte makes no character with it, which is
// then read on its own. NUL bytes stay NUL characters.
std::u16string DecodeToUtf16(std::string_view bytes, unsigned codePage);

// The same as UTF-8.
std::string Decode(std::string_view bytes, unsigned codePage);

} // namespace text
