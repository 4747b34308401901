// The menu page as a real window, driven by messages in its own modal loop: what it loads and
// shows, what assistive technology reads of it, and that long sessions of moving, painting and
// changing language leak no drawing object.

#include "menu/win32/MenuDlg.h"
#include "DocumentTestSupport.h"
#include "PageCoordinates.h"
#include "WineTestSupport.h"
#include "framework/win32/ComPtr.h"
#include "framework/win32/Gdi.h"
#include "framework/win32/ModuleInfo.h"
#include "framework/win32/WinApp.h"
#include "menu/PageLayout.h"
#include "platform/win32/Win32Platform.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <new>

// Every allocation of this program is counted, so that a test can tell that a hover allocates
// nothing.
namespace {
std::atomic<long> g_allocations{0};
} // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

constexpr int kGerman = 2; // the language index of Inst407.inf

// A shell that records what it is asked to open instead of opening it.
class RecordingShell : public platform::IShell {
public:
    platform::Outcome Open(platform::WindowRef, const std::string& file,
                           const std::optional<std::string>& parameters) override {
        opened.push_back(file + (parameters ? *parameters : std::string()));
        return platform::Outcome::Success();
    }
    platform::Result<std::string> FindAssociatedProgram(const std::string&) const override {
        return platform::Result<std::string>::Failure(2);
    }
    std::vector<std::string> opened; // each file with its parameters
};

struct Win32Services {
    platform::Win32Platform platform{GetModuleBaseName(), "discmenu.MenuDlgTest"};
    RecordingShell recorder;
    bool recordOpened = false; // the recorder stands in for the shell
    MenuPageServices Get() { return recordOpened ? platform.Menu(recorder) : platform.Menu(); }
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
    std::size_t EntryCount() const { return Page().AccessibleEntries().size(); }

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

    // A sub-page of `parent` is opened in its opener's language `opener`, as the parent's
    // entry would open it.
    void Run(const std::string& name, std::function<void(ScriptedPage&)> script,
             ScriptedPage* parent = nullptr, std::optional<int> opener = std::nullopt) {
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
        page.Choose(2); // Español: the chooser lists the three languages of the disc
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
        main.Choose(1); // Deutsch
        Run(
            "Lumo Dialog",
            [](ScriptedPage& lumo) {
                EXPECT_FALSE(IsWindowVisible(lumo.Chooser()));
                EXPECT_EQ(SendMessageA(lumo.Chooser(), CB_GETCURSEL, 0, 0), 1);
                EXPECT_EQ(lumo.EntryCount(), 2u) << "the German file's Lumo section";
            },
            &main, kGerman);
    });
}

