// The menu page as a real window, driven by messages in its own modal loop: what it loads and
// shows, and that long sessions of moving, painting and changing language leak no drawing
// object.

#include "menu/win32/MenuDlg.h"
#include "PageCoordinates.h"
#include "WineTestSupport.h"
#include "framework/win32/Gdi.h"
#include "framework/win32/WinApp.h"
#include "menu/PageLayout.h"
#include "platform/portable/ProfileReader.h"
#include "platform/win32/Win32DriverStore.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32StringTable.h"
#include "platform/win32/Win32SystemErrors.h"
#include "platform/win32/Win32UserInterface.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Win32Services {
    platform::ProfileReader profile;
    platform::Win32StringTable strings;
    platform::Win32Registry registry;
    platform::Win32Locale locale;
    platform::Win32FileSystem files;
    platform::Win32Processes processes;
    platform::Win32Shell shell;
    platform::Win32UserInterface ui;
    platform::Win32SystemErrors errors{strings};
    platform::Win32DriverStore drivers;
    MenuPageServices Get() {
        return {profile, strings, registry, locale, files, processes, shell, ui, errors, drivers};
    }
};

// A page that runs `script` once its modal loop runs, then ends.
class ScriptedPage : public CMenuDlg {
public:
    ScriptedPage(PageContext context, CMenuDlg* parent, const MenuPageServices& services,
                 std::function<void(ScriptedPage&)> script)
        : CMenuDlg(std::move(context), parent, services), m_script(std::move(script)) {}

    HWND Window() const { return m_hWnd; }
    HWND Chooser() const { return m_comboLanguage; }
    int HotEntry() const { return Page().HotEntry(); }
    std::size_t EntryCount() const { return Page().Items().size(); }

    void Move(int x, int y) { SendMessageA(m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void Paint() {
        InvalidateRect(m_hWnd, nullptr, TRUE);
        UpdateWindow(m_hWnd);
    }
    void Choose(int position) {
        SendMessageA(m_comboLanguage, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_COMBO, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(m_comboLanguage.m_hWnd));
    }
    std::string Label() const {
        char text[256] = {};
        GetWindowTextA(m_staticLabel, text, sizeof text);
        return text;
    }

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CMenuDlg::OnInitDialog();
        PostMessageA(m_hWnd, WM_APP, 0, 0);
        return result;
    }
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_APP) {
            m_script(*this);
            EndDialog(IDOK);
            return true;
        }
        return CMenuDlg::OnWndMsg(message, wParam, lParam, result);
    }

private:
    std::function<void(ScriptedPage&)> m_script;
};

class MenuDlgTest : public ::testing::Test {
protected:
    MenuDlgTest() : m_disc(winetest::MakeScratchFolder("page")) {
        winetest::WriteFile(m_disc + "Inst.inf",
                            "[RES_STR]\r\nIDS_LABEL=Language:\r\n[Main Dialog]\r\n"
                            "Number of menu=4\r\nMenuItemString0=One\r\nMenuItemTitle0=First\r\n"
                            "MenuItemString1=Two\r\nMenuItemString2=Three\r\n"
                            "MenuItemString3=Nothing\r\nMenuItemType3=9\r\n");
        winetest::WriteFile(m_disc + "Inst40a.inf",
                            "[RES_STR]\r\nIDS_LABEL=Idioma:\r\n[Main Dialog]\r\n"
                            "Number of menu=1\r\nMenuItemString0=Uno\r\n"
                            "[Lumo Dialog]\r\nNumber of menu=1\r\n");
        winetest::WriteFile(m_disc + "Inst407.inf", "[Lumo Dialog]\r\nNumber of menu=2\r\n");
    }

    void Run(const std::string& name, std::function<void(ScriptedPage&)> script,
             ScriptedPage* parent = nullptr) {
        const std::optional<int> opener =
            parent != nullptr ? std::optional<int>(parent->Page().LanguageIndex()) : std::nullopt;
        ScriptedPage page({name, m_disc, opener}, parent, m_services.Get(), std::move(script));
        EXPECT_EQ(page.DoModal(), IDOK);
    }

    CWinApp m_app;
    std::string m_disc;
    Win32Services m_services;
};

