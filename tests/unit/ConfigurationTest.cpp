// Reading a page's texts and entries from the configuration file of its language.

#include "menu/Configuration.h"
#include "fakes/FakePageWindow.h"
#include "framework/text/CodePages.h"
#include "framework/text/StringUtil.h"
#include "menu/Languages.h"
#include "res/Product.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;

class ConfigurationTest : public ::testing::Test {
protected:
    ConfigurationTest()
        : m_dir(fs::temp_directory_path() /
                (std::string("discmenu-config-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::create_directories(m_dir);
    }
    ~ConfigurationTest() override { fs::remove_all(m_dir); }

    config::PageContent Read(const std::string& content, const std::string& page = "Main Dialog") {
        const std::string file = (m_dir / "Inst.inf").string();
        std::ofstream(file, std::ios::binary) << content;
        return config::ReadPage(services.profile, services.strings, file, 1252, page);
    }

    fs::path m_dir;
    fakes::FakeMenuServices services;
};

TEST(ConfigurationFile, TheLanguageIndexNamesTheFile) {
    const std::pair<int, const char*> cases[] = {{0, "D:\\Inst.inf"},    {1, "D:\\Inst40c.inf"},
                                                 {2, "D:\\Inst407.inf"}, {3, "D:\\Inst410.inf"},
                                                 {4, "D:\\Inst40a.inf"}, {5, "D:\\Inst804.inf"},
                                                 {-1, "D:\\Inst.inf"},   {6, "D:\\Inst.inf"}};
    for (const auto& [index, file] : cases) {
        EXPECT_EQ(config::FilePath("D:\\", index), file) << index;
    }
}

TEST(ConfigurationFile, TextsAreDecodedFromTheCodePageOfTheirLanguage) {
    // Bytes that are no character of the code page become U+FFFD ("\xef\xbf\xbd"), one per byte.
    const std::string replacement = "\xef\xbf\xbd";
    struct Case {
        int language;
        std::string bytes, utf8;
    };
    const Case cases[] = {
        {0, "caf\xe9", "caf\xc3\xa9"},
        {1, "\x80 \x9c", "\xe2\x82\xac \xc5\x93"}, // euro sign, oe ligature
        {2,
         "Gr\xfc\xdf"
         "e \x81\x8d\x8f\x90\x9d",
         "Gr\xc3\xbc\xc3\x9f"
         "e " +
             replacement + replacement + replacement + replacement + replacement},
        {3, "\xb0\xb2\xd7\xb0", "\xc2\xb0\xc2\xb2\xc3\x97\xc2\xb0"}, // Chinese bytes as Italian
        {5, "\xb0\xb2\xd7\xb0", "\xe5\xae\x89\xe8\xa3\x85"},         // "install"
        {5, "\x83S", "\xe5\x83\x91"},                                // one character
        {5, "Ormix \x80", "Ormix \xe2\x82\xac"},
        {5, "\xff\xb0", replacement + replacement}, // no lead byte; a lone one
        {5,
         "\x81"
         "0A",
         replacement + "0A"},                // no trail byte
        {5, "caf\xe9", "caf" + replacement}, // UTF-8 or 1252 in a 936 file
        {-1, "\xe9", "\xc3\xa9"},            // no language: English
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text::Decode(c.bytes, languages::CodePage(c.language)), c.utf8) << c.language;
    }
}

TEST_F(ConfigurationTest, TextsFallBackToTheBuiltInOnesWhenMissingOrEmpty) {
    const config::PageContent missing = Read("");
    EXPECT_TRUE(missing.items.empty());
    EXPECT_EQ(missing.label, "");
    EXPECT_EQ(missing.texts.m_strTitle, "Warning");
    EXPECT_EQ(missing.texts.m_strOk, "OK");
    EXPECT_EQ(missing.texts.m_strNoMediaInDevice, services.strings.Load(1017));
    EXPECT_EQ(missing.texts.m_strNoneSelectText, services.strings.Load(3));
    EXPECT_EQ(missing.texts.m_strFileCopyFail, services.strings.Load(1015));

    const config::PageContent given =
        Read("[RES_STR]\nIDS_OK=Okay\nIDS_LABEL=Language:\nIDS_TITLE=Aviso\nIDS_CANCEL=\n");
    EXPECT_EQ(given.texts.m_strOk, "Okay");
    EXPECT_EQ(given.texts.m_strTitle, "Aviso");
    EXPECT_EQ(given.texts.m_strCancel, "Cancel") << "an empty value falls back too";
    EXPECT_EQ(given.label, "Language:");
}

TEST_F(ConfigurationTest, FallbacksNameTheBrandsProductAndPackages) {
    product::UseBrand(product::ReadBrand(
        "[Product]\nName=Quarry Studio 2\nFirstPackage=QS-Cam\nSecondPackage=QS-Pad\n"));
    const config::PageContent page =
        Read("[RES_STR]\nIDS_CAPTION=Ormix-Designer Handbuch\nIDS_SECONDCHECKBOXCAPTION=\n");
    product::UseBrand(product::SampleBrand());
    EXPECT_EQ(page.texts.m_strNoVdInstall,
              "Please install Quarry Studio 2 before installing USB driver");
    EXPECT_EQ(page.texts.m_strFirstCheckBoxCaption, "Install USB driver files for QS-Cam");
    EXPECT_EQ(page.texts.m_strSecondCheckBoxCaption, "Install USB driver files for QS-Pad");
    EXPECT_EQ(page.texts.m_strCaption, "Ormix-Designer Handbuch") << "the file's text as written";
    EXPECT_EQ(Read("").texts.m_strCaption, "Ormix-Designer Manuals") << "the sample's again";
}

TEST_F(ConfigurationTest, EveryMessageHasAKeyOfItsOwnAndFallsBackWhenMissingOrEmpty) {
    // Every key with a built-in text, given a text of its own: all, some (every other one, the
    // others empty or missing) and none. The page's strings answer for the built-in ids.
    const std::vector<config::TextKey> keys = config::KeyedTexts();
    ASSERT_EQ(keys.size(), 29u);
    const auto translated = [&](const config::TextKey& key) {
        // A translation with the built-in text's blanks, in order.
        std::string text = std::string("T ") + key.key;
        for (const char letter : text::Blanks(services.strings.Load(key.builtinId))) {
            text += std::string(" %") + letter;
        }
        return text;
    };
    for (const int every : {1, 2, 0}) {
        std::string file = "[RES_STR]\n";
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (every != 0 && i % every == 0) {
                file += std::string(keys[i].key) + "=" + translated(keys[i]) + "\n";
            } else if (i % 3 == 0) {
                file += std::string(keys[i].key) + "=\n";
            }
        }
        const config::PageContent page = Read(file);
        const config::PageStrings strings(services.strings, page.texts);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const bool given = every != 0 && i % every == 0;
            const std::string expected =
                given ? translated(keys[i]) : services.strings.Load(keys[i].builtinId);
            EXPECT_EQ(config::TextFor(page.texts, keys[i].builtinId), expected)
                << keys[i].key << " every " << every;
            EXPECT_EQ(strings.Load(keys[i].builtinId), expected) << keys[i].key;
        }
        // The language names are no text of the file's: they stay as built in.
        EXPECT_EQ(strings.Load(IDS_LANGUAGE_FRENCH), services.strings.Load(IDS_LANGUAGE_FRENCH));
    }
    // A page that read nothing (no launcher directory) shows the built-in texts.
    const config::PageStrings empty(services.strings, CTextTable{});
    EXPECT_EQ(empty.Load(IDS_BUILTIN_PRESS), "Press");
    EXPECT_EQ(empty.Load(IDS_BUILTIN_TITLE), "Warning");
}

