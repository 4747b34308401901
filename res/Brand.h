#pragma once
// The brand a program shows: the product's and company's names, the names of the product's two
// driver packages, the registry keys the menu reads the product by, and the colours of the page's
// texts. A brand folder's brand.ini gives them; whatever it leaves out is the sample product's
// (res/brand.ini, compiled into every program). The program carries its brand.ini verbatim as a
// resource and reads it at start; the build and the brand tool read it with the same rules.

#include "menu/PageColours.h"
#include "platform/registry/RegistryViews.h"

#include <array>
#include <string>
#include <string_view>

namespace product {

// The number of registry keys that may force the menu's language.
inline constexpr int kForcedLanguageKeyCount = 2;

struct Brand {
    // [Product]
    std::string name;          // Name: the product, as its texts name it
    std::string company;       // Company
    std::string firstPackage;  // FirstPackage: the first USB driver package, as its box names it
    std::string secondPackage; // SecondPackage: the second one
    // [Registry], each a key under HKEY_LOCAL_MACHINE or a value's name.
    std::string installKey;      // InstallKey: present when the product is installed
    std::string folderValue;     // FolderValue: its value that holds the product's folder
    std::string versionKey;      // VersionKey: its value "Version" holds the installed version
    std::string requiredVersion; // Version: the version the USB drivers must match
    // LanguageKey, LanguageKey2: their value "ForceLanguage" forces the language; empty is none.
    std::array<std::string, kForcedLanguageKeyCount> forcedLanguageKeys;
    registry_views::Choice view = registry_views::Choice::Both; // View
    // [Colours]: EntryText, EntryHotText, HelpText, LabelText.
    colours::TextColours colours{};
};

// The sample product's brand.ini, as res/brand.ini holds it.
std::string_view SampleBrandIni();

// The sample product's brand.
Brand SampleBrand();

// The brand that the text of a brand.ini `brandIni` gives over `base`, by these rules:
// - The text is decoded by its byte-order mark (UTF-8, UTF-16), else as UTF-8 where it is
//   well-formed UTF-8, else as Windows-1252. Sections and keys are read as the menu reads its
//   language files: names in any letter case, blanks around names and values dropped, one pair
//   of quotes around a value removed, the first key of a name in the first section of a name.
// - A value left blank (or out) is `base`'s. So is a colour other than "#RRGGBB" and a View
//   that names no registry view ("" or "both", "64", "32"): `discmenu-check --brand` reports
//   both.
// - A brand that names its own LanguageKey without a LanguageKey2 line reads that key alone; a
//   LanguageKey2 line left blank names no second key.
Brand ReadBrand(std::string_view brandIni, const Brand& base);

// The same over the sample product's brand: an empty text is the sample's brand.
Brand ReadBrand(std::string_view brandIni);

// A built-in text for `brand`: the built-in texts name the sample's product and its two driver
// packages, and where a language file leaves such a text out, the customer is to read the
// brand's own names there. Each whole name of the sample's is replaced by the brand's.
std::string NamedFor(std::string builtinText, const Brand& brand);

} // namespace product