TEST_F(MenuDlgTest, LoadsLaysOutTracksThePointerAndChangesLanguage) {
    Run("Main Dialog", [](ScriptedPage& page) {
        RECT client{};
        GetClientRect(page.Window(), &client);
        EXPECT_EQ(client.right, 597);
        EXPECT_EQ(client.bottom, 340);
        EXPECT_EQ(page.EntryCount(), 4u);
        EXPECT_EQ(page.Label(), "Language:");
        page.Move(500, 20);
        EXPECT_EQ(page.HotEntry(), 0);
        page.Move(500, 60);
        EXPECT_EQ(page.HotEntry(), 1);
        page.Choose(4);
        EXPECT_EQ(page.EntryCount(), 1u);
        EXPECT_EQ(page.Label(), "Idioma:");
        EXPECT_EQ(page.HotEntry(), 1) << "a reload keeps the index";
        page.Move(10, 10);
        EXPECT_EQ(page.HotEntry(), -1);

        // Moved to a monitor of 192 DPI: laid out anew at the rectangle the system suggests,
        // with the entries and their hit test at the new scale.
        RECT window{};
        GetWindowRect(page.Window(), &window);
        const int frameWidth = (window.right - window.left) - 597;
        const int frameHeight = (window.bottom - window.top) - 340;
        RECT suggested{10, 20, 10 + 1194 + frameWidth, 20 + 680 + frameHeight};
        SendMessageA(page.Window(), 0x02E0, MAKEWPARAM(192, 192),
                     reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(page.Window(), &window);
        EXPECT_EQ(window.left, 10);
        EXPECT_EQ(window.top, 20);
        GetClientRect(page.Window(), &client);
        EXPECT_EQ(client.right, 1194);
        EXPECT_EQ(client.bottom, 680);
        page.Move(1000, 40);
        EXPECT_EQ(page.HotEntry(), 0) << "the first entry spans rows 30 to 103 now";
        page.Move(500, 40);
        EXPECT_EQ(page.HotEntry(), -1) << "the background";
    });
}

// The page gives its capture up at every move of the pointer, and for the time of a click,
// whose window must get the pointer; it takes it back unless a refused disc check ended it.
TEST_F(MenuDlgTest, ThePointerCaptureAroundMovesAndClicks) {
    Run("Main Dialog", [](ScriptedPage& page) {
        const auto click = [&](int entry) {
            SetCapture(page.Window());
            SendMessageA(page.Window(), WM_LBUTTONDOWN, MK_LBUTTON,
                         MAKELPARAM(page::Inside(entry).x, page::Inside(entry).y));
            return GetCapture();
        };
        EXPECT_EQ(click(3), page.Window()) << "an entry that does nothing";
        page.Move(500, 20);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(click(0), nullptr) << "an entry without a disc id: refused";
        ReleaseCapture();
    });
}

TEST_F(MenuDlgTest, ALumoPageHidesItsChooserAndTakesOverTheLanguage) {
    Run("Main Dialog", [this](ScriptedPage& main) {
        main.Choose(2);
        Run(
            "Lumo Dialog",
            [](ScriptedPage& lumo) {
                EXPECT_FALSE(IsWindowVisible(lumo.Chooser()));
                EXPECT_EQ(SendMessageA(lumo.Chooser(), CB_GETCURSEL, 0, 0), 2);
                EXPECT_EQ(lumo.EntryCount(), 2u) << "the German file's Lumo section";
            },
            &main);
    });
}

TEST_F(MenuDlgTest, ASessionLeaksNoDrawingObject) {
    const auto session = [](ScriptedPage& page) {
        for (int round = 0; round < 3; ++round) {
            for (int y = 5; y < 340; y += 9) {
                page.Move(500, y);
            }
            page.Paint();
            page.Choose(round % 2 == 0 ? 4 : 0);
        }
    };
    Run("Main Dialog", session); // the system's caches fill on first use
    const long before = winetest::GdiObjectsInUse();
    Run("Main Dialog", session);
    Run("Main Dialog", session);
    EXPECT_EQ(winetest::GdiObjectsInUse(), before);
}

// Moves the pointer into entry `entry` and out into the gap below it: two transitions.
void InAndOut(ScriptedPage& page, int entry) {
    page.Move(500, 20 + 41 * entry);
    page.Move(500, 53 + 41 * entry);
}

TEST_F(MenuDlgTest, ThousandsOfTransitionsAndLanguageChangesLeaveTheCountsWhereTheyWere) {
    const long ownedBeforeThePage = CGdiOwnerCount::Live();
    Run("Main Dialog", [](ScriptedPage& page) {
        // The page keeps each face it has drawn, and the system's caches fill on first use.
        for (int language : {4, 0}) {
            page.Choose(language);
            for (int entry = 0; entry < 3; ++entry) {
                InAndOut(page, entry);
            }
        }
        const long owned = CGdiOwnerCount::Live();
        const long inUse = winetest::GdiObjectsInUse();
        EXPECT_GE(owned, 3) << "the page's fonts and label brush are counted";
        for (int i = 0; i < 500; ++i) {
            InAndOut(page, i % 3);
        }
        for (int i = 0; i < 100; ++i) {
            page.Choose(i % 2 == 0 ? 4 : 0);
        }
        EXPECT_EQ(CGdiOwnerCount::Live(), owned);
        EXPECT_EQ(winetest::GdiObjectsInUse(), inUse);
    });
    EXPECT_EQ(CGdiOwnerCount::Live(), ownedBeforeThePage);
}

// More transitions than the system's table of drawing objects has room for: one object lost per
// transition would exhaust it, and the faces would no longer be drawn.
TEST_F(MenuDlgTest, SeventyThousandTransitionsStillDrawTheFaces) {
    Run("Main Dialog", [](ScriptedPage& page) {
        for (int i = 0; i < 35000; ++i) {
            InAndOut(page, i % 3);
        }
        // The modal loop shows the page only once it runs dry; pixels need it on screen.
        ShowWindow(page.Window(), SW_SHOWNORMAL);
        page.Paint();
        page.Move(500, 20);
        const CClientDC dc(page.Window());
        EXPECT_EQ(GetPixel(dc.get(), layout::EntryColumnLeft(400), 15), RGB(0, 117, 186))
            << "entry 0 hot";
        EXPECT_EQ(GetPixel(dc.get(), layout::EntryColumnLeft(400), 56), RGB(153, 200, 226))
            << "entry 1 normal";
        CPen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        EXPECT_TRUE(pen) << "room for more objects";
    });
}

} // namespace
