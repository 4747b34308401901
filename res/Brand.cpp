#include "res/Brand.h"

#include "framework/text/Unicode.h"
#include "platform/profile/ProfileIndex.h"
#include "platform/profile/ProfileValues.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

namespace product {

namespace {

// res/brand.ini as a string literal, written by the build (cmake/SampleBrand.cmake).
#include "SampleBrand.inc"

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr unsigned kWindows1252 = 1252;

// The text as the index reads it: a file without byte-order mark that is well-formed UTF-8 is
// given the UTF-8 mark, so that names and keys written in UTF-8 read as written.
std::string Marked(std::string_view bytes) {
    const bool marked = bytes.substr(0, 3) == kUtf8Mark || bytes.substr(0, 2) == "\xFF\xFE" ||
                        bytes.substr(0, 2) == "\xFE\xFF";
    if (marked || !text::IsUtf8(bytes)) {
        return std::string(bytes);
    }
    return kUtf8Mark + std::string(bytes);
}

// A key's value without its pair of quotes; nothing for a key that is not there (or has no '=').
std::optional<std::string> Find(const platform::profile::Index& index, std::u16string_view section,
                                std::u16string_view key) {
    const auto value = index.Find(section, key);
    if (!value) {
        return std::nullopt;
    }
    return text::Utf16ToUtf8(
        platform::profile::Copy(*value, std::numeric_limits<std::size_t>::max()));
}

// `value` where the key gives one that is not blank.
void Take(const platform::profile::Index& index, std::u16string_view section,
          std::u16string_view key, std::string& value) {
    if (auto found = Find(index, section, key); found && !found->empty()) {
        value = std::move(*found);
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// "#RRGGBB" as a colour; nothing for any other text.
std::optional<colours::Colour> ParseColour(const std::string& text) {
    if (text.size() != 7 || text[0] != '#') {
        return std::nullopt;
    }
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(text[1 + 2 * i]);
        const int low = HexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        parts[i] = high * 16 + low;
    }
    return colours::Rgb(parts[0], parts[1], parts[2]);
}

void TakeColour(const platform::profile::Index& index, std::u16string_view key,
                colours::Colour& colour) {
    if (const auto found = Find(index, u"Colours", key)) {
        colour = ParseColour(*found).value_or(colour);
    }
}

} // namespace

std::string_view SampleBrandIni() {
    return kSampleBrandIni;
}

Brand SampleBrand() {
    // The sample's own file names every value; what it might leave out stays empty.
    static const Brand sample = ReadBrand(SampleBrandIni(), Brand{});
    return sample;
}

Brand ReadBrand(std::string_view brandIni, const Brand& base) {
    const platform::profile::Index index(Marked(brandIni), kWindows1252);
    Brand brand = base;
    Take(index, u"Product", u"Name", brand.name);
    Take(index, u"Product", u"Company", brand.company);
    Take(index, u"Product", u"FirstPackage", brand.firstPackage);
    Take(index, u"Product", u"SecondPackage", brand.secondPackage);
    Take(index, u"Registry", u"InstallKey", brand.installKey);
    Take(index, u"Registry", u"FolderValue", brand.folderValue);
    Take(index, u"Registry", u"VersionKey", brand.versionKey);
    Take(index, u"Registry", u"Version", brand.requiredVersion);

    const auto first = Find(index, u"Registry", u"LanguageKey");
    const auto second = Find(index, u"Registry", u"LanguageKey2");
    if (first && !first->empty()) {
        brand.forcedLanguageKeys[0] = *first;
        // A brand that names its own first key reads it alone, unless it names a second.
        brand.forcedLanguageKeys[1].clear();
    }
    if (second) {
        brand.forcedLanguageKeys[1] = *second;
    }

    if (const auto view = Find(index, u"Registry", u"View"); view && !view->empty()) {
        brand.view = registry_views::ParseChoice(*view).value_or(brand.view);
    }

    TakeColour(index, u"EntryText", brand.colours.entry);
    TakeColour(index, u"EntryHotText", brand.colours.hotEntry);
    TakeColour(index, u"HelpText", brand.colours.help);
    TakeColour(index, u"LabelText", brand.colours.label);
    return brand;
}

Brand ReadBrand(std::string_view brandIni) {
    return ReadBrand(brandIni, SampleBrand());
}

std::string NamedFor(std::string builtinText, const Brand& brand) {
    static const Brand sample = SampleBrand();
    const std::pair<const std::string&, const std::string&> names[] = {
        {sample.name, brand.name},
        {sample.firstPackage, brand.firstPackage},
        {sample.secondPackage, brand.secondPackage},
    };
    std::string named;
    std::size_t from = 0;
    while (from < builtinText.size()) {
        const auto replaced = [&](const auto& name) {
            return !name.first.empty() &&
                   builtinText.compare(from, name.first.size(), name.first) == 0;
        };
        const auto* match = std::find_if(std::begin(names), std::end(names), replaced);
        if (match == std::end(names)) {
            named += builtinText[from++];
            continue;
        }
        named += match->second;
        from += match->first.size();
    }
    return named;
}

} // namespace product
