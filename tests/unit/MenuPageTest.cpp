// The menu page apart from its window: what it draws and when, the language chooser, the click
// carried out (the disc prompt, the messages, the windows it opens), over the fake platform and
// language files of a disc in a folder of its own.

#include "menu/MenuPage.h"
#include "PageCoordinates.h"
#include "fakes/FakePageWindow.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using fakes::Drawn;
using page::Entry;
using page::kHelpArea;

const char kFirstKey[] = "SOFTWARE\\Brenlow\\Ormix-Designer\\Tools\\Data Manager";
const char kSecondKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Configuration";
const char kBrowserKey[] = "SOFTWARE\\Microsoft\\Internet Explorer";
const std::string kFrench = "Fran\xc3\xa7"
                            "ais";
const std::string kSpanish = "Espa\xc3\xb1ol";

// A language file: the texts of `texts` (lines of RES_STR), then the main page with these
// entries, each "text|type|execute|help|disc id".
std::string LanguageFile(const std::string& texts, const std::vector<std::string>& entries) {
    std::string file = "[RES_STR]\r\n" + texts +
                       "[Main Dialog]\r\nNumber of menu=" + std::to_string(entries.size()) + "\r\n";
    const char* keys[] = {"MenuItemString", "MenuItemType", "MenuItemExecute", "MenuItemTitle",
                          "MenuItemDiskID"};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::size_t start = 0;
        for (const char* key : keys) {
            const std::string& entry = entries[i];
            const std::size_t end = std::min(entry.find('|', start), entry.size());
            const std::string value = start < entry.size() ? entry.substr(start, end - start) : "";
            file += key + std::to_string(i) + "=" + value + "\r\n";
            start = end + 1;
        }
    }
    return file;
}

bool Click(CMenuPage& page, int entry) {
    return page.OnLButtonDown(page::Inside(entry).x, page::Inside(entry).y);
}

// --- Drawing ----------------------------------------------------------------------------------

class MenuPageDrawing : public ::testing::Test {
protected:
    MenuPageDrawing() {
        disc.WriteLanguageFile(
            0, LanguageFile("IDS_NONE_SELECT_TEXT=none\r\n",
                            {"Entry 0||x|Help 0", "Entry 1||x|Help 1", "Entry 2||x|Help 2"}));
        disc.Open();
        disc.window.drawn.clear();
    }
    std::vector<Drawn> Move(int x, int y) {
        disc.window.drawn.clear();
        disc.page().OnMouseMove(x, y);
        return disc.window.drawn;
    }

    fakes::PageOnDisc disc;
};

TEST_F(MenuPageDrawing, TheHelpAreaThenEveryEntryAndOnAMoveOnlyWhatChanges) {
    disc.page().OnPaint();
    EXPECT_EQ(disc.window.drawn, (std::vector<Drawn>{{Drawn::kHelpArea, kHelpArea, "none", false},
                                                     {Drawn::kEntry, Entry(0), "Entry 0", false},
                                                     {Drawn::kEntry, Entry(1), "Entry 1", false},
                                                     {Drawn::kEntry, Entry(2), "Entry 2", false}}));
    EXPECT_EQ(Move(500, 60),
              (std::vector<Drawn>{{Drawn::kEntry, Entry(1), "Entry 1", true},
                                  {Drawn::kHelpArea, kHelpArea, "Help 1\n\n", false}}));
    EXPECT_EQ(Move(520, 94), (std::vector<Drawn>{{Drawn::kEntry, Entry(1), "Entry 1", false},
                                                 {Drawn::kHelpArea, kHelpArea, "none", false}}));
}

TEST_F(MenuPageDrawing, NothingIsDrawnOrHitBeforeThePageIsLaidOut) {
    fakes::PageOnDisc early;
    early.WriteLanguageFile(0, LanguageFile("", {"Entry 0|2"}));
    CMenuPage& page = early.Open("Main Dialog", std::nullopt, false);
    page.OnPaint();
    page.OnMouseMove(500, 20);
    EXPECT_TRUE(early.window.drawn.empty());
    EXPECT_TRUE(Click(page, 0));
    EXPECT_TRUE(early.window.actions.empty());
}

