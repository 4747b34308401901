#pragma once
// The identity of the product the disc installs, as the menu finds it in the registry (under
// HKEY_LOCAL_MACHINE, read only): whether and in which version it is installed, its folder, and
// the keys that may force the menu's language. The one place these names are written.

namespace product {

// Present when the product is installed; its value "WBPATH" holds the product's folder.
inline constexpr char kInstallKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Install";
inline constexpr char kFolderValue[] = "WBPATH";
// Its value "Version" holds the installed version, which the USB drivers must match.
inline constexpr char kOptionsKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Options";
inline constexpr char kVersionValue[] = "Version";
inline constexpr char kRequiredVersion[] = "4.4.0";
// Value "ForceLanguage" of the first of these keys that holds it as text forces the language.
inline constexpr const char* kForcedLanguageKeys[] = {
    "SOFTWARE\\Brenlow\\Ormix-Designer\\Tools\\Data Manager",
    "SOFTWARE\\Brenlow\\Ormix-Frame\\Configuration",
};
inline constexpr char kForcedLanguageValue[] = "ForceLanguage";

} // namespace product
