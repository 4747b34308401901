// The language chooser of a page: its six languages, the first choice (a language forced in
// the registry, else the user's locale, else English), the lock while a language is forced,
// and the reload when the choice changes.

#include "framework/StringUtil.h"
#include "menu/Languages.h"
#include "menu/MenuPage.h"

namespace {

// Looked for in this order; the first key that yields the value wins.
const char* const kForcedLanguageKeys[] = {
    "SOFTWARE\\Brenlow\\Ormix-Designer\\Tools\\Data Manager",
    "SOFTWARE\\Brenlow\\Ormix-Frame\\Configuration",
};
const char kForcedLanguageValue[] = "ForceLanguage";
constexpr std::size_t kForcedLanguageBufferSize = 10;
constexpr std::size_t kLocaleBufferSize = 10;

// The index of the language whose code equals `forced` regardless of letter case, or -1.
int LanguageOfCode(const std::string& forced) {
    for (int i = 0; i < languages::kCount; ++i) {
        if (text::EqualsNoCase(forced, languages::Code(i))) {
            return i;
        }
    }
    return -1;
}

} // namespace

bool CMenuPage::GetForcedLanguage(std::string& forced) const {
    for (const char* key : kForcedLanguageKeys) {
        // A value that is not text is no language, whatever its bytes spell.
        const auto value =
            m_services.registry.ReadValue(key, kForcedLanguageValue, kForcedLanguageBufferSize);
        if (value && value->isString) {
            forced = value->text;
            return true;
        }
    }
    return false;
}

void CMenuPage::FillLanguageChooser() {
    ResetLanguageChooser();
    for (int i = 0; i < languages::kCount; ++i) {
        AddLanguage(m_services.strings.Load(languages::NameTextId(i)), i);
    }
}

void CMenuPage::SelectInitialLanguage() {
    if (IsLumoPage()) {
        // This page hides its chooser and continues in its opener's language.
        if (const auto openerSelection = GetOpeningPageSelection()) {
            SetChooserSelection(*openerSelection);
            OnSelendokLanguage();
        }
        return;
    }

    bool locked = false;
    std::string wanted;
    std::string forced;
    if (GetForcedLanguage(forced)) {
        const int language = LanguageOfCode(forced);
        locked = language >= 0;
        wanted = locked ? m_services.strings.Load(languages::NameTextId(language)) : forced;
    } else {
        wanted = m_services.strings.Load(languages::NameTextId(languages::kEnglish));
        const auto abbreviation = m_services.locale.GetAbbreviatedLanguageName(kLocaleBufferSize);
        for (int i = 0; abbreviation && abbreviation->size() >= 2 && i < languages::kCount; ++i) {
            if (text::StartsWithNoCase(*abbreviation, languages::Code(i).substr(0, 2))) {
                wanted = m_services.strings.Load(languages::NameTextId(i));
                break;
            }
        }
    }
    SelectChooserEntryStartingWith(wanted);
    OnSelendokLanguage();
    EnableLanguageChooser(!locked);
}

void CMenuPage::OnSelendokLanguage() {
    FreeMenuItems();
    LoadConfiguration(m_strPageName, m_menuItems);
    DrawMenu();
}

void CMenuPage::ApplyLanguageLock() {
    std::string forced;
    EnableLanguageChooser(!(GetForcedLanguage(forced) && LanguageOfCode(forced) >= 0));
}
