// The manuals window as a real modal window: its title, style, size and icon, the HTML control
// in place of its placeholder, the manuals list page navigated to, the message and the
// window's own close when the page is missing, and the ways it closes.

#include "manuals/win32/ManualsDlg.h"
#include "DocumentTestSupport.h"
#include "WineTestSupport.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

using winetest::ClassOf;
using winetest::LocationOf;
using winetest::OleSession;
using winetest::RectIn;
using winetest::SameRect;
using winetest::Win32DocumentServices;

const char kCaption[] = "Manuals of the test";

// What the window looked like once its modal loop ran.
struct Observed {
    bool ran = false;
    std::string title;
    LONG_PTR exStyle = 0;
    RECT client{};
    RECT expectedClient{}; // 392 x 305 dialog units in pixels
    std::string controlClass;
    RECT controlRect{};
    RECT browserRect{};
    bool browserVisible = false;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HICON dragIcon = nullptr;
    std::string location;
    std::string documentDir;
    bool stillOpen = false;
};

// The manuals window with a script that runs once its modal loop runs, and a timer that ends
// it should the script not.
class ScriptedManualsDlg : public CManualsDlg {
public:
    static constexpr int kTimedOut = 99;
    static constexpr UINT_PTR kSafetyTimer = 1;
    static constexpr UINT_PTR kLaterTimer = 2;

    ScriptedManualsDlg(const std::string& launcherDir, const std::string& language,
                       const DocumentServices& services,
                       std::function<void(ScriptedManualsDlg&)> script)
        : CManualsDlg(nullptr, language, kCaption, launcherDir, services),
          m_script(std::move(script)) {}

    HWND Window() const { return m_hWnd; }
    CManualsHtmlCtrl& Html() { return m_wndHtml; }
    HICON Icon() const { return m_hIcon; }
    // Runs `later` after `milliseconds` of the modal loop.
    void After(UINT milliseconds, std::function<void(ScriptedManualsDlg&)> later) {
        m_later = std::move(later);
        SetTimer(m_hWnd, kLaterTimer, milliseconds, nullptr);
    }

    bool initialised = false;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CManualsDlg::OnInitDialog();
        initialised = true;
        SetTimer(m_hWnd, kSafetyTimer, 20000, nullptr);
        PostMessageA(m_hWnd, WM_APP, 0, 0);
        return result;
    }
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_APP) {
            m_script(*this);
            result = 0;
            return true;
        }
        if (message == WM_TIMER && wParam == kSafetyTimer) {
            EndDialog(kTimedOut);
            return true;
        }
        if (message == WM_TIMER && wParam == kLaterTimer) {
            KillTimer(m_hWnd, kLaterTimer);
            m_later(*this);
            return true;
        }
        return CManualsDlg::OnWndMsg(message, wParam, lParam, result);
    }

private:
    std::function<void(ScriptedManualsDlg&)> m_script;
    std::function<void(ScriptedManualsDlg&)> m_later;
};

// Whether the browser's location names the file `path`: the browser shows a local file as a
// file URL, with slashes or backslashes.
bool IsLocationOf(std::string location, std::string path) {
    for (std::string* text : {&location, &path}) {
        for (char& c : *text) {
            c = c == '/' ? '\\' : c;
        }
    }
    return location.rfind("file:", 0) == 0 && location.size() >= path.size() &&
           location.compare(location.size() - path.size(), path.size(), path) == 0;
}

void Observe(ScriptedManualsDlg& dlg, Observed& seen) {
    HWND window = dlg.Window();
    seen.ran = true;
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    seen.title = title;
    seen.exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    GetClientRect(window, &seen.client);
    seen.expectedClient = {0, 0, 392, 305};
    MapDialogRect(window, &seen.expectedClient);
    HWND control = GetDlgItem(window, IDC_HTML_PLACEHOLDER);
    seen.controlClass = ClassOf(control);
    seen.controlRect = RectIn(control, window);
    HWND browser = GetWindow(control, GW_CHILD);
    seen.browserRect = RectIn(browser, control);
    seen.browserVisible = IsWindowVisible(browser) != FALSE;
    seen.bigIcon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    seen.smallIcon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    seen.dragIcon = reinterpret_cast<HICON>(SendMessageA(window, WM_QUERYDRAGICON, 0, 0));
    seen.location = LocationOf(dlg.Html().GetBrowser());
    seen.documentDir = dlg.Html().GetDocumentDir();
}

class ManualsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Ok());
        // A folder of its own for each test: what one test writes must not help another.
        launcherDir = winetest::MakeScratchFolder(
            std::string("manuals.") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    // Writes a manuals list page for `language` under the launcher directory.
    std::string WritePage(const std::string& language) {
        const std::string documentation = launcherDir + "Documentation\\";
        for (const std::string& folder :
             {documentation, documentation + language, documentation + language + "\\HTML"}) {
            CreateDirectoryW(text::Wide(folder).c_str(), nullptr);
        }
        const std::string page = documentation + language + "\\HTML\\manulist.htm";
        EXPECT_TRUE(winetest::WriteFile(page, "<html><body><a href=\"app:Manual.pdf\">Manual</a> "
                                              "<a href=\"app:return\">Back</a></body></html>"));
        return page;
    }

    OleSession ole;
    Win32DocumentServices win32;
    std::string launcherDir;
};

