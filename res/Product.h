#pragma once
// The product the disc installs, as the menu finds it in the registry (under
// HKEY_LOCAL_MACHINE, read only): whether and in which version it is installed, its folder, and
// the keys that may force the menu's language; and the colours of the page's texts. All come
// from the program's brand (res/Brand.h), which the program reads from its own resources once
// at start: the sample product's until then, and in a program that carries none.

#include "platform/Registry.h"
#include "res/Brand.h"

#include <vector>

namespace product {

// The value of the brand's versionKey that holds the installed version.
inline constexpr char kVersionValue[] = "Version";
// The value of the brand's forcedLanguageKeys that forces the language, as text.
inline constexpr char kForcedLanguageValue[] = "ForceLanguage";

// The brand the program shows.
const Brand& CurrentBrand();

// Makes `brand` the program's brand: once, at start, before anything asks for it.
void UseBrand(Brand brand);

// The views to look for the product's keys in, in order, on the system `registry` reads.
std::vector<platform::RegistryView> RegistryViews(const platform::IRegistry& registry);

} // namespace product