TEST_F(MenuPageDrawing, AfterAReloadTheEntryUnderTheRestingPointerIsDrawnHot) {
    disc.WriteLanguageFile(1, LanguageFile("", {"Un"}));
    disc.WriteLanguageFile(2, LanguageFile("", {"Eins", "Zwei", "Drei|0|x|Hilfe 2", "Vier"}));
    Move(500, 100); // entry 2
    disc.page().OnSelendokLanguage(1);
    disc.window.drawn.clear();
    disc.page().OnPaint();
    EXPECT_EQ(disc.window.drawn.front().text,
              "Help will be displayed if a mouse cursor is moved onto a menu.")
        << "an index that names no entry counts as none";
    disc.page().OnSelendokLanguage(2);
    disc.window.drawn.clear();
    disc.page().OnPaint();
    EXPECT_EQ(disc.window.drawn[0].text, "Hilfe 2\n\n");
    EXPECT_TRUE(disc.window.drawn[3].hot);
}

// --- Keyboard -----------------------------------------------------------------------------------

TEST_F(MenuPageDrawing, KeysMoveTheHotEntryAndTheFrameWaitsForFocusCues) {
    using K = entries::Key;
    CMenuPage& page = disc.page();
    page.OnColumnFocus(true);
    EXPECT_TRUE(disc.window.drawn.empty()) << "no cues, no current entry: nothing changes";
    Move(500, 60); // the pointer makes entry 1 current
    disc.window.drawn.clear();
    page.OnKey(K::kDown);
    EXPECT_EQ(disc.window.drawn,
              (std::vector<Drawn>{{Drawn::kEntry, Entry(1), "Entry 1", false},
                                  {Drawn::kEntry, Entry(2), "Entry 2", true},
                                  {Drawn::kHelpArea, kHelpArea, "Help 2\n\n", false}}))
        << "without focus cues the current entry is drawn hot, without a frame";
    disc.window.drawn.clear();
    page.OnUiState(true, false);
    EXPECT_EQ(disc.window.drawn,
              (std::vector<Drawn>{{Drawn::kEntry, Entry(2), "Entry 2", true, true}}));
    page.OnKey(K::kDown);
    EXPECT_EQ(page.HotEntry(), 0) << "wraps around";
    EXPECT_EQ(disc.window.drawn.back(), (Drawn{Drawn::kHelpArea, kHelpArea, "Help 0\n\n"}));
    disc.window.drawn.clear();
    page.OnColumnFocus(false);
    EXPECT_EQ(disc.window.drawn,
              (std::vector<Drawn>{{Drawn::kEntry, Entry(0), "Entry 0", true, false}}));
    EXPECT_EQ(disc.window.announced, (std::vector<int>{1, 2, 2, 0})) << "the pointer's too";

    Move(100, 100); // the pointer leaves: no entry is current
    page.OnColumnFocus(true);
    EXPECT_EQ(page.HotEntry(), 0) << "with cues shown the focus lands on the first entry";
    page.OnKey(K::kEnd);
    EXPECT_EQ(page.HotEntry(), 2);

    Move(100, 100);
    page.OnUiState(false, false);
    page.OnUiState(true, false);
    EXPECT_EQ(page.HotEntry(), -1) << "the key that showed the cues chooses the entry";
    page.OnKey(K::kDown);
    EXPECT_EQ(page.HotEntry(), 0);

    // Access key underlines coming or going redraw the whole page; cues that stay draw nothing.
    disc.window.drawn.clear();
    page.OnUiState(true, true);
    EXPECT_EQ(disc.window.drawn,
              (std::vector<Drawn>{{Drawn::kHelpArea, kHelpArea, "Help 0\n\n"},
                                  {Drawn::kEntry, Entry(0), "Entry 0", true, true, true},
                                  {Drawn::kEntry, Entry(1), "Entry 1", false, false, true},
                                  {Drawn::kEntry, Entry(2), "Entry 2", false, false, true}}));
    disc.window.drawn.clear();
    page.OnUiState(true, true);
    EXPECT_TRUE(disc.window.drawn.empty()) << "nothing changed";
    page.OnUiState(true, false);
    EXPECT_EQ(disc.window.drawn.size(), 4u) << "the underlines go";
    EXPECT_FALSE(disc.window.drawn[1].accessKeys);
}

