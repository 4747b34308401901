// The brand a program reads from its brand.ini: each value over the sample product's, by the
// rules the build applies to a brand folder.

#include "res/Brand.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using product::Brand;
using registry_views::Choice;

TEST(Brand, TheSampleIsResBrandIni) {
    const Brand sample = product::SampleBrand();
    EXPECT_EQ(sample.name, "Ormix-Designer");
    EXPECT_EQ(sample.company, "Brenlow");
    EXPECT_EQ(sample.firstPackage, "RKVA");
    EXPECT_EQ(sample.secondPackage, "RKVB");
    EXPECT_EQ(sample.installKey, "SOFTWARE\\Brenlow\\Ormix-Frame\\Install");
    EXPECT_EQ(sample.folderValue, "WBPATH");
    EXPECT_EQ(sample.versionKey, "SOFTWARE\\Brenlow\\Ormix-Frame\\Options");
    EXPECT_EQ(sample.requiredVersion, "4.4.0");
    EXPECT_EQ(sample.forcedLanguageKeys[0],
              "SOFTWARE\\Brenlow\\Ormix-Designer\\Tools\\Data Manager");
    EXPECT_EQ(sample.forcedLanguageKeys[1], "SOFTWARE\\Brenlow\\Ormix-Frame\\Configuration");
    EXPECT_EQ(sample.view, Choice::Both);
    EXPECT_EQ(sample.colours, colours::kDesignTextColours);
    // No brand, or an empty one, is the sample.
    const Brand none = product::ReadBrand("");
    EXPECT_EQ(none.name, sample.name);
    EXPECT_EQ(none.colours, sample.colours);
    EXPECT_EQ(none.forcedLanguageKeys, sample.forcedLanguageKeys);
}

