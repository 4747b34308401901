// Reading a page's texts and entries from the configuration file of its language.

#include "menu/Configuration.h"
#include "fakes/FakeMenuPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
        return config::ReadPage(services.profile, services.strings, file, page);
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

TEST_F(ConfigurationTest, ThePageLoadsItsLanguageAndNothingWithoutALauncherDirectory) {
    std::ofstream(m_dir / "Inst40a.inf", std::ios::binary)
        << "[RES_STR]\nIDS_LABEL=Idioma:\n[Main Dialog]\nNumber of menu=2\n";
    fakes::FakeMenuPage page("Main Dialog", services);
    page.m_strLauncherDir = m_dir.string() + "/";
    page.languageIndexOverride = 4;
    page.Reload();
    page.Reload();
    EXPECT_EQ(page.m_strConfigPath, page.m_strLauncherDir + "Inst40a.inf");
    EXPECT_EQ(page.label, "Idioma:");
    EXPECT_EQ(page.m_menuItems.size(), 2u) << "a reload does not duplicate entries";

    page.m_strLauncherDir.clear();
    page.label = "(untouched)";
    page.Reload();
    EXPECT_EQ(page.m_strConfigPath, "");
    EXPECT_EQ(page.label, "(untouched)");
    EXPECT_TRUE(page.m_menuItems.empty());
}

// The language files of the sample disc, as their sources hold them.
TEST(SampleDisc, EveryLanguageFileDescribesTheSameMenus) {
    fakes::FakeMenuServices services;
    const std::string dir = std::string(DISCMENU_SOURCE_DIR) + "/disc/content/";
    for (int language = 0; language < 6; ++language) {
        const std::string file = config::FilePath(dir, language);
        const auto main = config::ReadPage(services.profile, services.strings, file, "Main Dialog");
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
        EXPECT_NE(services.profile.GetString(file, "DISKID", "Disk1\\disk1.id", "", 1024), "");

        const auto sub = config::ReadPage(services.profile, services.strings, file, "Lumo Dialog");
        ASSERT_FALSE(sub.items.empty());
        EXPECT_EQ(sub.items.back()->m_nType, CMenuItem::kTypeClose);
    }
    const auto english = config::ReadPage(services.profile, services.strings,
                                          config::FilePath(dir, 0), "Main Dialog");
    EXPECT_EQ(english.texts.m_strTitle, "Warning");
    EXPECT_EQ(english.label, "Select the installation language:");
    EXPECT_EQ(english.items[0]->m_strText, "Install Ormix-Designer");
    EXPECT_EQ(english.items[6]->m_strText, "Exit");
}

} // namespace
