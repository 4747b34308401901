// The first language of a page, the lock while the registry forces one, and the chooser.

#include "menu/LanguageChoice.h"
#include "fakes/FakeMenuPage.h"

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

class LanguageChooserTest : public ::testing::Test {
protected:
    // Fills the chooser and selects the first language, as the page's initialisation does.
    std::string Start(fakes::FakeMenuPage& page) {
        page.m_strLauncherDir = "/nonexistent/";
        page.FillLanguageChooser();
        page.SelectInitialLanguage();
        return page.selection >= 0 ? page.chooser[page.selection].first : "(none)";
    }

    fakes::FakeMenuServices services;
    fakes::FakeMenuPage page{"Main Dialog", services};
};

TEST_F(LanguageChooserTest, TheSixLanguagesTheFirstChoiceAndItsFile) {
    page.FillLanguageChooser();
    EXPECT_EQ(page.chooser, (std::vector<std::pair<std::string, int>>{{"English", 0},
                                                                      {kFrench, 1},
                                                                      {"Deutsch", 2},
                                                                      {"Italiano", 3},
                                                                      {kSpanish, 4},
                                                                      {"Chinese", 5}}));
    services.registry.SetString(kFirstKey, "ForceLanguage", "XYZ");
    services.locale.abbreviation = "DEU";
    EXPECT_EQ(Start(page), "(none)");
    EXPECT_EQ(page.m_strConfigPath, "/nonexistent/Inst.inf") << "no selection reads English";
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(true));

    services.registry.SetString(kFirstKey, "ForceLanguage", "ESP");
    fakes::FakeMenuPage forced("Main Dialog", services);
    EXPECT_EQ(Start(forced), kSpanish);
    EXPECT_EQ(forced.m_strConfigPath, "/nonexistent/Inst40a.inf");
    EXPECT_EQ(forced.chooserEnabled, std::optional<bool>(false));
}

TEST_F(LanguageChooserTest, ALumoPageTakesOverItsOpenersChoiceOnly) {
    services.registry.SetString(kFirstKey, "ForceLanguage", "CHN");
    fakes::FakeMenuPage lumo("Lumo Dialog", services);
    lumo.openerSelection = 2;
    EXPECT_EQ(Start(lumo), "Deutsch");
    EXPECT_FALSE(lumo.chooserEnabled.has_value()) << "its chooser is left as it is";
    EXPECT_EQ(lumo.m_strConfigPath, "/nonexistent/Inst407.inf");

    fakes::FakeMenuPage orphan("Lumo Dialog", services);
    EXPECT_EQ(Start(orphan), "(none)");
    EXPECT_EQ(orphan.m_strConfigPath, "") << "nothing loaded";
    EXPECT_TRUE(orphan.drawn.empty());

    fakes::FakeMenuPage otherCase("Lumo dialog", services);
    otherCase.openerSelection = 2;
    EXPECT_EQ(Start(otherCase), "Chinese") << "only the exact name takes over";
}

TEST_F(LanguageChooserTest, AChangeReloadsAndRedrawsAtOnceAndTheLockFollowsTheRegistry) {
    Start(page);
    page.LayOut();
    for (int i = 0; i < 3; ++i) {
        page.m_menuItems.push_back(std::make_unique<CMenuItem>());
    }
    page.drawn.clear();
    page.selection = 4;
    page.OnSelendokLanguage(); // to a language without a file: no entries
    EXPECT_EQ(page.m_strConfigPath, "/nonexistent/Inst40a.inf");
    ASSERT_EQ(page.drawn.size(), 2u);
    EXPECT_EQ(page.drawn[0].kind, fakes::Drawn::kHelpArea);
    EXPECT_EQ(page.drawn[1],
              (fakes::Drawn{fakes::Drawn::kRepaint, {408, 15, 593, 15 + 41 * 2 + 37}, "", false}))
        << "the old entries leave the column";

    services.registry.SetString(kSecondKey, "ForceLanguage", "chn");
    page.ApplyLanguageLock();
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(false));
    services.registry.SetString(kSecondKey, "ForceLanguage", "Chinese");
    page.ApplyLanguageLock();
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(true));
    EXPECT_EQ(page.selection, 4) << "the selection stays";
}

} // namespace
