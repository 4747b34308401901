#include "menu/LanguageChoice.h"

#include "framework/StringUtil.h"
#include "menu/Languages.h"

namespace languages {

namespace {

// Looked for in this order; the first key that yields the value wins.
const char* const kForcedLanguageKeys[] = {
    "SOFTWARE\\Brenlow\\Ormix-Designer\\Tools\\Data Manager",
    "SOFTWARE\\Brenlow\\Ormix-Frame\\Configuration",
};
const char kForcedLanguageValue[] = "ForceLanguage";
constexpr std::size_t kForcedLanguageBufferSize = 10;

} // namespace

std::optional<std::string> ReadForcedLanguage(const platform::IRegistry& registry) {
    for (const char* key : kForcedLanguageKeys) {
        const auto value = registry.ReadValue(key, kForcedLanguageValue, kForcedLanguageBufferSize);
        if (value && value->isString) {
            return value->text;
        }
    }
    return std::nullopt;
}

int LanguageOfCode(const std::string& forced) {
    for (int i = 0; i < kCount; ++i) {
        if (text::EqualsNoCase(forced, Code(i))) {
            return i;
        }
    }
    return -1;
}

bool IsLocked(const std::optional<std::string>& forced) {
    return forced && LanguageOfCode(*forced) >= 0;
}

InitialChoice ChooseInitialLanguage(const std::optional<std::string>& forced,
                                    const std::optional<std::string>& localeAbbreviation,
                                    const platform::IStringTable& strings) {
    if (forced) {
        const int language = LanguageOfCode(*forced);
        return language >= 0 ? InitialChoice{strings.Load(NameTextId(language)), true}
                             : InitialChoice{*forced, false};
    }
    if (localeAbbreviation && localeAbbreviation->size() >= 2) {
        for (int i = 0; i < kCount; ++i) {
            if (text::StartsWithNoCase(*localeAbbreviation, Code(i).substr(0, 2))) {
                return {strings.Load(NameTextId(i)), false};
            }
        }
    }
    return {strings.Load(NameTextId(kEnglish)), false};
}

} // namespace languages