// --- The language chooser -----------------------------------------------------------------------

TEST(MenuPageLanguages, TheSixLanguagesTheFirstChoiceAndItsFile) {
    fakes::PageOnDisc disc;
    disc.WriteLanguageFile(0, "[RES_STR]\r\nIDS_LABEL=English file\r\n");
    disc.WriteLanguageFile(4, "[RES_STR]\r\nIDS_LABEL=Idioma:\r\n");
    disc.services.registry.SetString(kFirstKey, "ForceLanguage", "XYZ");
    disc.services.locale.abbreviation = "DEU";
    disc.Open();
    EXPECT_EQ(disc.window.chooser, (std::vector<std::string>{"English", kFrench, "Deutsch",
                                                             "Italiano", kSpanish, "Chinese"}));
    EXPECT_EQ(disc.window.selection, -1);
    EXPECT_EQ(disc.window.label, "English file") << "no selection reads English";
    EXPECT_EQ(disc.window.chooserEnabled, std::optional<bool>(true));

    fakes::PageOnDisc forced;
    forced.WriteLanguageFile(4, "[RES_STR]\r\nIDS_LABEL=Idioma:\r\n");
    forced.services.registry.SetString(kFirstKey, "ForceLanguage", "ESP");
    forced.Open();
    EXPECT_EQ(forced.window.selection, 4);
    EXPECT_EQ(forced.window.label, "Idioma:");
    EXPECT_EQ(forced.window.chooserEnabled, std::optional<bool>(false));
}

TEST(MenuPageLanguages, ALumoPageTakesOverItsOpenersChoiceOnly) {
    fakes::PageOnDisc disc;
    disc.WriteLanguageFile(2, "[RES_STR]\r\nIDS_LABEL=Sprache:\r\n");
    disc.services.registry.SetString(kFirstKey, "ForceLanguage", "CHN");
    disc.Open("Lumo Dialog", 2);
    EXPECT_EQ(disc.window.selection, 2);
    EXPECT_EQ(disc.window.label, "Sprache:");
    EXPECT_FALSE(disc.window.chooserEnabled.has_value()) << "its chooser is left as it is";
    EXPECT_TRUE(disc.page().Style().takesOverLanguage);

    fakes::PageOnDisc orphan;
    orphan.Open("Lumo Dialog");
    EXPECT_EQ(orphan.window.selection, -1);
    EXPECT_EQ(orphan.window.label, "(untouched)") << "nothing loaded";
    EXPECT_TRUE(orphan.window.drawn.empty());

    fakes::PageOnDisc otherCase;
    otherCase.services.registry.SetString(kFirstKey, "ForceLanguage", "CHN");
    otherCase.Open("Lumo dialog", 2);
    EXPECT_EQ(otherCase.window.selection, 5) << "only the exact name takes over";
    EXPECT_FALSE(otherCase.page().Style().takesOverLanguage);
}

TEST(MenuPageLanguages, AChangeReloadsAndRedrawsAtOnceAndTheLockFollowsTheRegistry) {
    fakes::PageOnDisc disc;
    disc.WriteLanguageFile(0, LanguageFile("", {"One", "Two", "Three"}));
    CMenuPage& page = disc.Open();
    disc.window.drawn.clear();
    page.OnSelendokLanguage(4); // to a language without a file: no entries
    EXPECT_TRUE(page.AccessibleEntries().empty());
    ASSERT_EQ(disc.window.drawn.size(), 2u);
    EXPECT_EQ(disc.window.drawn[0].kind, Drawn::kHelpArea);
    EXPECT_EQ(disc.window.drawn[1],
              (Drawn{Drawn::kRepaint, {408, 15, 593, 15 + 41 * 2 + 37}, "", false}))
        << "the old entries leave the column";

    disc.services.registry.SetString(kSecondKey, "ForceLanguage", "chn");
    page.OnPaint();
    EXPECT_EQ(disc.window.chooserEnabled, std::optional<bool>(false));
    disc.services.registry.SetString(kSecondKey, "ForceLanguage", "Chinese");
    page.OnPaint();
    EXPECT_EQ(disc.window.chooserEnabled, std::optional<bool>(true));
    EXPECT_EQ(disc.window.selection, 4) << "the selection stays";
}

