// Decoding of the language files' code pages (framework/text/CodePages.h) over any bytes: the result
// is always well-formed, each byte or pair of bytes gives one character, NUL and ASCII bytes
// outside pairs stay as they are, and a code page other than 936 reads as 1252.

#include "FuzzSupport.h"
#include "framework/text/CodePages.h"
#include "framework/text/Unicode.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool HasSurrogate(const std::u16string& units) {
    for (const char16_t unit : units) {
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

void CheckCodePage(const std::string& bytes, unsigned codePage) {
    const std::u16string utf16 = text::DecodeToUtf16(bytes, codePage);
    const std::string utf8 = text::Decode(bytes, codePage);
    fuzz::Check(fuzz::IsValidUtf8(utf8), "decoding gives well-formed UTF-8");
    fuzz::Check(utf8 == text::Utf16ToUtf8(utf16), "both forms of the decoding agree");
    fuzz::Check(!HasSurrogate(utf16), "every character of the code pages is in the BMP");
    fuzz::Check(text::Utf8ToUtf16(utf8) == utf16, "the UTF-8 form decodes back to the same");
    if (codePage != text::kSimplifiedChinese) {
        fuzz::Check(utf16.size() == bytes.size(), "one character for each byte");
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte < 0x80 || byte >= 0xA0) {
                fuzz::Check(utf16[i] == byte, "ASCII and Latin-1 bytes are their own character");
            }
        }
        return;
    }
    // In 936 a character is one byte or a pair: a lead byte 0x81..0xFE and a trail byte
    // 0x40..0xFE. Walk the bytes by the characters decoded.
    std::size_t i = 0;
    for (const char16_t unit : utf16) {
        fuzz::Check(i < bytes.size(), "no more characters than bytes");
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool pair = byte >= 0x81 && byte <= 0xFE && unit != 0xFFFD && i + 1 < bytes.size();
        if (byte < 0x80) {
            fuzz::Check(unit == byte, "an ASCII byte outside a pair is its own character");
        } else if (byte == 0x80) {
            fuzz::Check(unit == 0x20AC, "0x80 is the euro sign");
        } else if (pair) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            fuzz::Check(trail >= 0x40 && trail <= 0xFE, "a pair ends in a trail byte");
            ++i;
        }
        ++i;
    }
    fuzz::Check(i == bytes.size(), "the characters account for every byte");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::Bytes(data, size);
    CheckCodePage(bytes, text::kWesternEuropean);
    CheckCodePage(bytes, text::kSimplifiedChinese);
    for (const unsigned other : {0u, 437u, 65001u}) {
        fuzz::Check(text::DecodeToUtf16(bytes, other) ==
                        text::DecodeToUtf16(bytes, text::kWesternEuropean),
                    "any other code page reads as 1252");
    }
    return 0;
}
