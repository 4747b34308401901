#include "brand/Manifest.h"

#include <cctype>

namespace brand {

namespace {

std::string LettersAndDigits(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0 &&
            static_cast<unsigned char>(c) < 0x80) {
            out.push_back(c);
        }
    }
    return out;
}

// `text` with every `open`...`close` span whose inside holds no `stop` and passes `wanted`
// given `replacement` inside.
template <typename Wanted>
std::string ReplaceInside(std::string_view text, std::string_view open, std::string_view close,
                          char stop, Wanted wanted, const std::string& replacement) {
    std::string out;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t start = text.find(open, position);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t inside = start + open.size();
        const std::size_t end = text.find(stop, inside);
        if (end != std::string_view::npos && text.substr(end, close.size()) == close &&
            wanted(text.substr(inside, end - inside))) {
            out.append(text.substr(position, inside - position));
            out += replacement;
            out.append(close);
            position = end + close.size();
        } else {
            out.append(text.substr(position, inside - position));
            position = inside;
        }
    }
    out.append(text.substr(position));
    return out;
}

bool EndsWithInstall(std::string_view value) {
    constexpr std::string_view kSuffix = ".Install";
    return value.size() >= kSuffix.size() && value.substr(value.size() - kSuffix.size()) == kSuffix;
}

} // namespace

std::string BrandManifest(std::string_view manifest, const ProductNames& names) {
    const std::string identity =
        LettersAndDigits(names.company) + "." + LettersAndDigits(names.product) + ".Install";
    const std::string named =
        ReplaceInside(manifest, "name=\"", "\"", '"', EndsWithInstall, identity);
    return ReplaceInside(
        named, "<description>", "</description>", '<', [](std::string_view) { return true; },
        Description(names));
}

} // namespace brand
