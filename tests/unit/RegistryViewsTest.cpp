// Which registry views the product's keys are looked for in, a value's folders as a program of
// the other architecture names them, and the first view that holds a key or value.

#include "platform/registry/RegistryViews.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

using platform::RegistryView;
using registry_views::Choice;

TEST(RegistryViews, TheBrandsChoice) {
    const std::pair<const char*, std::optional<Choice>> cases[] = {
        {"", Choice::Both},      {"  ", Choice::Both},         {"Both", Choice::Both},
        {"64", Choice::Only64},  {" 32 ", Choice::Only32},     {"x64", std::nullopt},
        {"64 32", std::nullopt}, {"WOW6432Node", std::nullopt}};
    for (const auto& [text, choice] : cases) {
        EXPECT_EQ(registry_views::ParseChoice(text), choice) << '"' << text << '"';
    }
}

TEST(RegistryViews, SixtyFourBitFirstOnSixtyFourBitWindowsAndTheOneViewElsewhere) {
    struct Case {
        bool twoViews;
        Choice choice;
        std::vector<RegistryView> order;
    };
    const Case cases[] = {
        {true, Choice::Both, {RegistryView::Bits64, RegistryView::Bits32}},
        {true, Choice::Only64, {RegistryView::Bits64}},
        {true, Choice::Only32, {RegistryView::Bits32}},
        // 32-bit Windows and XP: the only view, read as before, whatever the brand names.
        {false, Choice::Both, {RegistryView::Own}},
        {false, Choice::Only64, {RegistryView::Own}},
        {false, Choice::Only32, {RegistryView::Own}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(registry_views::SearchOrder(c.twoViews, c.choice), c.order)
            << c.twoViews << " " << static_cast<int>(c.choice);
    }
}

TEST(RegistryViews, AValueOfTheOtherArchitecturesViewNamesItsFolders) {
    struct Case {
        const char* text;
        RegistryView view;
        bool program64;
        bool twoViews;
        const char* expected;
    };
    const Case cases[] = {
        // A 32-bit program reading a 64-bit product's folder.
        {"%ProgramFiles%\\Ormix", RegistryView::Bits64, false, true, "%ProgramW6432%\\Ormix"},
        {"%PROGRAMFILES%\\Ormix", RegistryView::Bits64, false, true, "%ProgramW6432%\\Ormix"},
        {"%CommonProgramFiles%\\Ormix;%ProgramFiles%", RegistryView::Bits64, false, true,
         "%CommonProgramW6432%\\Ormix;%ProgramW6432%"},
        // A 64-bit program reading a 32-bit product's folder.
        {"%ProgramFiles%\\Ormix", RegistryView::Bits32, true, true, "%ProgramFiles(x86)%\\Ormix"},
        {"%CommonProgramFiles%", RegistryView::Bits32, true, true, "%CommonProgramFiles(x86)%"},
        // A program's own architecture's view, or its own view: as it stands.
        {"%ProgramFiles%\\Ormix", RegistryView::Bits32, false, true, "%ProgramFiles%\\Ormix"},
        {"%ProgramFiles%\\Ormix", RegistryView::Bits64, true, true, "%ProgramFiles%\\Ormix"},
        {"%ProgramFiles%\\Ormix", RegistryView::Own, false, true, "%ProgramFiles%\\Ormix"},
        // One view: nothing to tell apart.
        {"%ProgramFiles%\\Ormix", RegistryView::Bits64, false, false, "%ProgramFiles%\\Ormix"},
        // Other variables, and names that only begin alike, stay.
        {"%SystemRoot%\\Ormix", RegistryView::Bits64, false, true, "%SystemRoot%\\Ormix"},
        {"%ProgramFilesX%\\%ProgramData%", RegistryView::Bits64, false, true,
         "%ProgramFilesX%\\%ProgramData%"},
        {"C:\\Program Files\\Ormix", RegistryView::Bits64, false, true, "C:\\Program Files\\Ormix"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(registry_views::ForView(c.text, c.view, c.program64, c.twoViews), c.expected)
            << c.text << " " << static_cast<int>(c.view) << " " << c.program64;
    }
    EXPECT_EQ(registry_views::OtherFoldersVariable(false), "ProgramW6432");
    EXPECT_EQ(registry_views::OtherFoldersVariable(true), "ProgramFiles(x86)");
}

TEST(RegistryViews, TheFirstViewThatHoldsTheValueAnswers) {
    const char kKey[] = "SOFTWARE\\Ormix";
    const std::vector<RegistryView> both = {RegistryView::Bits64, RegistryView::Bits32};
    struct Case {
        std::optional<std::string> in64, in32;
        std::optional<std::string> expected;
        unsigned long error;
    };
    const std::optional<std::string> none;
    const Case cases[] = {
        {"sixty-four", "thirty-two", "sixty-four", 0},
        {none, "thirty-two", "thirty-two", 0},
        {"sixty-four", none, "sixty-four", 0},
        {none, none, none, platform::errors::kFileNotFound},
        // Too long for the buffer in one view: the other's, else the reason it was not read.
        {std::string(20, 'x'), "fits", "fits", 0},
        {std::string(20, 'x'), none, none, platform::errors::kInsufficientBuffer},
        {none, std::string(20, 'x'), none, platform::errors::kInsufficientBuffer},
    };
    for (const Case& c : cases) {
        fakes::FakeRegistry registry;
        registry.twoViews = true;
        if (c.in64) {
            registry.SetString64(kKey, "Value", *c.in64);
        }
        if (c.in32) {
            registry.SetString(kKey, "Value", *c.in32);
        }
        const auto value = registry_views::ReadFromAny(registry, both, kKey, "Value", 16);
        EXPECT_EQ(value ? std::optional<std::string>(value->text) : std::nullopt, c.expected)
            << c.in64.value_or("-") << " / " << c.in32.value_or("-");
        if (!c.expected) {
            EXPECT_EQ(value.error.code, c.error) << c.in64.value_or("-");
        }
        EXPECT_EQ(registry_views::KeyExistsInAny(registry, both, kKey),
                  c.in64.has_value() || c.in32.has_value());
    }
}

TEST(RegistryViews, AViewNamedAloneIsTheOnlyOneAsked) {
    fakes::FakeRegistry registry;
    registry.twoViews = true;
    registry.SetString64("SOFTWARE\\Ormix", "Value", "64");
    EXPECT_FALSE(registry_views::ReadFromAny(registry, {RegistryView::Bits32}, "SOFTWARE\\Ormix",
                                             "Value", 10));
    EXPECT_EQ(registry.viewsAsked, std::vector<RegistryView>{RegistryView::Bits32});
}

} // namespace
