// The version comparison (menu/Versions.h) over any three texts, one per line: it is an order
// (reflexive, antisymmetric, transitive), ignores leading zeros and trailing zero numbers, puts
// every text that is no dotted version below every version, and IsDottedVersion says what a
// dotted version is.

#include "FuzzSupport.h"
#include "menu/Versions.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

int Sign(int order) {
    return (order > 0) - (order < 0);
}

// Numbers separated by single dots: digits, no empty number, nothing else.
bool LooksDotted(const std::string& text) {
    bool digitBefore = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digitBefore = true;
        } else if (c == '.' && digitBefore) {
            digitBefore = false;
        } else {
            return false;
        }
    }
    return digitBefore;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto texts = fuzz::Arguments(fuzz::Bytes(data, size), 3);
    for (const std::string& text : texts) {
        fuzz::Check(IsDottedVersion(text) == LooksDotted(text),
                    "a dotted version is digits in numbers separated by single dots");
        fuzz::Check(CompareDottedVersions(text, text) == 0, "a text equals itself");
        if (IsDottedVersion(text)) {
            fuzz::Check(CompareDottedVersions(text + ".0", text) == 0, "a trailing .0 is nothing");
            fuzz::Check(CompareDottedVersions("0" + text, text) == 0, "a leading zero is nothing");
            fuzz::Check(CompareDottedVersions(text + ".1", text) > 0, "a further number is newer");
            fuzz::Check(CompareDottedVersions("not a version", text) < 0,
                        "no version is older than every version");
        }
    }
    const std::string& a = texts[0];
    const std::string& b = texts[1];
    const std::string& c = texts[2];
    const int ab = Sign(CompareDottedVersions(a, b));
    const int bc = Sign(CompareDottedVersions(b, c));
    const int ac = Sign(CompareDottedVersions(a, c));
    fuzz::Check(ab == -Sign(CompareDottedVersions(b, a)), "the comparison is antisymmetric");
    if (ab <= 0 && bc <= 0) {
        fuzz::Check(ac <= 0, "the comparison is transitive");
    }
    if (ab == 0 && bc == 0) {
        fuzz::Check(ac == 0, "equality is transitive");
    }
    return 0;
}