TEST_F(ConfigurationTest, AMessageIsReadOnlyWithTheBlanksOfItsBuiltInText) {
    struct Case {
        const char* key;
        const char* value;
        bool used;
    };
    const Case cases[] = {
        // "Can not start application %s."
        {"IDS_CANNOT_START", "Impossible de lancer %s.", true},            // kept
        {"IDS_CANNOT_START", "%s : impossible de lancer %s.", false},      // added
        {"IDS_CANNOT_START", "Impossible de lancer le programme.", false}, // removed
        {"IDS_CANNOT_START", "Impossible de lancer %d.", false},           // another kind
        {"IDS_CANNOT_START", "Impossible de lancer %S.", false},           // letter case counts
        {"IDS_CANNOT_START", "Impossible de lancer %s (100%%).", true},    // a percent sign
        {"IDS_CANNOT_START", "Impossible de lancer %%s.", false},          // no blank: "%" "s"
        {"IDS_CANNOT_START", "Impossible de lancer %s \xe0 100 %.",
         true}, // "% " and "%" at the end
        // "%s failed with error: %s": both, in order
        {"IDS_USB_FAILED",
         "%s a \xe9"
         "chou\xe9 : %s",
         true},
        {"IDS_USB_FAILED", "Erreur %s de %d", false},
        {"IDS_USB_FAILED",
         "%s a \xe9"
         "chou\xe9",
         false},
        // "Press": no blank
        {"IDS_PRESS", "Appuyer", true},
        {"IDS_PRESS", "Appuyer sur %s", false},
        {"IDS_PRESS", "Appuyer \xe0 100%%", true},
        // The page's own texts are shown as the file writes them, as they always were.
        {"IDS_TITLE", "Avertissement %s", true},
    };
    for (const Case& c : cases) {
        const config::PageContent page = Read(std::string("[RES_STR]\n") + c.key + "=" + c.value);
        unsigned id = 0;
        for (const config::TextKey& key : config::KeyedTexts()) {
            id = std::string(key.key) == c.key ? key.builtinId : id;
        }
        ASSERT_NE(id, 0u) << c.key;
        const std::string expected =
            c.used ? text::Decode(c.value, text::kWesternEuropean) : services.strings.Load(id);
        EXPECT_EQ(config::TextFor(page.texts, id), expected) << c.key << "=" << c.value;
    }
}

