#include "framework/StringUtil.h"

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
    std::size_t start = 0;
    for (const std::string& value : values) {
        const auto blank = format.find("%s", start);
        if (blank == std::string::npos) {
            break;
        }
        text += format.substr(start, blank - start) + value;
        start = blank + 2;
    }
    return text + format.substr(start);
}

} // namespace text
