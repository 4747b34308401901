// UTF-8 and UTF-16 conversions (framework/text/Unicode.h) over any bytes: what comes out as UTF-8 is
// always well-formed, well-formed text goes through both conversions unchanged, and each
// malformed unit becomes the replacement character.

#include "FuzzSupport.h"
#include "framework/text/Unicode.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}
bool IsHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Whether every surrogate of `units` is half of a pair.
bool IsWellFormed(const std::u16string& units) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (IsHigh(units[i]) && i + 1 < units.size() && IsLow(units[i + 1])) {
            ++i;
        } else if (IsSurrogate(units[i])) {
            return false;
        }
    }
    return true;
}

// `units` with each lone surrogate replaced.
std::u16string WithoutLoneSurrogates(const std::u16string& units) {
    std::u16string result;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (IsHigh(units[i]) && i + 1 < units.size() && IsLow(units[i + 1])) {
            result += units[i];
            result += units[++i];
        } else {
            result += IsSurrogate(units[i]) ? static_cast<char16_t>(text::kReplacement) : units[i];
        }
    }
    return result;
}

void CheckUtf8Input(const std::string& bytes) {
    const std::u16string utf16 = text::Utf8ToUtf16(bytes);
    fuzz::Check(IsWellFormed(utf16), "UTF-8 decodes to well-formed UTF-16");
    fuzz::Check(utf16.size() <= bytes.size(), "no more UTF-16 units than UTF-8 bytes");
    const std::string back = text::Utf16ToUtf8(utf16);
    fuzz::Check(fuzz::IsValidUtf8(back), "UTF-16 encodes to well-formed UTF-8");
    fuzz::Check(text::Utf8ToUtf16(back) == utf16, "decoding its own encoding gives the same");
    if (fuzz::IsValidUtf8(bytes)) {
        fuzz::Check(back == bytes, "well-formed UTF-8 goes through UTF-16 unchanged");
    }
    fuzz::Check(text::IsUtf8(bytes) == fuzz::IsValidUtf8(bytes), "IsUtf8 tells well-formed UTF-8");
}

void CheckUtf16Input(const std::string& bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    const std::string utf8 = text::Utf16ToUtf8(units);
    fuzz::Check(fuzz::IsValidUtf8(utf8), "any UTF-16 units encode to well-formed UTF-8");
    fuzz::Check(text::Utf8ToUtf16(utf8) == WithoutLoneSurrogates(units),
                "UTF-16 comes back with only its lone surrogates replaced");
}

void CheckCodePoint(const std::string& bytes) {
    if (bytes.size() < 4) {
        return;
    }
    char32_t code = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        code = code << 8 | static_cast<unsigned char>(bytes[i]);
    }
    std::string utf8;
    text::AppendUtf8(utf8, code);
    fuzz::Check(fuzz::IsValidUtf8(utf8), "any code is appended as well-formed UTF-8");
    const bool character = code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    const std::u16string utf16 = text::Utf8ToUtf16(utf8);
    const char32_t decoded = utf16.size() == 2
                                 ? 0x10000 + ((utf16[0] - 0xD800) << 10) + (utf16[1] - 0xDC00)
                                 : utf16.at(0);
    fuzz::Check(decoded == (character ? code : text::kReplacement),
                "a character comes back, anything else as the replacement character");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::Bytes(data, size);
    CheckUtf8Input(bytes);
    CheckUtf16Input(bytes);
    CheckCodePoint(bytes);
    return 0;
}
