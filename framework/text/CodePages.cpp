#include "framework/text/CodePages.h"

#include "framework/text/Unicode.h"

#include <cstdint>

namespace text {

namespace {

constexpr char16_t kReplacement16 = static_cast<char16_t>(kReplacement);

// The characters of the bytes 0x80 to 0x9F of code page 1252; 0 where it defines none.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// For each lead byte 0x81 to 0xFE, the characters of the trail bytes 0x40 to 0xFE.
constexpr int kTrailCount = 0xFF - 0x40;
const std::uint16_t kCp936[0xFE - 0x81 + 1][kTrailCount] = {
#include "Cp936Table.inc"
};

char16_t Cp1252(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0) {
        return byte;
    }
    const char16_t c = kWindows1252High[byte - 0x80];
    return c != 0 ? c : kReplacement16;
}

// The character of the pair (lead, trail) in code page 936, or 0.
char16_t Cp936Pair(unsigned char lead, unsigned char trail) {
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) {
        return 0;
    }
    return static_cast<char16_t>(kCp936[lead - 0x81][trail - 0x40]);
}

} // namespace

std::u16string DecodeToUtf16(std::string_view bytes, unsigned codePage) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (codePage != kSimplifiedChinese) {
            text.push_back(Cp1252(byte));
        } else if (byte < 0x80) {
            text.push_back(byte);
        } else if (byte == 0x80) {
            text.push_back(0x20AC); // the euro sign
        } else if (const char16_t pair =
                       i + 1 < bytes.size()
                           ? Cp936Pair(byte, static_cast<unsigned char>(bytes[i + 1]))
                           : 0) {
            text.push_back(pair);
            ++i;
        } else {
            text.push_back(kReplacement16);
        }
    }
    return text;
}

std::string Decode(std::string_view bytes, unsigned codePage) {
    return Utf16ToUtf8(DecodeToUtf16(bytes, codePage));
}

} // namespace text
