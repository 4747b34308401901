#include "menu/LanguageChoice.h"

#include "framework/text/StringUtil.h"
#include "menu/Languages.h"
#include "platform/registry/RegistryViews.h"
#include "res/Product.h"

namespace languages {

namespace {

constexpr std::size_t kForcedLanguageBufferSize = 10;

} // namespace

std::optional<std::string> ReadForcedLanguage(const platform::IRegistry& registry) {
    // Looked for in this order, each key in the product's registry views in their order; the
    // first that yields the value as text wins.
    const auto views = product::RegistryViews(registry);
    for (const std::string& key : product::CurrentBrand().forcedLanguageKeys) {
        if (key.empty()) {
            continue;
        }
        for (const platform::RegistryView view : views) {
            const auto value = registry.ReadValueIn(view, key, product::kForcedLanguageValue,
                                                    kForcedLanguageBufferSize);
            if (value && value->isString) {
                return value->text;
            }
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

int PositionStartingWith(const std::vector<std::string>& names, const std::string& prefix) {
    const int count = static_cast<int>(names.size());
    for (int step = 1; step <= count; ++step) {
        const int position = step % count;
        if (text::StartsWithNoCase(names[position], prefix)) {
            return position;
        }
    }
    return -1;
}

std::vector<int> ListedLanguages(const std::vector<bool>& present) {
    std::vector<int> listed;
    for (int i = 0; i < static_cast<int>(present.size()); ++i) {
        if (present[i]) {
            listed.push_back(i);
        }
    }
    if (listed.empty()) {
        for (int i = 0; i < static_cast<int>(present.size()); ++i) {
            listed.push_back(i);
        }
    }
    return listed;
}

int FirstPosition(const std::vector<std::string>& allNames, const std::vector<int>& listed,
                  const std::string& prefix) {
    std::vector<std::string> names;
    names.reserve(listed.size());
    for (const int language : listed) {
        names.push_back(allNames[language]);
    }
    const int position = PositionStartingWith(names, prefix);
    if (position < 0 && !listed.empty() && PositionStartingWith(allNames, prefix) >= 0) {
        return 0;
    }
    return position;
}

int ChooserPosition(const std::vector<int>& chooserLanguages, int languageIndex) {
    for (int position = 0; position < static_cast<int>(chooserLanguages.size()); ++position) {
        if (chooserLanguages[position] == languageIndex) {
            return position;
        }
    }
    return -1;
}

} // namespace languages