TEST(MenuPageLanguages, ThePageLoadsItsLanguageAndNothingWithoutALauncherDirectory) {
    fakes::PageOnDisc disc;
    disc.WriteLanguageFile(4, "[RES_STR]\nIDS_LABEL=Idioma:\n[Main Dialog]\nNumber of menu=2\n");
    CMenuPage& page = disc.Open();
    page.OnSelendokLanguage(4);
    page.OnSelendokLanguage(4);
    EXPECT_EQ(disc.window.label, "Idioma:");
    EXPECT_EQ(page.AccessibleEntries().size(), 2u) << "a reload does not duplicate entries";

    fakes::FakeMenuServices services;
    fakes::FakePageWindow window;
    CMenuPage nowhere({"Main Dialog", "", std::nullopt}, services.Get(), window);
    nowhere.OnInitDialog(&window);
    nowhere.OnSelendokLanguage(4);
    EXPECT_EQ(window.label, "(untouched)");
    EXPECT_TRUE(nowhere.AccessibleEntries().empty());
}

// --- Clicks -------------------------------------------------------------------------------------

class MenuPageClicks : public ::testing::Test {
protected:
    MenuPageClicks() { services.files.files[disc.Disc() + "Disk1\\disk1.id"] = ""; }
    CMenuPage& Open(const std::vector<std::string>& entries, const std::string& texts = "") {
        disc.WriteLanguageFile(0, LanguageFile("IDS_TITLE=Warning\r\n"
                                               "IDS_NOMEDIAINDEVICE=Insert the disc\r\n"
                                               "IDS_NOVDINSTALL=install the product first\r\n" +
                                                   texts,
                                               entries));
        return disc.Open();
    }
    std::vector<std::string> Prompts() const {
        std::vector<std::string> texts;
        for (const auto& shown : services.ui.shown) {
            texts.push_back(shown.text);
        }
        return texts;
    }

    fakes::PageOnDisc disc;
    fakes::FakeMenuServices& services = disc.services;
};

