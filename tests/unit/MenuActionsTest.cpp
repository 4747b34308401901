// Clicks on a page: the hit test, the language switch, the types of entries and the special
// entries.

#include "fakes/FakeMenuPage.h"

#include <gtest/gtest.h>

namespace {

const char kDisc[] = "E:\\";

class MenuActionsTest : public ::testing::Test {
protected:
    MenuActionsTest() {
        page.m_strLauncherDir = kDisc;
        page.LayOut();
        page.FillLanguageChooser();
        page.selection = 0;
        page.m_texts.m_strTitle = "Warning";
        page.m_texts.m_strNoMediaInDevice = "Insert the disc";
        services.files.files["E:\\Disk1\\disk1.id"] = "";
    }

    CMenuItem& Add(int type, const std::string& execute, const std::string& diskId = "") {
        auto item = std::make_unique<CMenuItem>();
        item->m_nType = type;
        item->m_strExecute = execute;
        item->m_strDiskId = diskId;
        page.m_menuItems.push_back(std::move(item));
        return *page.m_menuItems.back();
    }
    bool ClickEntry(int index) { return page.OnLButtonDown(500, 15 + 41 * index + 10); }

    fakes::FakeMenuServices services;
    fakes::FakeMenuPage page{"Main Dialog", services};
};

TEST_F(MenuActionsTest, ClicksOutsideEveryEntryDoNothing) {
    Add(2, "");
    Add(2, "");
    for (const auto& [x, y] : {std::pair{500, 53}, {500, 55}, {100, 100}, {300, 320}, {593, 20}}) {
        EXPECT_TRUE(page.OnLButtonDown(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(page.actions.empty());
    EXPECT_TRUE(services.shell.opened.empty());
}

TEST_F(MenuActionsTest, ASetupProgramGetsTheSwitchOfTheSelectedLanguage) {
    Add(0, "Disk1\\Setup.exe", "Disk1\\disk1.id");
    const std::pair<int, const char*> cases[] = {{0, " -l0009"}, {1, " -l040c"}, {2, " -l0007"},
                                                 {3, " -l0010"}, {4, " -l000a"}, {5, " -l0804"},
                                                 {-1, " -l0009"}};
    for (const auto& [selection, expected] : cases) {
        page.selection = selection;
        services.shell.opened.clear();
        EXPECT_TRUE(ClickEntry(0));
        ASSERT_EQ(services.shell.opened.size(), 1u);
        EXPECT_EQ(services.shell.opened[0].file, "E:\\Disk1\\Setup.exe");
        EXPECT_EQ(services.shell.opened[0].parameters, std::optional<std::string>(expected));
        EXPECT_EQ(services.shell.opened[0].owner, nullptr);
    }
}

TEST_F(MenuActionsTest, SetupExeAnywhereInTheValueGetsTheSwitchOtherFilesNone) {
    Add(0, "setup.exe.bak", "Disk1\\disk1.id");
    Add(0, "Docs\\manual.pdf", "Disk1\\disk1.id");
    Add(0, "sunjava", "Disk1\\disk1.id");
    ClickEntry(0);
    ClickEntry(1);
    ClickEntry(2);
    ASSERT_EQ(services.shell.opened.size(), 3u);
    EXPECT_TRUE(services.shell.opened[0].parameters.has_value());
    EXPECT_EQ(services.shell.opened[1].file, "E:\\Docs\\manual.pdf");
    EXPECT_FALSE(services.shell.opened[1].parameters.has_value());
    EXPECT_EQ(services.shell.opened[2].file, "E:\\sunjava") << "not the Java entry";
}

TEST_F(MenuActionsTest, DoubleByteTrailBytesAreNotTakenForLetters) {
    // In a double-byte code page 0x83 0x53 is one character, not a lead byte and an 'S'.
    services.locale.leadBytes = {0x83};
    Add(0,
        "\x83"
        "SETUP.EXE",
        "Disk1\\disk1.id");
    Add(0,
        "x\x83"
        "Setup.exe",
        "Disk1\\disk1.id");
    ClickEntry(0);
    ClickEntry(1);
    ASSERT_EQ(services.shell.opened.size(), 2u);
    EXPECT_FALSE(services.shell.opened[0].parameters.has_value());
    EXPECT_FALSE(services.shell.opened[1].parameters.has_value());
    services.locale.leadBytes.clear();
    ClickEntry(0);
    EXPECT_TRUE(services.shell.opened[2].parameters.has_value());
}

TEST_F(MenuActionsTest, AFailedStartNamesTheWholePath) {
    Add(0, "Setup\\setup.exe", "Disk1\\disk1.id");
    services.shell.results["E:\\Setup\\setup.exe"] = 2;
    EXPECT_TRUE(ClickEntry(0));
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].text, "Can not start application E:\\Setup\\setup.exe.");
    EXPECT_EQ(services.ui.shown[0].caption, std::optional<std::string>("Error"));
    EXPECT_EQ(services.ui.shown[0].style, 0u);
    EXPECT_EQ(services.ui.shown[0].owner, page.GetWindowRef());
    services.shell.results["E:\\Setup\\setup.exe"] = 33;
    ClickEntry(0);
    EXPECT_EQ(services.ui.shown.size(), 1u) << "33 is success";
}

TEST_F(MenuActionsTest, AnEntryWithoutDiscIdOpensNothingAndSaysNothing) {
    Add(0, "Disk1\\setup.exe");
    EXPECT_FALSE(ClickEntry(0));
    EXPECT_TRUE(services.shell.opened.empty());
    EXPECT_TRUE(services.ui.shown.empty());
}

TEST_F(MenuActionsTest, ARefusedDiscCheckEndsTheHandlingWithoutTakingTheCaptureBack) {
    Add(0, "Disk2\\setup.exe", "Disk2\\disk2.id");
    page.hasCapture = true;
    services.ui.answers = {platform::mb::kIdCancel};
    EXPECT_FALSE(ClickEntry(0));
    EXPECT_FALSE(page.hasCapture);
    EXPECT_TRUE(services.shell.opened.empty());
}

TEST_F(MenuActionsTest, TheCaptureIsReleasedAndTakenBack) {
    Add(2, "");
    page.hasCapture = true;
    EXPECT_TRUE(ClickEntry(0));
    EXPECT_EQ(page.captureReleases, 1);
    EXPECT_TRUE(page.hasCapture);
}

TEST_F(MenuActionsTest, SubPagesClosingAndTypesThatDoNothing) {
    Add(1, "Lumo Dialog");
    Add(1, "Lumo dialog");
    Add(2, "");
    Add(4, "Disk1\\setup.exe", "Disk1\\disk1.id");
    Add(CMenuItem::kTypeNone, "Disk1\\setup.exe", "Disk1\\disk1.id");
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(ClickEntry(i));
    }
    EXPECT_EQ(page.actions,
              (std::vector<std::string>{"page Lumo Dialog", "page Lumo dialog", "end"}));
    EXPECT_TRUE(services.shell.opened.empty());
}

TEST_F(MenuActionsTest, SpecialEntriesAreRecognisedByTheExactValue) {
    Add(0, "SunJava");
    Add(0, "HTMLDlg", "Disk1\\disk1.id");
    Add(0, "HTMLDlg.htm", "Disk1\\disk1.id");
    services.registry.SetString("SOFTWARE\\Microsoft\\Internet Explorer", "Version", "4.0");
    page.m_texts.m_strWarning = "too old";
    page.selection = 3;
    ClickEntry(0);
    ASSERT_EQ(services.ui.shown.size(), 1u) << "the Java entry needs no disc id";
    EXPECT_EQ(services.ui.shown[0].text, "too old");
    ClickEntry(1);
    EXPECT_EQ(page.actions, (std::vector<std::string>{"manuals Italiano"}));
    ClickEntry(2);
    ASSERT_EQ(services.shell.opened.size(), 1u);
    EXPECT_EQ(services.shell.opened[0].file, "E:\\HTMLDlg.htm");
}

TEST_F(MenuActionsTest, TheManualsEntryChecksTheDiscAndNamesTheBuiltInLanguage) {
    Add(0, "HTMLDlg", "");
    Add(0, "HTMLDlg", "Disk1\\disk1.id");
    EXPECT_FALSE(ClickEntry(0)) << "no disc id: nothing opens";
    page.selection = -1;
    EXPECT_TRUE(ClickEntry(1));
    EXPECT_EQ(page.actions, (std::vector<std::string>{"manuals English"}));
}

TEST_F(MenuActionsTest, TheUsbEntryOpensItsDialogOnlyForTheInstalledProduct) {
    Add(3, "");
    page.m_texts.m_strNoVdInstall = "install the product first";
    ClickEntry(0);
    EXPECT_TRUE(page.actions.empty());
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].text, "install the product first");
    services.registry.AddKey("SOFTWARE\\Brenlow\\Ormix-Frame\\Install");
    services.registry.SetString("SOFTWARE\\Brenlow\\Ormix-Frame\\Options", "Version", "4.4.0");
    ClickEntry(0);
    EXPECT_EQ(page.actions, (std::vector<std::string>{"usb"}));
}

TEST_F(MenuActionsTest, EightEntriesTheLastInTheHelpArea) {
    for (int i = 0; i < 7; ++i) {
        Add(CMenuItem::kTypeNone, "");
    }
    Add(2, "");
    EXPECT_TRUE(page.OnLButtonDown(500, 310));
    EXPECT_EQ(page.actions, (std::vector<std::string>{"end"}));
}

} // namespace