TEST_F(ManualsDlgTest, ShowsTheListPageOfTheLanguageInPlaceOfThePlaceholder) {
    const std::string page = WritePage("English");
    Observed seen;
    ScriptedManualsDlg dlg(launcherDir, "English", win32.Get(), [&](ScriptedManualsDlg& self) {
        Observe(self, seen);
        self.After(500, [&](ScriptedManualsDlg& later) {
            seen.stillOpen = IsWindowVisible(later.Window()) != FALSE;
            PostMessageA(later.Window(), WM_CLOSE, 0, 0); // the close box
        });
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "closed by its close request, not the safety timer";
    ASSERT_TRUE(seen.ran);
    EXPECT_EQ(seen.title, kCaption);
    EXPECT_NE(seen.exStyle & WS_EX_TOOLWINDOW, 0);
    EXPECT_TRUE(SameRect(seen.client, seen.expectedClient))
        << seen.client.right << "x" << seen.client.bottom << " for " << seen.expectedClient.right
        << "x" << seen.expectedClient.bottom;
    EXPECT_EQ(seen.controlClass, "discmenu.HtmlCtrl") << "the static is replaced";
    EXPECT_TRUE(SameRect(seen.controlRect, seen.client)) << "the control fills the window";
    EXPECT_TRUE(SameRect(seen.browserRect, seen.client)) << "the browser fills the control";
    EXPECT_TRUE(seen.browserVisible);
    EXPECT_EQ(seen.bigIcon, dlg.Icon());
    EXPECT_EQ(seen.smallIcon, dlg.Icon());
    EXPECT_EQ(seen.dragIcon, dlg.Icon());
    EXPECT_NE(dlg.Icon(), nullptr);
    EXPECT_TRUE(IsLocationOf(seen.location, page)) << seen.location;
    EXPECT_EQ(seen.documentDir, launcherDir + "Documentation\\English");
    EXPECT_TRUE(seen.stillOpen) << "the window stays until it is closed";
    EXPECT_EQ(dlg.Html().GetBrowser(), nullptr) << "closing released the browser";
}

TEST_F(ManualsDlgTest, ItsPagesReturnLinkClosesIt) {
    WritePage("English");
    ScriptedManualsDlg dlg(launcherDir, "English", win32.Get(), [&](ScriptedManualsDlg& self) {
        self.After(300, [](ScriptedManualsDlg& later) { later.Html().Navigate("app:return"); });
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(ManualsDlgTest, ALanguageFolderWithAnAccentedName) {
    const std::string language = "Fran\xc3\xa7"
                                 "ais";
    const std::string page = WritePage(language);
    ASSERT_NE(GetFileAttributesW(text::Wide(page).c_str()), INVALID_FILE_ATTRIBUTES);
    Observed seen;
    ScriptedManualsDlg dlg(launcherDir, language, win32.Get(), [&](ScriptedManualsDlg& self) {
        Observe(self, seen);
        PostMessageA(self.Window(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(IsLocationOf(seen.location, page))
        << seen.location << ": the name survives the browser's wide strings";
    EXPECT_EQ(seen.documentDir, launcherDir + "Documentation\\" + language);
}

TEST_F(ManualsDlgTest, AMissingPageIsReportedAndTheWindowClosesItself) {
    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, "Error", IDOK, std::ref(box));
    Observed seen;
    ScriptedManualsDlg dlg(launcherDir, "English", win32.Get(),
                           [&](ScriptedManualsDlg& self) { Observe(self, seen); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "closed itself, not by the safety timer";
    answer.join();
    EXPECT_TRUE(dlg.initialised);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, "Can not find HTML file.\r\n\r\n" + launcherDir +
                            "Documentation\\English\\HTML\\manulist.htm");
    EXPECT_EQ(box.ownerTitle, kCaption) << "owned by the manuals window";
    EXPECT_EQ(seen.controlClass, "discmenu.HtmlCtrl");
    EXPECT_EQ(seen.location, "") << "no page was navigated to";
}

TEST_F(ManualsDlgTest, ThePageHasTheKeyboardAndEscapeEndsTheModalRun) {
    WritePage("English");
    ScriptedManualsDlg dlg(launcherDir, "English", win32.Get(), [](ScriptedManualsDlg& self) {
        const HWND html = self.Html().GetSafeHwnd();
        const HWND focus = GetFocus();
        EXPECT_TRUE(focus == html || IsChild(html, focus)) << "Tab moves among its links";
        PostMessageA(self.Window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

} // namespace