TEST_F(MenuPageClicks, OnlyAClickInsideAnEntryActsAndTheEighthLiesInTheHelpArea) {
    CMenuPage& page = Open({"|-1", "|-1", "|-1", "|-1", "|-1", "|-1", "|-1", "Exit|2"});
    for (const auto& [x, y] : {std::pair{500, 53}, {500, 55}, {100, 100}, {300, 290}, {593, 20}}) {
        EXPECT_TRUE(page.OnLButtonDown(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(disc.window.actions.empty());
    EXPECT_TRUE(page.OnLButtonDown(500, 310));
    EXPECT_EQ(disc.window.actions, (std::vector<std::string>{"end"}));
}

TEST_F(MenuPageClicks, OpensAfterTheDiscCheckAndNamesTheWholePathWhenTheStartFails) {
    CMenuPage& page = Open({"Setup|0|Setup\\setup.exe||Disk1\\disk1.id", "No id|0|Disk1\\setup.exe",
                            "Quote|0|Disk1\\setup.exe\" \"/x||Disk1\\disk1.id"});
    const std::string setup = disc.Disc() + "Setup\\setup.exe";
    EXPECT_TRUE(Click(page, 0));
    ASSERT_EQ(services.shell.opened.size(), 1u);
    EXPECT_EQ(services.shell.opened[0].file, setup);
    EXPECT_EQ(services.shell.opened[0].parameters, std::optional<std::string>(" -l0009"));
    EXPECT_EQ(services.shell.opened[0].owner, nullptr);

    services.shell.failures[setup] = 2;
    EXPECT_TRUE(Click(page, 0));
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].text, "Can not start application " + setup + ".");
    EXPECT_EQ(services.ui.shown[0].caption, std::optional<std::string>("Error"));
    EXPECT_EQ(services.ui.shown[0].style, 0u);
    EXPECT_EQ(services.ui.shown[0].owner, disc.Owner());

    EXPECT_FALSE(Click(page, 1)) << "without a disc id nothing opens and nothing is said";
    EXPECT_EQ(services.shell.opened.size(), 2u);
    EXPECT_EQ(services.ui.shown.size(), 1u);

    // A quote would end the file name and start arguments: such a value names no file.
    EXPECT_TRUE(Click(page, 2));
    EXPECT_EQ(services.shell.opened.size(), 2u);
    EXPECT_EQ(services.ui.shown.back().text,
              "Can not start application " + disc.Disc() + "Disk1\\setup.exe\" \"/x.");

    // A path the system cannot open for its length is said to be too long.
    services.shell.failures[setup] = platform::errors::kFileNameTooLong;
    EXPECT_TRUE(Click(page, 0));
    EXPECT_EQ(services.ui.shown.back().text,
              "Can not start application " + setup + ".\n\nerror 206");
}

TEST_F(MenuPageClicks, MessagesReadInThePageLanguageWhereItsFileTranslatesThem) {
    disc.WriteLanguageFile(
        1, LanguageFile("IDS_CANNOT_START=Impossible de lancer le programme %s.\r\n"
                        "IDS_ERROR_CAPTION=Erreur\r\n"
                        "IDS_ERROR_CODE=erreur %s\r\n"
                        "IDS_JAVA_COPY_FAILED=Impossible de copier %s dans %s.\r\n"
                        "IDS_PRESS=Appuyer\r\n"
                        "IDS_JAVA_START_FAILED=Impossible de lancer %s ni %s.\r\n", // two blanks
                        {"Setup|0|Setup\\setup.exe||Disk1\\disk1.id", "Java|0|SunJava"}));
    CMenuPage& page = Open({"Setup|0|Setup\\setup.exe||Disk1\\disk1.id", "Java|0|SunJava"});
    const std::string setup = disc.Disc() + "Setup\\setup.exe";
    services.shell.failures[setup] = platform::errors::kFileNameTooLong;
    services.registry.SetString(kBrowserKey, "Version", "6.0");
    EXPECT_EQ(page.Strings().Load(IDS_BUILTIN_PRESS), "Press");

    page.OnSelendokLanguage(1);
    EXPECT_EQ(page.Strings().Load(IDS_BUILTIN_PRESS), "Appuyer");
    EXPECT_EQ(page.Strings().Load(IDS_BUILTIN_JAVA_START_FAILED), "Can not start %s.")
        << "a translation with another blank is not used";
    EXPECT_EQ(page.Strings().Load(IDS_BUILTIN_NO_HTML_FILE), "Can not find HTML file.");
    Click(page, 0);
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].text,
              "Impossible de lancer le programme " + setup + ".\n\nerreur 206");
    EXPECT_EQ(services.ui.shown[0].caption, std::optional<std::string>("Erreur"));
    Click(page, 1);
    ASSERT_EQ(services.ui.shown.size(), 2u);
    EXPECT_EQ(services.ui.shown[1].text.rfind("Impossible de copier ", 0), 0u)
        << services.ui.shown[1].text;
    EXPECT_EQ(services.ui.shown[1].caption, std::optional<std::string>("Erreur"));

    // Back in English, whose file has none of them: the built-in texts again.
    page.OnSelendokLanguage(0);
    EXPECT_EQ(page.Strings().Load(IDS_BUILTIN_PRESS), "Press");
    Click(page, 0);
    EXPECT_EQ(services.ui.shown.back().text,
              "Can not start application " + setup + ".\n\nerror 206");
    EXPECT_EQ(services.ui.shown.back().caption, std::optional<std::string>("Error"));
}

