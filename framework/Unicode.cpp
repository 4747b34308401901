#include "framework/Unicode.h"

namespace text {

void AppendUtf8(std::string& utf8, char32_t code) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        code = kReplacement;
    }
    if (code < 0x80) {
        utf8.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        utf8.push_back(static_cast<char>(0xC0 | (code >> 6)));
        utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        utf8.push_back(static_cast<char>(0xE0 | (code >> 12)));
        utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        utf8.push_back(static_cast<char>(0xF0 | (code >> 18)));
        utf8.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            AppendUtf8(utf8, 0x10000 + ((unit - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(utf8, unit); // a lone surrogate becomes the replacement character
        }
    }
    return utf8;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = byteAt(i++);
        int length = lead < 0x80                    ? 1
                     : lead >= 0xC2 && lead <= 0xDF ? 2
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                    : 0;
        if (length == 1) {
            utf16.push_back(lead);
            continue;
        }
        char32_t code = length == 0 ? 0 : lead & (0x7F >> length);
        bool valid = length != 0;
        for (int rest = length - 1; valid && rest > 0; --rest) {
            valid = i < utf8.size() && (byteAt(i) & 0xC0) == 0x80;
            if (valid) {
                code = (code << 6) | (byteAt(i++) & 0x3F);
            }
        }
        // Overlong forms, surrogates and code points beyond U+10FFFF are malformed too.
        const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (!valid || code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            utf16.push_back(static_cast<char16_t>(kReplacement));
        } else if (code >= 0x10000) {
            utf16.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            utf16.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            utf16.push_back(static_cast<char16_t>(code));
        }
    }
    return utf16;
}

bool IsUtf8(std::string_view bytes) {
    // Decoding replaces each malformed sequence, and well-formed text goes through UTF-16
    // unchanged: only well-formed bytes come back as they were.
    return Utf16ToUtf8(Utf8ToUtf16(bytes)) == bytes;
}

} // namespace text