// Every page starts with the focus on its entry column, the chooser next in the keyboard
// order; Enter, which reaches the page as its OK command wherever the column does not take it,
// leaves the page open.
TEST_F(MenuDlgTest, EveryPageStartsOnItsEntriesAndEnterLeavesItOpen) {
    const auto startsOnItsEntries = [](ScriptedPage& page) {
        const HWND focus = GetFocus();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(GetParent(focus), page.Window());
        EXPECT_NE(focus, page.Chooser()) << "the chooser is reached with Tab";
        if (IsWindowVisible(page.Chooser())) {
            EXPECT_EQ(GetNextDlgTabItem(page.Window(), focus, FALSE), page.Chooser());
        }
        EXPECT_EQ(page.HotEntry(), -1) << "no entry current before a key";
        SendMessageA(page.Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        // Ending a dialog would take the focus to the dialog itself.
        EXPECT_EQ(GetFocus(), focus) << "Enter closes no page";
    };
    Run("Main Dialog", [&, this](ScriptedPage& main) {
        startsOnItsEntries(main);
        Run("Other Dialog", startsOnItsEntries, &main); // a sub-page with a chooser of its own
        Run("Lumo Dialog", startsOnItsEntries, &main);  // and one without
    });
}

TEST_F(MenuDlgTest, ASessionLeaksNoDrawingObject) {
    const auto session = [](ScriptedPage& page) {
        for (int round = 0; round < 3; ++round) {
            for (int y = 5; y < 340; y += 9) {
                page.Move(500, y);
            }
            page.Paint();
            page.Choose(round % 2 == 0 ? 2 : 0);
        }
    };
    Run("Main Dialog", session); // the system's caches fill on first use
    const long before = winetest::GdiObjectsInUse();
    Run("Main Dialog", session);
    Run("Main Dialog", session);
    EXPECT_EQ(winetest::GdiObjectsInUse(), before);
}

// What a screen reader reads of one child of the page.
struct ReadChild {
    long role = 0;
    std::string name, description, action;
    long state = 0;
    RECT location{};
};

std::string Take(BSTR text) {
    const std::string utf8 = text != nullptr ? text::FromWide(text, SysStringLen(text)) : "";
    SysFreeString(text);
    return utf8;
}

// Every child of the page's client area, as AccessibleChildren lists them.
std::vector<ReadChild> ReadChildren(HWND window) {
    CComPtr<IAccessible> page;
    EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), page.put_void()),
              S_OK);
    long count = 0;
    if (!page || page->get_accChildCount(&count) != S_OK) {
        return {};
    }
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    long obtained = 0;
    EXPECT_EQ(AccessibleChildren(page.get(), 0, count, children.data(), &obtained), S_OK);
    std::vector<ReadChild> read;
    for (long i = 0; i < obtained; ++i) {
        const VARIANT& child = children[static_cast<std::size_t>(i)];
        EXPECT_EQ(child.vt, VT_I4) << "each an element of the page";
        ReadChild one;
        VARIANT value;
        VariantInit(&value);
        if (page->get_accRole(child, &value) == S_OK) {
            one.role = value.lVal;
        }
        if (page->get_accState(child, &value) == S_OK) {
            one.state = value.lVal;
        }
        BSTR text = nullptr;
        if (page->get_accName(child, &text) == S_OK) {
            one.name = Take(text);
        }
        if (page->get_accDescription(child, &text) == S_OK) {
            one.description = Take(text);
        }
        if (page->get_accDefaultAction(child, &text) == S_OK) {
            one.action = Take(text);
        }
        long left = 0, top = 0, width = 0, height = 0;
        page->accLocation(&left, &top, &width, &height, child);
        one.location = {left, top, left + width, top + height};
        read.push_back(one);
    }
    return read;
}

// Presses the entry `index` as a screen reader does, and lets the page carry it out.
void Press(HWND window, int index, const RecordingShell& shell) {
    CComPtr<IAccessible> page;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               page.put_void());
    ASSERT_TRUE(page);
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = index + 1;
    const std::size_t before = shell.opened.size();
    EXPECT_EQ(page->accDoDefaultAction(child), S_OK);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    MSG message;
    while (shell.opened.size() == before && std::chrono::steady_clock::now() < deadline) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        }
    }
}

