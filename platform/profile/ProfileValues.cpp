#include "platform/profile/ProfileValues.h"

#include "framework/text/Unicode.h"

#include <cstdint>

namespace platform::profile {

Text Copy(TextView value, std::size_t size) {
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (!quoted) {
        return Text(value.substr(0, size - 1));
    }
    const TextView rest = value.substr(1); // still ends with the closing quote
    Text copied(rest.substr(0, size - 1));
    if (size >= rest.size() && !copied.empty()) {
        copied.pop_back();
    }
    return copied;
}

Text DefaultText(const std::string& def) {
    Text text = text::Utf8ToUtf16(def.c_str());
    while (text.size() > 1 && text.back() == u' ') {
        text.pop_back();
    }
    return text;
}

namespace {

int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'z') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'Z') {
        return c - u'A' + 10;
    }
    return 36;
}

} // namespace

int ParseInteger(TextView s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] <= u' ') {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    std::uint32_t base = 10;
    if (i + 1 < s.size() && s[i] == u'0') {
        switch (s[i + 1]) {
        case u'x':
            base = 16;
            break;
        case u'o':
            base = 8;
            break;
        case u'b':
            base = 2;
            break;
        default:
            break;
        }
        i += base == 10 ? 0 : 2;
    }
    std::uint32_t value = 0; // wraps modulo 2^32 like the system's conversion
    for (; i < s.size(); ++i) {
        const auto digit = static_cast<std::uint32_t>(DigitValue(s[i]));
        if (digit >= base) {
            break;
        }
        value = value * base + digit;
    }
    if (negative) {
        value = 0u - value;
    }
    return value <= INT32_MAX ? static_cast<int>(value) : -static_cast<int>(~value) - 1;
}

} // namespace platform::profile