TEST_F(MenuPageClicks, SpecialEntriesSubPagesAndTheUsbEntry) {
    CMenuPage& page = Open({});
    disc.WriteLanguageFile(3, LanguageFile("IDS_WARNING=too old\r\nIDS_CAPTION=Manuale\r\n"
                                           "IDS_USBTITLE=USB\r\n"
                                           "IDS_NOVDINSTALL=install the product first\r\n",
                                           {"Java|0|SunJava", "Manuals|0|HTMLDlg||Disk1\\disk1.id",
                                            "Manuals|0|HTMLDlg", "Tools|1|Lumo Dialog", "USB|3"}));
    page.OnSelendokLanguage(3);
    services.registry.SetString(kBrowserKey, "Version", "4.0");
    Click(page, 0);
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].text, "too old");
    EXPECT_EQ(services.ui.shown[0].caption, std::optional<std::string>("Warning"));
    EXPECT_EQ(services.ui.shown[0].style, 0x10u);
    EXPECT_TRUE(Click(page, 1));
    EXPECT_FALSE(Click(page, 2)) << "no disc id: the manuals do not open";
    Click(page, 3);
    Click(page, 4);
    EXPECT_EQ(services.ui.shown.back().text, "install the product first");
    EXPECT_EQ(services.ui.shown.back().caption, std::nullopt) << "the application's name";
    services.registry.AddKey("SOFTWARE\\Brenlow\\Ormix-Frame\\Install");
    services.registry.SetString("SOFTWARE\\Brenlow\\Ormix-Frame\\Options", "Version", "4.4.0");
    Click(page, 4);
    EXPECT_EQ(disc.window.actions, (std::vector<std::string>{"manuals Italiano Manuale",
                                                             "page Lumo Dialog 3", "usb USB"}));
    EXPECT_EQ(disc.window.openedFrom,
              (std::vector<std::string>{disc.Disc(), disc.Disc(), disc.Disc()}))
        << "the manuals, the sub-page and the USB dialog read this page's disc";

    // The Java runtime's installer is not on the disc: said under "Error".
    services.registry.SetString(kBrowserKey, "Version", "6.0");
    Click(page, 0);
    EXPECT_EQ(services.ui.shown.back().caption, std::optional<std::string>("Error"));
    EXPECT_EQ(services.ui.shown.back().owner, disc.Owner());
}

TEST_F(MenuPageClicks, KeysAndAccessKeysCarryEntriesOutAsClicksDo) {
    CMenuPage& page = Open({"&Setup|0|Setup\\setup.exe|Installs\\the product|Disk1\\disk1.id",
                            " |-1", "Tools|1|Lumo Dialog", "Tom && Jerry|-1", "Exit|2"});
    EXPECT_FALSE(page.OnAccessKey(U'x'));
    EXPECT_TRUE(page.OnAccessKey(U't')) << "shared by two entries: moves only";
    EXPECT_EQ(page.HotEntry(), 2);
    EXPECT_TRUE(disc.window.actions.empty());
    EXPECT_TRUE(page.OnAccessKey(U'e'));
    EXPECT_EQ(disc.window.actions, (std::vector<std::string>{"end"}));
    EXPECT_TRUE(page.OnAccessKey(U's'));
    ASSERT_EQ(services.shell.opened.size(), 1u);
    EXPECT_EQ(services.shell.opened[0].parameters, std::optional<std::string>(" -l0009"));
    page.OnKey(entries::Key::kDown);
    EXPECT_EQ(page.HotEntry(), 2) << "the blank entry is passed over";
    EXPECT_TRUE(page.CarryOutCurrent());
    EXPECT_EQ(disc.window.actions.back(), "page Lumo Dialog 0");

    page.OnColumnFocus(true);
    const std::vector<AccessibleEntry> read = page.AccessibleEntries();
    ASSERT_EQ(read.size(), 5u);
    EXPECT_EQ(read[0].name, "Setup");
    EXPECT_EQ(read[0].description, "Installs the product");
    EXPECT_EQ(read[0].accessKey, "s");
    EXPECT_EQ(read[0].face, Entry(0));
    EXPECT_EQ(read[1].accessKey, "");
    EXPECT_EQ(read[3].name, "Tom & Jerry");
    EXPECT_TRUE(read[2].hot && read[2].focused);
    EXPECT_FALSE(read[4].hot || read[4].focused);
}