TEST_F(MenuDlgTest, AScreenReaderReadsAndPressesEveryEntryInEnglishFrenchAndChinese) {
    const winetest::OleSession ole;
    ASSERT_TRUE(ole.Ok());
    winetest::WriteFile(m_disc + "Inst.inf",
                        "[RES_STR]\r\nIDS_LABEL=Language:\r\n[Main Dialog]\r\nNumber of menu=3\r\n"
                        "MenuItemString0=&Setup\r\nMenuItemExecute0=Setup\\setup.exe\r\n"
                        "MenuItemTitle0=Installs\\the product\r\n"
                        "MenuItemDiskID0=Disk1\\disk1.id\r\n"
                        "MenuItemString1=Tom && Jerry\r\nMenuItemType1=9\r\n"
                        "MenuItemString2=Exit\r\nMenuItemType2=2\r\n");
    // French, in code page 1252: the entries' action is the file's.
    winetest::WriteFile(m_disc + "Inst40c.inf",
                        "[RES_STR]\r\nIDS_LABEL=Langue :\r\nIDS_PRESS=Appuyer\r\n[Main Dialog]\r\n"
                        "Number of menu=1\r\nMenuItemString0=Install\xE9\r\n");
    // Simplified Chinese, in its code page: "Install", "Language" and "Press".
    winetest::WriteFile(m_disc + "Inst804.inf",
                        "[RES_STR]\r\nIDS_LABEL=\xD3\xEF\xD1\xD4\r\nIDS_PRESS=\xB0\xB4\xCF\xC2\r\n"
                        "[Main Dialog]\r\n"
                        "Number of menu=1\r\nMenuItemString0=\xB0\xB2\xD7\xB0\r\n"
                        "MenuItemExecute0=Setup\\setup.exe\r\nMenuItemDiskID0=Disk1\\disk1.id\r\n");
    CreateDirectoryA((m_disc + "Disk1").c_str(), nullptr);
    winetest::WriteFile(m_disc + "Disk1\\disk1.id", "");
    m_services.recordOpened = true;
    const RecordingShell& shell = m_services.recorder;
    Run("Main Dialog", [&](ScriptedPage& page) {
        page.Move(page::Inside(0).x, page::Inside(0).y);
        std::vector<ReadChild> read = ReadChildren(page.Window());
        ASSERT_EQ(read.size(), 4u) << "three entries and the chooser";
        const char* names[] = {"Setup", "Tom & Jerry", "Exit"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(read[i].role, ROLE_SYSTEM_PUSHBUTTON) << i;
            EXPECT_EQ(read[i].name, names[i]);
            EXPECT_EQ(read[i].action, "Press") << i;
            RECT face{page::Entry(i).left, page::Entry(i).top, page::Entry(i).right,
                      page::Entry(i).bottom};
            MapWindowPoints(page.Window(), nullptr, reinterpret_cast<POINT*>(&face), 2);
            EXPECT_TRUE(EqualRect(&read[i].location, &face)) << i;
        }
        EXPECT_EQ(read[0].description, "Installs the product");
        EXPECT_EQ(read[0].state & STATE_SYSTEM_HOTTRACKED, STATE_SYSTEM_HOTTRACKED)
            << "under the pointer";
        EXPECT_EQ(read[1].state & STATE_SYSTEM_HOTTRACKED, 0);
        EXPECT_EQ(read[3].role, ROLE_SYSTEM_COMBOBOX);
        EXPECT_EQ(read[3].name, "Language:");

        Press(page.Window(), 0, shell);
        EXPECT_EQ(shell.opened, (std::vector<std::string>{m_disc + "Setup\\setup.exe -l0009"}));

        page.Choose(1); // French, after English
        read = ReadChildren(page.Window());
        ASSERT_EQ(read.size(), 2u);
        EXPECT_EQ(read[0].name, "Install\xC3\xA9");
        EXPECT_EQ(read[0].action, "Appuyer");
        EXPECT_EQ(read[1].name, "Langue :");

        page.Choose(4); // Chinese, after English, French and the fixture disc's Deutsch and Español
        read = ReadChildren(page.Window());
        ASSERT_EQ(read.size(), 2u);
        EXPECT_EQ(read[0].name, "\xE5\xAE\x89\xE8\xA3\x85");
        EXPECT_EQ(read[0].action, "\xE6\x8C\x89\xE4\xB8\x8B");
        EXPECT_EQ(read[1].name, "\xE8\xAF\xAD\xE8\xA8\x80");
        Press(page.Window(), 0, shell);
        EXPECT_EQ(shell.opened.back(), m_disc + "Setup\\setup.exe -l0804");
    });
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
        for (int position : {2, 0}) {
            page.Choose(position);
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
            page.Choose(i % 2 == 0 ? 2 : 0);
        }
        EXPECT_EQ(CGdiOwnerCount::Live(), owned);
        EXPECT_EQ(winetest::GdiObjectsInUse(), inUse);
    });
    EXPECT_EQ(CGdiOwnerCount::Live(), ownedBeforeThePage);
}

// A move from one entry to the next, once both faces and both help texts have been drawn, only
// copies them: nothing is allocated, no face key or help text composed.
TEST_F(MenuDlgTest, AMoveFromEntryToEntryAllocatesNothing) {
    Run("Main Dialog", [](ScriptedPage& page) {
        for (int i = 0; i < 4; ++i) {
            page.Move(500, 30 + 41 * (i % 2));
        }
        const long before = g_allocations;
        ASSERT_GT(before, 0) << "the page's loading allocated: allocations are counted";
        for (int i = 0; i < 100; ++i) {
            page.Move(500, 30 + 41 * (i % 2));
        }
        EXPECT_EQ(g_allocations - before, 0);
        EXPECT_EQ(page.HotEntry(), 1) << "the moves were seen";
    });
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
