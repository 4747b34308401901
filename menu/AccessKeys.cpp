#include "menu/AccessKeys.h"

#include "framework/text/Unicode.h"

namespace accesskeys {

namespace {

// The first character of `utf8`; 0 for an empty text.
char32_t FirstCharacter(const std::string& utf8) {
    const std::u16string wide = text::Utf8ToUtf16(utf8);
    if (wide.empty()) {
        return 0;
    }
    const char32_t lead = wide[0];
    if (lead >= 0xD800 && lead < 0xDC00 && wide.size() > 1) {
        return 0x10000 + ((lead - 0xD800) << 10) + (static_cast<char32_t>(wide[1]) - 0xDC00);
    }
    return lead;
}

} // namespace

std::string PlainText(const std::string& text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            ++i; // the mark goes; what it marks stays ("&&" leaves one ampersand)
            if (i == text.size()) {
                break;
            }
        }
        plain += text[i];
    }
    return plain;
}

bool IsBlank(const std::string& text) {
    return PlainText(text).find_first_not_of(' ') == std::string::npos;
}

char32_t AccessKey(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') {
            continue;
        }
        if (text[i + 1] != '&') {
            return Fold(FirstCharacter(text.substr(i + 1)));
        }
        ++i;
    }
    const std::string plain = PlainText(text);
    const std::size_t start = plain.find_first_not_of(' ');
    return start == std::string::npos ? 0 : Fold(FirstCharacter(plain.substr(start)));
}

char32_t Fold(char32_t c) {
    const bool latin = (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
    const bool greek = c >= 0x391 && c <= 0x3A9 && c != 0x3A2;
    const bool cyrillic = c >= 0x410 && c <= 0x42F;
    if (latin || greek || cyrillic) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

} // namespace accesskeys