TEST(FillIn, BlanksAreFilledInOrderAndADoublePercentIsOne) {
    const std::tuple<const char*, std::vector<std::string>, const char*> cases[] = {
        {"Can not start %s.", {"a.exe"}, "Can not start a.exe."},
        {"%s failed: %s", {"A", "B"}, "A failed: B"},
        {"%s failed: %s", {"A"}, "A failed: %s"}, // a blank without a value stays
        {"done", {"A"}, "done"},                  // a value without a blank goes
        {"%s (100%%)", {"A"}, "A (100%)"},
        {"%%s %s", {"A"}, "%s A"},
        {"50 % of %s", {"%s"}, "50 % of %s"}, // a value is not filled again
        {"%", {"A"}, "%"},
    };
    for (const auto& [format, values, expected] : cases) {
        std::string filled;
        switch (values.size()) {
        case 1:
            filled = text::FillIn(format, {values[0]});
            break;
        default:
            filled = text::FillIn(format, {values[0], values[1]});
        }
        EXPECT_EQ(filled, expected) << format;
    }
}

TEST_F(ConfigurationTest, EntryCountsAndTypes) {
    const std::pair<const char*, std::size_t> counts[] = {{"0", 0}, {"-2", 0}, {"abc", 0},
                                                          {"", 0},  {"3", 3},  {"2000000000", 256}};
    for (const auto& [count, expected] : counts) {
        EXPECT_EQ(Read(std::string("[Main Dialog]\nNumber of menu=") + count).items.size(),
                  expected)
            << count;
    }
    const std::pair<const char*, int> types[] = {
        {"0", CMenuItem::kTypeExecute}, {"1", CMenuItem::kTypeSubPage},
        {"2", CMenuItem::kTypeClose},   {"3", CMenuItem::kTypeUsb},
        {"4", CMenuItem::kTypeNone},    {"-1", CMenuItem::kTypeNone},
        {"x", CMenuItem::kTypeExecute}};
    for (const auto& [type, expected] : types) {
        const auto page =
            Read(std::string("[Main Dialog]\nNumber of menu=1\nMenuItemType0=") + type);
        EXPECT_EQ(page.items.at(0)->m_nType, expected) << type;
    }
}

