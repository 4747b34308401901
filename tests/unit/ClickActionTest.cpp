// What a click on an entry does: the decision from a table, and the page carrying it out.

#include "menu/ClickAction.h"
#include "fakes/FakeMenuPage.h"

#include <gtest/gtest.h>

namespace {

using Kind = click::Action::Kind;

CMenuItem Item(int type, const std::string& execute, const std::string& diskId = "") {
    CMenuItem item;
    item.m_nType = type;
    item.m_strExecute = execute;
    item.m_strDiskId = diskId;
    return item;
}

TEST(ClickAction, DecidedFromTheEntryTheLanguageAndTheCodePage) {
    struct Case {
        CMenuItem item;
        int language;
        click::Action expected;
    };
    const std::optional<std::string> none;
    const Case cases[] = {
        // A setup program gets the switch of the selected language (English when none).
        {Item(0, "Disk1\\Setup.exe", "id"),
         0,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0009", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         1,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l040c", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         2,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0007", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         3,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0010", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         4,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l000a", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         5,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0804", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         -1,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0009", ""}},
        // "setup.exe" anywhere in the value; other files get no switch.
        {Item(0, "setup.exe.bak", "id"), 0, {Kind::Open, "id", "E:\\setup.exe.bak", " -l0009", ""}},
        {Item(0, "Docs\\manual.pdf", "id"),
         0,
         {Kind::Open, "id", "E:\\Docs\\manual.pdf", none, ""}},
        {Item(0, "Disk1\\setup.exe"), 0, {Kind::Open, "", "E:\\Disk1\\setup.exe", " -l0009", ""}},
        // A character of another script: the bytes 0x83 0x53 of code page 936 are one character,
        // U+50D1, not a lead byte and an 'S'.
        {Item(0,
              "\xe5\x83\x91"
              "ETUP.EXE",
              "id"),
         0,
         {Kind::Open, "id",
          "E:\\\xe5\x83\x91"
          "ETUP.EXE",
          none, ""}},
        // Special entries by the exact value; the Java runtime needs no disc.
        {Item(0, "SunJava", "id"), 0, {Kind::JavaRuntime, "", "", none, ""}},
        {Item(0, "sunjava", "id"), 0, {Kind::Open, "id", "E:\\sunjava", none, ""}},
        {Item(0, "HTMLDlg", "id"), 0, {Kind::Manuals, "id", "", none, ""}},
        {Item(0, "HTMLDlg.htm", "id"), 0, {Kind::Open, "id", "E:\\HTMLDlg.htm", none, ""}},
        {Item(3, "SunJava"), 0, {Kind::Usb, "", "", none, ""}},
        // The other types.
        {Item(1, "Lumo dialog", "id"), 0, {Kind::SubPage, "", "", none, "Lumo dialog"}},
        {Item(2, "Disk1\\setup.exe", "id"), 0, {Kind::Close, "", "", none, ""}},
        {Item(CMenuItem::kTypeNone, "Disk1\\setup.exe", "id"), 0, {}},
        {Item(4, "Disk1\\setup.exe", "id"), 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(click::Decide(c.item, "E:\\", c.language), c.expected)
            << c.item.m_nType << " " << c.item.m_strExecute << " " << c.language;
    }
}

// The page carries the action out.
class ClickTest : public ::testing::Test {
protected:
    ClickTest() {
        page.m_strLauncherDir = "E:\\";
        page.LayOut();
        page.FillLanguageChooser();
        page.selection = 0;
        page.m_texts.m_strTitle = "Warning";
        page.m_texts.m_strNoMediaInDevice = "Insert the disc";
        page.m_texts.m_strNoVdInstall = "install the product first";
        services.files.files["E:\\Disk1\\disk1.id"] = "";
    }
    void Add(int type, const std::string& execute, const std::string& diskId = "") {
        page.m_menuItems.push_back(std::make_unique<CMenuItem>(Item(type, execute, diskId)));
    }
    bool ClickEntry(int index) { return page.OnLButtonDown(500, 15 + 41 * index + 10); }

    fakes::FakeMenuServices services;
    fakes::FakeMenuPage page{"Main Dialog", services};
};

TEST_F(ClickTest, OnlyAClickInsideAnEntryActsAndTheEighthLiesInTheHelpArea) {
    for (int i = 0; i < 7; ++i) {
        Add(CMenuItem::kTypeNone, "");
    }
    Add(2, "");
    for (const auto& [x, y] : {std::pair{500, 53}, {500, 55}, {100, 100}, {300, 290}, {593, 20}}) {
        EXPECT_TRUE(page.OnLButtonDown(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(page.actions.empty());
    EXPECT_TRUE(page.OnLButtonDown(500, 310));
    EXPECT_EQ(page.actions, (std::vector<std::string>{"end"}));
}

TEST_F(ClickTest, OpensAfterTheDiscCheckAndNamesTheWholePathWhenTheStartFails) {
    Add(0, "Setup\\setup.exe", "Disk1\\disk1.id");
    Add(0, "Disk1\\setup.exe");
    EXPECT_TRUE(ClickEntry(0));
    ASSERT_EQ(services.shell.opened.size(), 1u);
    EXPECT_EQ(services.shell.opened[0].parameters, std::optional<std::string>(" -l0009"));
    EXPECT_EQ(services.shell.opened[0].owner, nullptr);

    services.shell.failures["E:\\Setup\\setup.exe"] = 2;
    EXPECT_TRUE(ClickEntry(0));
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].text, "Can not start application E:\\Setup\\setup.exe.");
    EXPECT_EQ(services.ui.shown[0].caption, std::optional<std::string>("Error"));
    EXPECT_EQ(services.ui.shown[0].style, 0u);
    EXPECT_EQ(services.ui.shown[0].owner, page.GetWindowRef());

    EXPECT_FALSE(ClickEntry(1)) << "without a disc id nothing opens and nothing is said";
    EXPECT_EQ(services.shell.opened.size(), 2u);
    EXPECT_EQ(services.ui.shown.size(), 1u);

    // A quote would end the file name and start arguments: such a value names no file.
    Add(0, "Disk1\\setup.exe\" \"/x", "Disk1\\disk1.id");
    EXPECT_TRUE(ClickEntry(2));
    EXPECT_EQ(services.shell.opened.size(), 2u);
    EXPECT_EQ(services.ui.shown.back().text,
              "Can not start application E:\\Disk1\\setup.exe\" \"/x.");

    // A path the system cannot open for its length is said to be too long.
    services.shell.failures["E:\\Setup\\setup.exe"] = platform::errors::kFileNameTooLong;
    EXPECT_TRUE(ClickEntry(0));
    EXPECT_EQ(services.ui.shown.back().text,
              "Can not start application E:\\Setup\\setup.exe.\n\nerror 206");
}

TEST_F(ClickTest, TheCaptureIsTakenBackUnlessTheDiscCheckIsRefused) {
    Add(2, "");
    Add(0, "Disk2\\setup.exe", "Disk2\\disk2.id");
    page.hasCapture = true;
    EXPECT_TRUE(ClickEntry(0));
    EXPECT_EQ(page.captureReleases, 1);
    EXPECT_TRUE(page.hasCapture);
    services.ui.answers = {platform::mb::kIdCancel};
    EXPECT_FALSE(ClickEntry(1));
    EXPECT_FALSE(page.hasCapture);
    EXPECT_TRUE(services.shell.opened.empty());
}

TEST_F(ClickTest, SpecialEntriesSubPagesAndTheUsbEntry) {
    Add(0, "SunJava");
    Add(0, "HTMLDlg", "Disk1\\disk1.id");
    Add(0, "HTMLDlg");
    Add(1, "Lumo Dialog");
    Add(3, "");
    services.registry.SetString("SOFTWARE\\Microsoft\\Internet Explorer", "Version", "4.0");
    page.m_texts.m_strWarning = "too old";
    page.selection = 3;
    ClickEntry(0);
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].text, "too old");
    EXPECT_TRUE(ClickEntry(1));
    EXPECT_FALSE(ClickEntry(2)) << "no disc id: the manuals do not open";
    ClickEntry(3);
    ClickEntry(4);
    EXPECT_EQ(services.ui.shown.back().text, "install the product first");
    services.registry.AddKey("SOFTWARE\\Brenlow\\Ormix-Frame\\Install");
    services.registry.SetString("SOFTWARE\\Brenlow\\Ormix-Frame\\Options", "Version", "4.4.0");
    ClickEntry(4);
    EXPECT_EQ(page.actions,
              (std::vector<std::string>{"manuals Italiano", "page Lumo Dialog", "usb"}));
}

} // namespace
