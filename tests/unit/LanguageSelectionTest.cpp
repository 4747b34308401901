// The first language of a page, the lock while the registry forces one, and the reload.

#include "fakes/FakeMenuPage.h"

#include <gtest/gtest.h>

namespace {

const char kFirstKey[] = "SOFTWARE\\Brenlow\\Ormix-Designer\\Tools\\Data Manager";
const char kSecondKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Configuration";

class LanguageSelectionTest : public ::testing::Test {
protected:
    // Fills the chooser and selects the first language, as the page's initialisation does.
    std::string Start(fakes::FakeMenuPage& page) {
        page.m_strLauncherDir = "/nonexistent/";
        page.FillLanguageChooser();
        page.SelectInitialLanguage();
        return page.selection >= 0 ? page.chooser[page.selection].first : "(none)";
    }
    std::string Start() { return Start(page); }

    fakes::FakeMenuServices services;
    fakes::FakeMenuPage page{"Main Dialog", services};
};

TEST_F(LanguageSelectionTest, TheChooserListsTheSixLanguagesInOrder) {
    page.FillLanguageChooser();
    page.FillLanguageChooser();
    const std::vector<std::pair<std::string, int>> expected = {{"English", 0},
                                                               {"Fran\xe7"
                                                                "ais",
                                                                1},
                                                               {"Deutsch", 2},
                                                               {"Italiano", 3},
                                                               {"Espa\xf1ol", 4},
                                                               {"Chinese", 5}};
    EXPECT_EQ(page.chooser, expected);
}

TEST_F(LanguageSelectionTest, AForcedLanguageCodeSelectsAndLocks) {
    services.registry.SetString(kFirstKey, "ForceLanguage", "fra");
    EXPECT_EQ(Start(), "Fran\xe7"
                       "ais");
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(false));
}

TEST_F(LanguageSelectionTest, TheSecondKeyCountsWhenTheFirstHasNoValue) {
    services.registry.AddKey(kFirstKey);
    services.registry.SetString(kSecondKey, "ForceLanguage", "DEU");
    EXPECT_EQ(Start(), "Deutsch");
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(false));
}

TEST_F(LanguageSelectionTest, TheFirstKeyWins) {
    services.registry.SetString(kFirstKey, "ForceLanguage", "ITA");
    services.registry.SetString(kSecondKey, "ForceLanguage", "ESP");
    EXPECT_EQ(Start(), "Italiano");
}

TEST_F(LanguageSelectionTest, AForcedValueThatIsNoCodeSelectsByNameWithoutLock) {
    services.registry.SetString(kFirstKey, "ForceLanguage", "Eng");
    EXPECT_EQ(Start(), "English");
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(true));
}

TEST_F(LanguageSelectionTest, AForcedValueThatMatchesNothingLeavesNoSelectionAndReadsEnglish) {
    services.registry.SetString(kFirstKey, "ForceLanguage", "XYZ");
    services.locale.abbreviation = "DEU";
    EXPECT_EQ(Start(), "(none)");
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(true));
    EXPECT_EQ(page.m_strConfigPath, "/nonexistent/Inst.inf");
}

TEST_F(LanguageSelectionTest, AValueThatIsNotTextIsNoForcedLanguage) {
    services.registry.SetBinary(kFirstKey, "ForceLanguage", "DEU");
    services.locale.abbreviation = "ITA";
    EXPECT_EQ(Start(), "Italiano");
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(true));

    services.registry.SetString(kSecondKey, "ForceLanguage", "ESP");
    fakes::FakeMenuPage second("Main Dialog", services);
    EXPECT_EQ(Start(second), "Espa\xf1ol") << "the second key is asked instead";
}

TEST_F(LanguageSelectionTest, TheLocaleDecidesByTheFirstTwoLetters) {
    const std::pair<const char*, const char*> cases[] = {{"FRC", "Fran\xe7"
                                                                 "ais"},
                                                         {"ESN", "Espa\xf1ol"},
                                                         {"CHT", "Chinese"},
                                                         {"CHS", "Chinese"},
                                                         {"ENG", "English"},
                                                         {"JPN", "English"},
                                                         {"deu", "Deutsch"},
                                                         {"IT", "Italiano"}};
    for (const auto& [abbreviation, language] : cases) {
        services.locale.abbreviation = abbreviation;
        fakes::FakeMenuPage fresh("Main Dialog", services);
        EXPECT_EQ(Start(fresh), language) << abbreviation;
        EXPECT_EQ(fresh.chooserEnabled, std::optional<bool>(true));
    }
    services.locale.abbreviation.reset();
    EXPECT_EQ(Start(), "English") << "a failed locale query";
}

TEST_F(LanguageSelectionTest, ALumoPageTakesOverItsOpenersChoiceOnly) {
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

TEST_F(LanguageSelectionTest, AChangeReloadsAndRedrawsAtOnce) {
    Start();
    page.drawn.clear();
    page.selection = 4;
    page.OnSelendokLanguage();
    EXPECT_EQ(page.m_strConfigPath, "/nonexistent/Inst40a.inf");
    ASSERT_FALSE(page.drawn.empty());
    EXPECT_EQ(page.drawn[0].kind, fakes::Drawn::kHelpArea);
    EXPECT_EQ(page.drawn[0].rect, (geometry::Rect{0, 300, 597, 340}));
}

TEST_F(LanguageSelectionTest, TheLockFollowsTheRegistryAtEveryPaint) {
    Start();
    services.registry.SetString(kSecondKey, "ForceLanguage", "chn");
    page.ApplyLanguageLock();
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(false));
    services.registry.SetString(kSecondKey, "ForceLanguage", "Chinese");
    page.ApplyLanguageLock();
    EXPECT_EQ(page.chooserEnabled, std::optional<bool>(true));
    EXPECT_EQ(page.chooser[page.selection].first, "English") << "the selection stays";
}

TEST_F(LanguageSelectionTest, ValuesTooLongForTheBufferAreAbsent) {
    services.registry.SetString(kFirstKey, "ForceLanguage", "FRA456789X");
    services.registry.SetString(kSecondKey, "ForceLanguage", "ITA456789");
    std::string forced;
    ASSERT_TRUE(page.GetForcedLanguage(forced));
    EXPECT_EQ(forced, "ITA456789");
}

} // namespace
