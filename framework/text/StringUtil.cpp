#include "framework/text/StringUtil.h"

#include <algorithm>

namespace text {

char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string ToLowerAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return ToLowerAscii(c); });
    return s;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
    if (prefix.size() > s.size()) {
        return false;
    }
    return std::equal(prefix.begin(), prefix.end(), s.begin(),
                      [](char x, char y) { return ToLowerAscii(x) == ToLowerAscii(y); });
}

bool EndsWith(const std::string& s, char c) {
    return !s.empty() && s.back() == c;
}

std::string Trim(const std::string& s) {
    const char* const blanks = " \t\r\n";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& s, char separator) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = s.find(separator, start);
        pieces.push_back(s.substr(start, end - start));
        if (end == std::string::npos) {
            return pieces;
        }
        start = end + 1;
    }
}

std::string FillIn(const std::string& format, std::initializer_list<std::string> values) {
    std::string text;
    auto value = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && next == '%') {
            text += '%';
            ++i;
        } else if (format[i] == '%' && next == 's' && value != values.end()) {
            text += *value++;
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

std::string Blanks(const std::string& format) {
    std::string blanks;
    for (std::size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        const char next = format[i + 1];
        const bool letter = (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z');
        if (letter) {
            blanks += next;
        }
        if (letter || next == '%') {
            ++i; // the pair is read as one: "%%s" is a percent sign and an "s"
        }
    }
    return blanks;
}

bool SameBlanks(const std::string& translation, const std::string& original) {
    return Blanks(translation) == Blanks(original);
}

} // namespace text