TEST(Brand, EachValueOverTheSamples) {
    using Check = std::function<void(const Brand&)>;
    struct Case {
        const char* name;
        std::string ini;
        Check check;
    };
    const Brand sample = product::SampleBrand();
    const Case cases[] = {
        {"a name", "[Product]\nName=Quarry Studio 2\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.name, "Quarry Studio 2");
             EXPECT_EQ(b.company, sample.company);
         }},
        {"blanks around names and values, and letter case of names",
         "  [ product ]  \r\n  COMPANY  =   Tessel Works  \r\n",
         [&](const Brand& b) { EXPECT_EQ(b.company, "Tessel Works"); }},
        {"one pair of quotes removed", "[Product]\nName=\"\"Quarry\"\"\nCompany='Tessel'\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.name, "\"Quarry\"");
             EXPECT_EQ(b.company, "Tessel");
         }},
        {"a blank value, or quotes around nothing, is the sample's",
         "[Product]\nName=\nCompany=\"\"\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.name, sample.name);
             EXPECT_EQ(b.company, sample.company);
         }},
        {"the first of a name", "[Product]\nName=First\nname=Second\n[Product]\nName=Third\n",
         [&](const Brand& b) { EXPECT_EQ(b.name, "First"); }},
        {"a line without '=' is no value", "[Product]\nName\nFirstPackage=QSA\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.name, sample.name);
             EXPECT_EQ(b.firstPackage, "QSA");
             EXPECT_EQ(b.secondPackage, sample.secondPackage);
         }},
        {"the package names", "[Product]\nFirstPackage=QS-Serial\nSecondPackage=QS-Probe\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.firstPackage, "QS-Serial");
             EXPECT_EQ(b.secondPackage, "QS-Probe");
         }},
        {"the registry names",
         "[Registry]\nInstallKey=SOFTWARE\\Tessel\\Quarry\nFolderValue=Path\n"
         "VersionKey=SOFTWARE\\Tessel\\Quarry\\Options\nVersion=2.0\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.installKey, "SOFTWARE\\Tessel\\Quarry");
             EXPECT_EQ(b.folderValue, "Path");
             EXPECT_EQ(b.versionKey, "SOFTWARE\\Tessel\\Quarry\\Options");
             EXPECT_EQ(b.requiredVersion, "2.0");
             EXPECT_EQ(b.forcedLanguageKeys, sample.forcedLanguageKeys);
         }},
        {"a first language key alone reads that key alone",
         "[Registry]\nLanguageKey=SOFTWARE\\Tessel\\Quarry\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.forcedLanguageKeys[0], "SOFTWARE\\Tessel\\Quarry");
             EXPECT_EQ(b.forcedLanguageKeys[1], "");
         }},
        {"a first language key with a second",
         "[Registry]\nLanguageKey=SOFTWARE\\Tessel\\A\nLanguageKey2=SOFTWARE\\Tessel\\B\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.forcedLanguageKeys[0], "SOFTWARE\\Tessel\\A");
             EXPECT_EQ(b.forcedLanguageKeys[1], "SOFTWARE\\Tessel\\B");
         }},
        {"a second language key alone keeps the sample's first",
         "[Registry]\nLanguageKey2=SOFTWARE\\Tessel\\B\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.forcedLanguageKeys[0], sample.forcedLanguageKeys[0]);
             EXPECT_EQ(b.forcedLanguageKeys[1], "SOFTWARE\\Tessel\\B");
         }},
        {"a blank second language key is none", "[Registry]\nLanguageKey2=\n",
         [&](const Brand& b) {
             EXPECT_EQ(b.forcedLanguageKeys[0], sample.forcedLanguageKeys[0]);
             EXPECT_EQ(b.forcedLanguageKeys[1], "");
         }},
        {"view 64", "[Registry]\nView=64\n",
         [](const Brand& b) { EXPECT_EQ(b.view, Choice::Only64); }},
        {"view 32", "[Registry]\nView= 32 \n",
         [](const Brand& b) { EXPECT_EQ(b.view, Choice::Only32); }},
        {"view both", "[Registry]\nView=BOTH\n",
         [](const Brand& b) { EXPECT_EQ(b.view, Choice::Both); }},
        {"a view that names none is the sample's", "[Registry]\nView=x64\n",
         [](const Brand& b) { EXPECT_EQ(b.view, Choice::Both); }},
        {"the colours",
         "[Colours]\nEntryText=#102030\nEntryHotText=#a0b0c0\nHelpText=#FFFFFF\n"
         "LabelText=#000000\n",
         [](const Brand& b) {
             EXPECT_EQ(b.colours,
                       (colours::TextColours{colours::Rgb(0x10, 0x20, 0x30),
                                             colours::Rgb(0xA0, 0xB0, 0xC0),
                                             colours::Rgb(255, 255, 255), colours::Rgb(0, 0, 0)}));
         }},
        {"a colour that is none is the sample's",
         "[Colours]\nEntryText=white\nEntryHotText=#12345\nHelpText=#12345G\nLabelText=\n",
         [&](const Brand& b) { EXPECT_EQ(b.colours, sample.colours); }},
        {"keys of other sections count for nothing", "Name=Outside\n[Registry]\nName=Elsewhere\n",
         [&](const Brand& b) { EXPECT_EQ(b.name, sample.name); }},
        {"UTF-8 without a mark", "[Registry]\nLanguageKey=SOFTWARE\\Caf\xC3\xA9\n",
         [](const Brand& b) { EXPECT_EQ(b.forcedLanguageKeys[0], "SOFTWARE\\Caf\xC3\xA9"); }},
        {"UTF-8 with its mark", "\xEF\xBB\xBF[Product]\nName=Caf\xC3\xA9\n",
         [](const Brand& b) { EXPECT_EQ(b.name, "Caf\xC3\xA9"); }},
        {"Windows-1252 where it is no UTF-8", "[Product]\nName=Caf\xE9\n",
         [](const Brand& b) { EXPECT_EQ(b.name, "Caf\xC3\xA9"); }},
        {"UTF-16 with its mark",
         std::string("\xFF\xFE[\0P\0r\0o\0d\0u\0c\0t\0]\0\n\0N\0a\0m\0e\0=\0Q\0\n\0", 36),
         [](const Brand& b) { EXPECT_EQ(b.name, "Q"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.check(product::ReadBrand(c.ini));
    }
}

TEST(Brand, ReadOverAnotherBrand) {
    Brand base;
    base.name = "Base";
    base.view = Choice::Only32;
    const Brand brand = product::ReadBrand("[Product]\nCompany=Tessel\n[Registry]\nView=\n", base);
    EXPECT_EQ(brand.name, "Base");
    EXPECT_EQ(brand.company, "Tessel");
    EXPECT_EQ(brand.view, Choice::Only32);
}

TEST(Brand, BuiltinTextsNameTheBrand) {
    Brand quarry = product::SampleBrand();
    quarry.name = "Quarry Studio 2";
    quarry.firstPackage = "QS-Cam";
    quarry.secondPackage = "QS-Pad";
    struct Case {
        const char* text;
        const char* named;
    };
    const Case cases[] = {
        {"Please insert Ormix-Designer CD, then click Retry to continue.",
         "Please insert Quarry Studio 2 CD, then click Retry to continue."},
        {"Ormix-Designer Manuals", "Quarry Studio 2 Manuals"},
        {"Install USB driver files for RKVA", "Install USB driver files for QS-Cam"},
        {"Install USB driver files for RKVB", "Install USB driver files for QS-Pad"},
        {"RKVARKVB Ormix-Designer", "QS-CamQS-Pad Quarry Studio 2"},
        {"Ormix-Frame and Ormix-Design", "Ormix-Frame and Ormix-Design"}, // other names kept
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(product::NamedFor(c.text, quarry), c.named);
        EXPECT_EQ(product::NamedFor(c.text, product::SampleBrand()), c.text);
    }
}

} // namespace