// --- The disc prompt ----------------------------------------------------------------------------

TEST_F(MenuPageClicks, TheRightDiscPassesAtOnceAWildcardIdIsSearchedAsSuch) {
    CMenuPage& page = Open({"A|0|a.txt||Disk1\\disk1.id", "B|0|b.txt||Disk2\\*.cab"});
    services.files.patterns.insert(disc.Disc() + "Disk2\\*.cab");
    EXPECT_TRUE(Click(page, 0));
    EXPECT_TRUE(Click(page, 1));
    EXPECT_EQ(services.shell.opened.size(), 2u);
    EXPECT_TRUE(services.ui.shown.empty());
}

TEST_F(MenuPageClicks, RetryUntilTheDiscIsThereCancelAtAnyPromptRefuses) {
    CMenuPage& page = Open({"A|0|a.txt||Disk2\\disk2.id"});
    using platform::mb::kIdRetry;
    services.ui.answers = {kIdRetry, kIdRetry, kIdRetry, platform::mb::kIdCancel};
    services.ui.onShow = [this](std::size_t count) {
        if (count == 3) {
            services.files.files[disc.Disc() + "Disk2\\disk2.id"] = ""; // before the third Retry
        }
    };
    EXPECT_TRUE(Click(page, 0));
    EXPECT_EQ(services.shell.opened.size(), 1u);
    ASSERT_EQ(services.ui.shown.size(), 3u);
    for (const auto& prompt : services.ui.shown) {
        EXPECT_EQ(prompt.text, "Insert the disc");
        EXPECT_EQ(prompt.caption, std::optional<std::string>("Warning"));
        EXPECT_EQ(prompt.style, 0x10035u);
        EXPECT_EQ(prompt.owner, disc.Owner());
    }

    services.files.files.erase(disc.Disc() + "Disk2\\disk2.id");
    services.ui = {};
    services.ui.answers = {kIdRetry, platform::mb::kIdCancel};
    EXPECT_FALSE(Click(page, 0));
    EXPECT_EQ(services.ui.shown.size(), 2u);
    EXPECT_EQ(services.shell.opened.size(), 1u);
}

TEST_F(MenuPageClicks, ThePromptComesFromTheDiscIdSectionLookedUpAnewEachTime) {
    CMenuPage& page = Open({"A|0|a.txt||Disk2\\disk2.id", "B|0|b.txt||Disk3\\x.id"},
                           "[DISKID]\r\nDisk2\\disk2.id=Insert disc 2 of 3\r\nDisk3\\x.id=\r\n");
    services.ui.answers = {platform::mb::kIdRetry, platform::mb::kIdCancel};
    services.ui.onShow = [this](std::size_t count) {
        if (count == 1) {
            disc.WriteLanguageFile(0, "[DISKID]\nDisk2\\disk2.id=Changed\n");
        }
    };
    EXPECT_FALSE(Click(page, 0));
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Insert disc 2 of 3", "Changed"}));

    services.ui = {};
    services.ui.answers = {platform::mb::kIdCancel};
    EXPECT_FALSE(Click(page, 1));
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Insert the disc"})) << "an empty value";
}

TEST_F(MenuPageClicks, WithoutAnyTextTheBuiltInPromptIsUsed) {
    disc.WriteLanguageFile(0, LanguageFile("", {"A|0|a.txt||Disk2\\disk2.id"}));
    CMenuPage& page = disc.Open();
    services.ui.answers = {platform::mb::kIdCancel};
    EXPECT_FALSE(Click(page, 0));
    EXPECT_EQ(Prompts(), (std::vector<std::string>{services.strings.Load(1017)}));
}

} // namespace
