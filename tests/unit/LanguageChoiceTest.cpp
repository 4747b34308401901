// The first language of a page, the lock while the registry forces one, and the chooser.

#include "menu/LanguageChoice.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

const char kFirstKey[] = "SOFTWARE\\Brenlow\\Ormix-Designer\\Tools\\Data Manager";
const char kSecondKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Configuration";
const std::string kFrench = "Fran\xc3\xa7"
                            "ais";
const std::string kSpanish = "Espa\xc3\xb1ol";

TEST(LanguageChoice, FromTheForcedValueElseTheLocaleElseEnglish) {
    struct Case {
        std::optional<std::string> forced, locale;
        std::string prefix;
        bool locked;
    };
    const std::optional<std::string> none;
    const Case cases[] = {
        {"fra", "DEU", kFrench, true}, // a code, in any case, selects and locks
        {"CHN", none, "Chinese", true},
        {"Eng", "DEU", "Eng", false}, // any other text selects by name, unlocked
        {"XYZ", "DEU", "XYZ", false}, // and may select nothing
        {"", "DEU", "", false},
        {none, "FRC", kFrench, false}, // the locale by its first two letters
        {none, "ESN", kSpanish, false},
        {none, "CHT", "Chinese", false},
        {none, "CHS", "Chinese", false},
        {none, "deu", "Deutsch", false},
        {none, "IT", "Italiano", false},
        {none, "ENG", "English", false},
        {none, "JPN", "English", false}, // no language of the disc
        {none, "D", "English", false},
        {none, none, "English", false}, // a failed locale query
    };
    fakes::FakeStringTable strings;
    for (const Case& c : cases) {
        const auto choice = languages::ChooseInitialLanguage(c.forced, c.locale, strings);
        EXPECT_EQ(choice.chooserPrefix, c.prefix)
            << c.forced.value_or("-") << c.locale.value_or("-");
        EXPECT_EQ(choice.locked, c.locked) << c.forced.value_or("-");
        EXPECT_EQ(languages::IsLocked(c.forced), c.locked);
    }
}

TEST(LanguageChoice, TheForcedValueIsTextFromTheFirstKeyThatHoldsIt) {
    struct Case {
        std::optional<std::string> first, second;
        bool firstBinary;
        std::optional<std::string> expected;
    };
    const std::optional<std::string> none;
    const Case cases[] = {
        {"ITA", "ESP", false, "ITA"},
        {none, "DEU", false, "DEU"},
        {"DEU", "ESP", true, "ESP"},                     // a value that is not text is no language
        {"FRA456789X", "ITA456789", false, "ITA456789"}, // too long for its 10-byte buffer
        {none, none, false, none},
    };
    for (const Case& c : cases) {
        fakes::FakeRegistry registry;
        registry.AddKey(kFirstKey);
        if (c.first && c.firstBinary) {
            registry.SetBinary(kFirstKey, "ForceLanguage", *c.first);
        } else if (c.first) {
            registry.SetString(kFirstKey, "ForceLanguage", *c.first);
        }
        if (c.second) {
            registry.SetString(kSecondKey, "ForceLanguage", *c.second);
        }
        EXPECT_EQ(languages::ReadForcedLanguage(registry), c.expected) << c.first.value_or("-");
    }
}

// On 64-bit Windows each key is looked for in the 64-bit view, then in the 32-bit one, before
// the next key.
TEST(LanguageChoice, TheForcedValueIsFoundInEitherViewOf64BitWindows) {
    struct Case {
        std::optional<std::string> first64, first32, second64;
        bool twoViews;
        std::optional<std::string> expected;
    };
    const std::optional<std::string> none;
    const Case cases[] = {
        {"ITA", none, none, true, "ITA"},  {none, "ESP", none, true, "ESP"},
        {"ITA", "ESP", none, true, "ITA"}, {none, none, "DEU", true, "DEU"},
        {none, "ESP", "DEU", true, "ESP"}, // the first key in either view before the second
        {"ITA", none, none, false, none},  // 32-bit Windows: one view, the program's own
    };
    for (const Case& c : cases) {
        fakes::FakeRegistry registry;
        registry.twoViews = c.twoViews;
        if (c.first64) {
            registry.SetString64(kFirstKey, "ForceLanguage", *c.first64);
        }
        if (c.first32) {
            registry.SetString(kFirstKey, "ForceLanguage", *c.first32);
        }
        if (c.second64) {
            registry.SetString64(kSecondKey, "ForceLanguage", *c.second64);
        }
        EXPECT_EQ(languages::ReadForcedLanguage(registry), c.expected)
            << c.first64.value_or("-") << " " << c.first32.value_or("-") << " "
            << c.second64.value_or("-");
    }
}

TEST(LanguageChoice, TheChoosersPositionOfALanguageAndOfAPrefix) {
    const std::vector<std::string> names = {"English",  kFrench,  "Deutsch",
                                            "Italiano", kSpanish, "Chinese"};
    EXPECT_EQ(languages::PositionStartingWith(names, "Esp"), 4);
    EXPECT_EQ(languages::PositionStartingWith(names, "english"), 0) << "the first is searched last";
    EXPECT_EQ(languages::PositionStartingWith(names, "XYZ"), -1);
    EXPECT_EQ(languages::PositionStartingWith({}, "E"), -1);
    EXPECT_EQ(languages::ChooserPosition({0, 2, 5}, 5), 2);
    EXPECT_EQ(languages::ChooserPosition({0, 2, 5}, 1), -1);
}

TEST(LanguageChoice, TheChooserListsTheLanguagesOnTheDiscAndFallsBackToTheFirst) {
    const std::vector<std::string> all = {"English",  kFrench,  "Deutsch",
                                          "Italiano", kSpanish, "Chinese"};
    struct Case {
        std::vector<bool> present;
        std::string prefix;
        std::vector<int> listed;
        int position;
    };
    const std::vector<bool> six(6, true);
    const std::vector<bool> none(6, false);
    const std::vector<bool> enDeZh = {true, false, true, false, false, true};
    const std::vector<bool> frEs = {false, true, false, false, true, false};
    const Case cases[] = {
        {six, "Deutsch", {0, 1, 2, 3, 4, 5}, 2},
        {six, "XYZ", {0, 1, 2, 3, 4, 5}, -1},
        {none, "Chinese", {0, 1, 2, 3, 4, 5}, 5}, // no file at all: as with all six
        {none, "XYZ", {0, 1, 2, 3, 4, 5}, -1},
        {enDeZh, "Chinese", {0, 2, 5}, 2},
        {enDeZh, "Italiano", {0, 2, 5}, 0}, // a missing language: the first listed
        {enDeZh, "It", {0, 2, 5}, 0},
        {frEs, "English", {1, 4}, 0},
        {frEs, kSpanish, {1, 4}, 1},
        {frEs, "Eng", {1, 4}, 0},
        {frEs, "XYZ", {1, 4}, -1}, // a forced text that names no language selects nothing
    };
    for (const Case& c : cases) {
        const std::vector<int> listed = languages::ListedLanguages(c.present);
        EXPECT_EQ(listed, c.listed) << c.prefix;
        EXPECT_EQ(languages::FirstPosition(all, listed, c.prefix), c.position) << c.prefix;
    }
}

} // namespace
