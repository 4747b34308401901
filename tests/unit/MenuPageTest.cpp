// Loading a page's texts and entries from the configuration file of its language.

#include "fakes/FakeMenuPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// A page whose language is given directly.
class TestPage : public fakes::FakeMenuPage {
public:
    TestPage(std::string name, fakes::FakeMenuServices& services)
        : FakeMenuPage(std::move(name), services) {
        languageIndexOverride = 0;
    }
    int& languageIndex = languageIndexOverride;
};

class MenuPageTest : public ::testing::Test {
protected:
    MenuPageTest()
        : m_dir(fs::temp_directory_path() /
                (std::string("discmenu-menu-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::create_directories(m_dir);
        page.m_strLauncherDir = m_dir.string() + "/";
    }
    ~MenuPageTest() override { fs::remove_all(m_dir); }

    void Write(const std::string& name, const std::string& content) {
        std::ofstream(m_dir / name, std::ios::binary) << content;
    }

    fs::path m_dir;
    fakes::FakeMenuServices services;
    const platform::IProfileFile& profile = services.profile;
    const fakes::FakeStringTable& strings = services.strings;
    TestPage page{"Main Dialog", services};
};

TEST_F(MenuPageTest, TheLanguageIndexNamesTheFile) {
    const std::string dir = page.m_strLauncherDir;
    const std::pair<int, const char*> cases[] = {
        {0, "Inst.inf"},    {1, "Inst40c.inf"}, {2, "Inst407.inf"}, {3, "Inst410.inf"},
        {4, "Inst40a.inf"}, {5, "Inst804.inf"}, {-1, "Inst.inf"},   {6, "Inst.inf"}};
    for (const auto& [index, file] : cases) {
        page.languageIndex = index;
        page.Reload();
        EXPECT_EQ(page.m_strConfigPath, dir + file) << index;
    }
    EXPECT_EQ(ConfigurationFilePath("D:\\", 1), "D:\\Inst40c.inf");
}

TEST_F(MenuPageTest, AMissingFileGivesBuiltInTextsAnEmptyLabelAndNoEntries) {
    page.Reload();
    EXPECT_TRUE(page.m_menuItems.empty());
    EXPECT_EQ(page.label, "");
    EXPECT_EQ(page.m_texts.m_strTitle, "Warning");
    EXPECT_EQ(page.m_texts.m_strOk, "OK");
    EXPECT_EQ(page.m_texts.m_strNoMediaInDevice, strings.Load(1017));
    EXPECT_EQ(page.m_texts.m_strNoneSelectText, strings.Load(3));
    EXPECT_EQ(page.m_texts.m_strFileCopyFail, strings.Load(1015));
}

TEST_F(MenuPageTest, WithoutALauncherDirectoryNothingIsRead) {
    Write("Inst.inf", "[Main Dialog]\nNumber of menu=1\n");
    page.m_texts.m_strOk = "kept";
    page.m_strConfigPath = "old";
    page.m_strLauncherDir.clear();
    page.Reload();
    EXPECT_EQ(page.m_strConfigPath, "");
    EXPECT_EQ(page.m_texts.m_strOk, "kept");
    EXPECT_EQ(page.label, "(untouched)");
    EXPECT_TRUE(page.m_menuItems.empty());
}

TEST_F(MenuPageTest, MissingKeysGiveEmptyEntriesOfTypeZero) {
    Write("Inst.inf", "[Main Dialog]\r\nNumber of menu=3\r\nMenuItemString0=First\r\n"
                      "MenuItemString2=Third\r\nMenuItemType2=2\r\n");
    page.Reload();
    ASSERT_EQ(page.m_menuItems.size(), 3u);
    EXPECT_EQ(page.m_menuItems[0]->m_strText, "First");
    EXPECT_EQ(page.m_menuItems[0]->m_nType, CMenuItem::kTypeExecute);
    EXPECT_EQ(page.m_menuItems[1]->m_strText, "");
    EXPECT_EQ(page.m_menuItems[1]->m_nType, CMenuItem::kTypeExecute);
    EXPECT_EQ(page.m_menuItems[1]->m_strExecute, "");
    EXPECT_EQ(page.m_menuItems[2]->m_strText, "Third");
    EXPECT_EQ(page.m_menuItems[2]->m_nType, CMenuItem::kTypeClose);
}

TEST_F(MenuPageTest, CountsThatAreNotPositiveGiveNoEntries) {
    for (const char* count : {"0", "-2", "abc", ""}) {
        Write("Inst.inf",
              std::string("[Main Dialog]\nNumber of menu=") + count + "\nMenuItemString0=x\n");
        page.Reload();
        EXPECT_TRUE(page.m_menuItems.empty()) << count;
    }
}

TEST_F(MenuPageTest, AHugeCountIsCapped) {
    Write("Inst.inf", "[Main Dialog]\nNumber of menu=2000000000\n");
    page.Reload();
    EXPECT_EQ(page.m_menuItems.size(), static_cast<std::size_t>(CMenuPage::kMaxMenuItems));
}

TEST_F(MenuPageTest, TypesOutsideZeroToThreeDoNothing) {
    Write("Inst.inf", "[Main Dialog]\nNumber of menu=5\nMenuItemType0=3\nMenuItemType1=4\n"
                      "MenuItemType2=-1\nMenuItemType3=1\nMenuItemType4=x\n");
    page.Reload();
    ASSERT_EQ(page.m_menuItems.size(), 5u);
    EXPECT_EQ(page.m_menuItems[0]->m_nType, CMenuItem::kTypeUsb);
    EXPECT_EQ(page.m_menuItems[1]->m_nType, CMenuItem::kTypeNone);
    EXPECT_EQ(page.m_menuItems[2]->m_nType, CMenuItem::kTypeNone);
    EXPECT_EQ(page.m_menuItems[3]->m_nType, CMenuItem::kTypeSubPage);
    EXPECT_EQ(page.m_menuItems[4]->m_nType, CMenuItem::kTypeExecute) << "no digits read as 0";
}

TEST_F(MenuPageTest, EntriesAreNumberedFromZero) {
    Write("Inst.inf", "[Main Dialog]\nNumber of menu=2\nMenuItemString1=One\n"
                      "MenuItemString2=Two\n");
    page.Reload();
    ASSERT_EQ(page.m_menuItems.size(), 2u);
    EXPECT_EQ(page.m_menuItems[0]->m_strText, "");
    EXPECT_EQ(page.m_menuItems[1]->m_strText, "One");
}

TEST_F(MenuPageTest, EveryFieldComesFromItsKeyAndLongValuesAreCut) {
    const std::string longTitle(300, 'h');
    Write("Inst.inf", "[main dialog]\nnumber of menu = 1\nmenuitemstring0 = \"Setup\"\n"
                      "MenuItemExecute0=Disk1\\setup.exe\nMenuItemTitle0=" +
                          longTitle + "\nMenuItemDiskID0=Disk1\\disk1.id\n");
    page.Reload();
    ASSERT_EQ(page.m_menuItems.size(), 1u);
    const CMenuItem& item = *page.m_menuItems[0];
    EXPECT_EQ(item.m_strText, "Setup");
    EXPECT_EQ(item.m_strExecute, "Disk1\\setup.exe");
    EXPECT_EQ(item.m_strTitle, std::string(255, 'h'));
    EXPECT_EQ(item.m_strDiskId, "Disk1\\disk1.id");
}

TEST_F(MenuPageTest, AnotherLanguageReplacesEverythingAndFallsBackToBuiltInTexts) {
    Write("Inst.inf", "[RES_STR]\nIDS_OK=Okay\nIDS_LABEL=Language:\nIDS_TITLE=Careful\n"
                      "[Main Dialog]\nNumber of menu=2\n");
    Write("Inst40a.inf", "[RES_STR]\nIDS_TITLE=Aviso\nIDS_CANCEL=\n"
                         "[Main Dialog]\nNumber of menu=1\nMenuItemString0=Instalar\n");
    page.Reload();
    EXPECT_EQ(page.m_texts.m_strOk, "Okay");
    EXPECT_EQ(page.label, "Language:");
    EXPECT_EQ(page.m_menuItems.size(), 2u);

    page.languageIndex = 4;
    page.Reload();
    EXPECT_EQ(page.m_texts.m_strOk, "OK") << "not inherited from the previous language";
    EXPECT_EQ(page.m_texts.m_strTitle, "Aviso");
    EXPECT_EQ(page.m_texts.m_strCancel, "Cancel") << "an empty value falls back too";
    EXPECT_EQ(page.label, "");
    ASSERT_EQ(page.m_menuItems.size(), 1u);
    EXPECT_EQ(page.m_menuItems[0]->m_strText, "Instalar");
}

TEST_F(MenuPageTest, ReloadingDoesNotDuplicateEntries) {
    Write("Inst.inf", "[Main Dialog]\nNumber of menu=3\n");
    page.Reload();
    page.Reload();
    EXPECT_EQ(page.m_menuItems.size(), 3u);
}

TEST_F(MenuPageTest, ASubPageReadsItsOwnSection) {
    Write("Inst.inf", "[Main Dialog]\nNumber of menu=3\n[Lumo Dialog]\nNumber of menu=1\n"
                      "MenuItemString0=Back\nMenuItemType0=2\n");
    TestPage subPage("Lumo Dialog", services);
    subPage.m_strLauncherDir = page.m_strLauncherDir;
    subPage.Reload();
    ASSERT_EQ(subPage.m_menuItems.size(), 1u);
    EXPECT_EQ(subPage.m_menuItems[0]->m_strText, "Back");
}

// The language files of the sample disc, as their sources hold them.
TEST(SampleDisc, EveryLanguageFileDescribesTheSameMenus) {
    fakes::FakeMenuServices services;
    const std::string dir = std::string(DISCMENU_SOURCE_DIR) + "/disc/content/";
    for (int language = 0; language < 6; ++language) {
        TestPage main("Main Dialog", services);
        main.m_strLauncherDir = dir;
        main.languageIndex = language;
        main.Reload();
        ASSERT_EQ(main.m_menuItems.size(), 7u) << main.m_strConfigPath;
        const int types[] = {0, 0, 0, 0, 3, 1, 2};
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(main.m_menuItems[i]->m_nType, types[i]) << main.m_strConfigPath << i;
            EXPECT_FALSE(main.m_menuItems[i]->m_strText.empty()) << main.m_strConfigPath << i;
        }
        EXPECT_EQ(main.m_menuItems[0]->m_strExecute, "Disk1\\setup.exe");
        EXPECT_EQ(main.m_menuItems[0]->m_strDiskId, "Disk1\\disk1.id");
        EXPECT_EQ(main.m_menuItems[2]->m_strExecute, "HTMLDlg");
        EXPECT_EQ(main.m_menuItems[3]->m_strExecute, "SunJava");
        EXPECT_EQ(main.m_menuItems[5]->m_strExecute, "Lumo Dialog");
        EXPECT_FALSE(main.label.empty());
        EXPECT_NE(
            services.profile.GetString(main.m_strConfigPath, "DISKID", "Disk1\\disk1.id", "", 1024),
            "");

        TestPage sub("Lumo Dialog", services);
        sub.m_strLauncherDir = dir;
        sub.languageIndex = language;
        sub.Reload();
        ASSERT_FALSE(sub.m_menuItems.empty());
        EXPECT_EQ(sub.m_menuItems.back()->m_nType, CMenuItem::kTypeClose);
    }
}

TEST(SampleDisc, EnglishTexts) {
    fakes::FakeMenuServices services;
    TestPage main("Main Dialog", services);
    main.m_strLauncherDir = std::string(DISCMENU_SOURCE_DIR) + "/disc/content/";
    main.Reload();
    EXPECT_EQ(main.m_texts.m_strTitle, "Warning");
    EXPECT_EQ(main.label, "Select the installation language:");
    ASSERT_EQ(main.m_menuItems.size(), 7u);
    EXPECT_EQ(main.m_menuItems[0]->m_strText, "Install Ormix-Designer");
    EXPECT_EQ(main.m_menuItems[6]->m_strText, "Exit");
}

} // namespace