TEST_F(ConfigurationTest, EveryFieldComesFromItsKeyNumberedFromZero) {
    const std::string longTitle(300, 'h');
    const auto page = Read("[main dialog]\nnumber of menu = 3\nmenuitemstring0 = \"Setup\"\n"
                           "MenuItemExecute0=Disk1\\setup.exe\nMenuItemTitle0=" +
                           longTitle +
                           "\nMenuItemDiskID0=Disk1\\disk1.id\nMenuItemString2=Two\n"
                           "MenuItemString3=Three\n[Lumo Dialog]\nNumber of menu=1\n");
    ASSERT_EQ(page.items.size(), 3u);
    const CMenuItem& item = *page.items[0];
    EXPECT_EQ(item.m_strText, "Setup");
    EXPECT_EQ(item.m_strExecute, "Disk1\\setup.exe");
    EXPECT_EQ(item.m_strTitle, std::string(255, 'h')) << "values are cut to 255 characters";
    EXPECT_EQ(item.m_strDiskId, "Disk1\\disk1.id");
    EXPECT_EQ(page.items[1]->m_strText, "") << "missing keys give an empty entry of type 0";
    EXPECT_EQ(page.items[1]->m_nType, CMenuItem::kTypeExecute);
    EXPECT_EQ(page.items[2]->m_strText, "Two");
}

TEST(PageStyle, TheLumoPageAloneHasItsOwnBackgroundAndTakesOverTheLanguage) {
    EXPECT_EQ(config::StyleOf("Lumo Dialog"), (config::PageStyle{true, true}));
    EXPECT_EQ(config::StyleOf("Main Dialog"), (config::PageStyle{false, false}));
    EXPECT_EQ(config::StyleOf("Lumo dialog"), (config::PageStyle{false, false})) << "exactly";
    EXPECT_EQ(config::StyleOf("More Tools"), (config::PageStyle{false, false}));
}

// The language files of the sample disc, as their sources hold them.
TEST(SampleDisc, EveryLanguageFileDescribesTheSameMenus) {
    fakes::FakeMenuServices services;
    const std::string dir = std::string(DISCMENU_SOURCE_DIR) + "/disc/content/";
    for (int language = 0; language < 6; ++language) {
        const std::string file = config::FilePath(dir, language);
        const unsigned codePage = languages::CodePage(language);
        const auto main =
            config::ReadPage(services.profile, services.strings, file, codePage, "Main Dialog");
        ASSERT_EQ(main.items.size(), 7u) << file;
        const int types[] = {0, 0, 0, 0, 3, 1, 2};
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(main.items[i]->m_nType, types[i]) << file << i;
            EXPECT_FALSE(main.items[i]->m_strText.empty()) << file << i;
        }
        EXPECT_EQ(main.items[0]->m_strExecute, "Disk1\\setup.exe");
        EXPECT_EQ(main.items[0]->m_strDiskId, "Disk1\\disk1.id");
        EXPECT_EQ(main.items[2]->m_strExecute, "HTMLDlg");
        EXPECT_EQ(main.items[3]->m_strExecute, "SunJava");
        EXPECT_EQ(main.items[5]->m_strExecute, "Lumo Dialog");
        EXPECT_FALSE(main.label.empty());
        // Every other language translates every text, with the built-in text's blanks.
        for (const config::TextKey& key : config::KeyedTexts()) {
            const std::string given =
                services.profile.GetString(file, codePage, "RES_STR", key.key, "", 256);
            if (language != languages::kEnglish) {
                EXPECT_FALSE(given.empty()) << file << " " << key.key;
                EXPECT_EQ(config::TextFor(main.texts, key.builtinId), given)
                    << file << " " << key.key;
            }
        }
        EXPECT_NE(services.profile.GetString(file, codePage, "DISKID", "Disk1\\disk1.id", "", 1024),
                  "");

        const auto sub =
            config::ReadPage(services.profile, services.strings, file, codePage, "Lumo Dialog");
        ASSERT_FALSE(sub.items.empty());
        EXPECT_EQ(sub.items.back()->m_nType, CMenuItem::kTypeClose);
    }
    const auto english = config::ReadPage(services.profile, services.strings,
                                          config::FilePath(dir, 0), 1252, "Main Dialog");
    EXPECT_EQ(english.texts.m_strTitle, "Warning");
    EXPECT_EQ(english.label, "Select the installation language:");
    EXPECT_EQ(english.items[0]->m_strText, "Install Ormix-Designer");
    EXPECT_EQ(english.items[6]->m_strText, "Exit");
}

} // namespace
