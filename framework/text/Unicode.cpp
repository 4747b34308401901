#include "framework/text/Unicode.h"

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

void AppendUtf16(std::u16string& utf16, char32_t code) {
    if (code < 0x10000) {
        utf16.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    utf16.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    utf16.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const auto isContinuation = [&](std::size_t i) {
        return i < utf8.size() && (byteAt(i) & 0xC0) == 0x80;
    };
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = byteAt(i++);
        if (lead < 0x80) {
            utf16.push_back(lead);
            continue;
        }
        // The length of the sequence and the range of its second byte, which excludes overlong
        // forms, surrogates and code points beyond U+10FFFF.
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : low;
            high = lead == 0xED ? 0x9F : high;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : low;
            high = lead == 0xF4 ? 0x8F : high;
        }
        if (length == 0 || !isContinuation(i)) {
            utf16.push_back(static_cast<char16_t>(kReplacement));
            continue;
        }
        const unsigned char second = byteAt(i++);
        if (second < low || second > high) {
            utf16.push_back(static_cast<char16_t>(kReplacement));
            continue;
        }
        char32_t code = ((lead & (0x7Fu >> length)) << 6) | (second & 0x3Fu);
        bool complete = true;
        for (int rest = length - 2; rest > 0; --rest) {
            if (!isContinuation(i)) {
                complete = false;
                break;
            }
            code = (code << 6) | (byteAt(i++) & 0x3Fu);
        }
        if (complete) {
            AppendUtf16(utf16, code);
        } else {
            utf16.push_back(static_cast<char16_t>(kReplacement));
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
