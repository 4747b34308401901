#include "menu/Versions.h"

#include "framework/text/StringUtil.h"

#include <algorithm>
#include <vector>

namespace {

bool IsNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Compares two digit strings by value, however long they are.
int CompareNumbers(std::string a, std::string b) {
    a.erase(0, std::min(a.find_first_not_of('0'), a.size()));
    b.erase(0, std::min(b.find_first_not_of('0'), b.size()));
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

} // namespace

bool IsDottedVersion(const std::string& text) {
    const auto parts = text::Split(text, '.');
    return std::all_of(parts.begin(), parts.end(), IsNumber);
}

int CompareDottedVersions(const std::string& a, const std::string& b) {
    const bool aValid = IsDottedVersion(a);
    const bool bValid = IsDottedVersion(b);
    if (!aValid || !bValid) {
        return aValid == bValid ? 0 : (aValid ? 1 : -1);
    }
    const auto aParts = text::Split(a, '.');
    const auto bParts = text::Split(b, '.');
    for (std::size_t i = 0; i < std::max(aParts.size(), bParts.size()); ++i) {
        const int order = CompareNumbers(i < aParts.size() ? aParts[i] : "0",
                                         i < bParts.size() ? bParts[i] : "0");
        if (order != 0) {
            return order;
        }
    }
    return 0;
}
