#pragma once
// The identity of the product the disc installs, as the menu finds it in the registry (under
// HKEY_LOCAL_MACHINE, read only): whether and in which version it is installed, its folder, and
// the keys that may force the menu's language. The names come from the brand the program is
// built from (brand.ini, see res/Product.cpp); the sample product's are in res/brand.ini.

#include "menu/PageColours.h"
#include "platform/Registry.h"

#include <vector>

namespace product {

// Present when the product is installed; its value kFolderValue holds the product's folder.
extern const char kInstallKey[];
extern const char kFolderValue[];
// Its value "Version" holds the installed version, which the USB drivers must match.
extern const char kOptionsKey[];
inline constexpr char kVersionValue[] = "Version";
extern const char kRequiredVersion[];
// Value "ForceLanguage" of the first of these keys that holds it as text forces the language;
// an empty key is none (a brand may name one key only).
inline constexpr int kForcedLanguageKeyCount = 2;
extern const char* const kForcedLanguageKeys[kForcedLanguageKeyCount];
inline constexpr char kForcedLanguageValue[] = "ForceLanguage";

// The colours of the page's texts in the brand's design (brand.ini, section [Colours]).
extern const colours::TextColours kTextColours;
// The registry views these keys are looked for in on 64-bit Windows: brand.ini's View= ("" for
// the 64-bit view and then the 32-bit one, "64" or "32" for that view alone).
extern const char kRegistryView[];

// The views to look for the product's keys in, in order, on the system `registry` reads.
std::vector<platform::RegistryView> RegistryViews(const platform::IRegistry& registry);

} // namespace product
