// The HTML control with the system's WebBrowser in it: its place in the dialog, the filter of
// application links as the browser reports navigations, the manuals control's links (closing
// the window, documents opened through the shell, the warning without an associated
// program), and the release of the browser with the window. Wine has no HTML engine here, so
// nothing is rendered: everything is observed through the browser's navigation events.

#include "manuals/win32/HtmlCtrl.h"
#include "DocumentTestSupport.h"
#include "WineTestSupport.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/WideText.h"
#include "manuals/win32/ManualsHtmlCtrl.h"
#include "platform/win32/Win32Shell.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <downloadmgr.h>
#include <exdispid.h>
#include <mshtmdid.h>
#include <mshtmhst.h>
#include <servprov.h>

#include <functional>
#include <thread>
#include <vector>

namespace {

using winetest::ClassOf;
using winetest::LocationOf;
using winetest::OleSession;
using winetest::RectIn;
using winetest::SameRect;
using winetest::Win32DocumentServices;

// A modeless window from the manuals window's template, with its placeholder static; counts
// the close requests that reach it (the dialog manager turns WM_CLOSE into IDCANCEL).
class HostDialog {
public:
    HostDialog()
        : m_hWnd(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MANUALS),
                                    nullptr, &HostDialog::Proc,
                                    reinterpret_cast<LPARAM>(&m_closeRequests))) {}
    HostDialog(const HostDialog&) = delete;
    HostDialog& operator=(const HostDialog&) = delete;
    ~HostDialog() { Destroy(); }

    HWND get() const { return m_hWnd; }
    int CloseRequests() const { return m_closeRequests; }
    void Destroy() {
        if (m_hWnd != nullptr) {
            DestroyWindow(m_hWnd);
            m_hWnd = nullptr;
        }
    }

private:
    static INT_PTR CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
            return TRUE;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
            ++*reinterpret_cast<int*>(GetWindowLongPtrA(hWnd, DWLP_USER));
            return TRUE;
        }
        return FALSE;
    }

    int m_closeRequests = 0;
    HWND m_hWnd;
};

// A navigation as the control saw it, and whether it was cancelled.
struct Navigation : CHtmlCtrl::Navigation {
    bool cancel;
};

// A control that records what reaches its hooks, then does what `Base` does.
template <typename Base> class Recording : public Base {
public:
    using Base::Base;
    using CHtmlCtrl::GetEventSink;

    std::vector<Navigation> navigations;
    std::vector<std::string> links;
    std::vector<std::string> newWindows;

protected:
    void OnBeforeNavigate2(const CHtmlCtrl::Navigation& navigation, bool& cancel) override {
        Base::OnBeforeNavigate2(navigation, cancel);
        navigations.push_back({navigation, cancel});
    }
    void OnAppLink(const std::string& command, const CHtmlCtrl::Navigation& navigation) override {
        links.push_back(command);
        Base::OnAppLink(command, navigation);
    }
    void OnNewWindow(const std::string& url, bool& cancel) override {
        newWindows.push_back(url);
        Base::OnNewWindow(url, cancel);
    }
};

using RecordingHtmlCtrl = Recording<CHtmlCtrl>;
using RecordingManualsCtrl = Recording<CManualsHtmlCtrl>;

// Runs the thread's messages until `done` holds or `milliseconds` have passed: after the
// first one, the browser reports navigations from its messages.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    return true;
}

RECT ClientRectOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

// The connections of the browser's event source. Wine's enumerator hands them out without a
// reference of their own (Windows adds one), so none is taken here and none released: a
// release would free the control's sink while the control still holds it.
std::vector<IUnknown*> EventConnections(IWebBrowser2* browser) {
    std::vector<IUnknown*> sinks;
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    CComPtr<IEnumConnections> connections;
    if (browser == nullptr ||
        FAILED(browser->QueryInterface(IID_IConnectionPointContainer, container.put_void())) ||
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.put())) ||
        FAILED(point->EnumConnections(connections.put()))) {
        return sinks;
    }
    CONNECTDATA data{};
    while (connections->Next(1, &data, nullptr) == S_OK) {
        sinks.push_back(data.pUnk);
    }
    return sinks;
}

class HtmlCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Ok());
        ASSERT_NE(host.get(), nullptr);
        m_folder = winetest::MakeScratchFolder(
            std::string("htmlctrl.") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    std::string Scratch() const { return m_folder; }

    OleSession ole;
    HostDialog host;
    Win32DocumentServices win32;

private:
    std::string m_folder;
};

TEST_F(HtmlCtrlTest, TakesThePlaceAndIdOfThePlaceholder) {
    HWND placeholder = GetDlgItem(host.get(), IDC_HTML_PLACEHOLDER);
    ASSERT_NE(placeholder, nullptr);
    ASSERT_EQ(ClassOf(placeholder), "Static");
    const RECT place = RectIn(placeholder, host.get());

    RecordingHtmlCtrl html;
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    HWND control = html.GetSafeHwnd();
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(IsWindow(placeholder)) << "the static is destroyed";
    EXPECT_EQ(GetDlgItem(host.get(), IDC_HTML_PLACEHOLDER), control);
    EXPECT_EQ(GetParent(control), host.get());
    EXPECT_TRUE(SameRect(RectIn(control, host.get()), place));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE)),
              static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(GetWindowLongPtrA(control, GWL_EXSTYLE), 0);

    // The browser is in place inside the control and fills it.
    ASSERT_NE(html.GetBrowser(), nullptr);
    HWND browserWindow = GetWindow(control, GW_CHILD);
    ASSERT_NE(browserWindow, nullptr);
    EXPECT_TRUE(IsWindowVisible(browserWindow));
    EXPECT_TRUE(SameRect(RectIn(browserWindow, control), ClientRectOf(control)));
    const auto sinks = EventConnections(html.GetBrowser());
    ASSERT_EQ(sinks.size(), 1u) << "our sink listens to the browser's events";
    CComPtr<IDispatch> sink;
    sinks[0]->QueryInterface(IID_IDispatch, sink.put_void());
    EXPECT_EQ(sink.get(), html.GetEventSink());
}

TEST_F(HtmlCtrlTest, FollowsItsWindowsSizeWithTheBrowser) {
    RecordingHtmlCtrl html;
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    MoveWindow(html.GetSafeHwnd(), 10, 20, 300, 200, TRUE);
    HWND browserWindow = GetWindow(html.GetSafeHwnd(), GW_CHILD);
    const RECT expected{0, 0, 300, 200};
    EXPECT_TRUE(SameRect(RectIn(browserWindow, html.GetSafeHwnd()), expected));
}

TEST_F(HtmlCtrlTest, WithoutThePlaceholderNothingIsCreated) {
    RecordingHtmlCtrl html;
    EXPECT_FALSE(html.CreateInPlaceOfStatic(4711, host.get()));
    EXPECT_EQ(html.GetSafeHwnd(), nullptr);
    EXPECT_EQ(html.GetBrowser(), nullptr);
    EXPECT_FALSE(html.Navigate("app:x")) << "nothing to navigate";
    EXPECT_NE(GetDlgItem(host.get(), IDC_HTML_PLACEHOLDER), nullptr) << "the static stays";
    EXPECT_FALSE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, static_cast<HWND>(nullptr)));
    EXPECT_FALSE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, static_cast<CDialog*>(nullptr)));
}

TEST_F(HtmlCtrlTest, ApplicationLinksAreCancelledAndHandedToTheHook) {
    RecordingHtmlCtrl html;
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    const std::vector<std::string> urls = {"app:Manual.pdf", "APP:Sub/a b%20c.pdf",
                                           "App:", "aPp:X:\\Docs\\a.pdf"};
    for (const auto& url : urls) {
        ASSERT_TRUE(html.Navigate(url)) << url;
    }
    ASSERT_TRUE(PumpUntil([&] { return html.navigations.size() >= urls.size(); }));
    ASSERT_EQ(html.navigations.size(), urls.size());
    for (std::size_t i = 0; i < urls.size(); ++i) {
        EXPECT_EQ(html.navigations[i].url, urls[i]) << "the URL arrives as it was given";
        EXPECT_TRUE(html.navigations[i].cancel) << urls[i];
    }
    EXPECT_EQ(html.links,
              (std::vector<std::string>{"Manual.pdf", "Sub/a b%20c.pdf", "", "X:\\Docs\\a.pdf"}));
}

TEST_F(HtmlCtrlTest, OtherNavigationsGoAhead) {
    const std::string page = Scratch() + "page.htm";
    ASSERT_TRUE(
        winetest::WriteFile(page, "<html><body><a href=\"app:return\">x</a></body></html>"));
    RecordingHtmlCtrl html;
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    ASSERT_TRUE(html.Navigate(page));
    ASSERT_TRUE(html.Navigate("http://example.invalid/apps:return"));
    ASSERT_TRUE(PumpUntil([&] { return html.navigations.size() >= 2; }));
    EXPECT_EQ(html.navigations[0].url, page);
    EXPECT_FALSE(html.navigations[0].cancel);
    EXPECT_EQ(html.navigations[1].url, "http://example.invalid/apps:return");
    EXPECT_FALSE(html.navigations[1].cancel);
    EXPECT_TRUE(html.links.empty());
    // Not cancelled, the browser went on to the address.
    BSTR location = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        SysFreeString(location);
        location = nullptr;
        html.GetBrowser()->get_LocationURL(&location);
        return location != nullptr && text::FromWide(location, SysStringLen(location)) ==
                                          "http://example.invalid/apps:return";
    }));
    SysFreeString(location);
}

// A BeforeNavigate2 call as the browser makes it: seven arguments in reverse order, each but
// the browser and the cancel flag a variant by reference.
class BeforeNavigate2Call {
public:
    // `frame` is the browser object of the navigating frame; none stands for the control's own.
    BeforeNavigate2Call(const wchar_t* url, bool urlByReference, IDispatch* frame = nullptr)
        : m_url(SysAllocString(url)), m_target(SysAllocString(L"_self")),
          m_headers(SysAllocString(L"X-Test: 1\r\n")),
          m_postData(SafeArrayCreateVector(VT_UI1, 0, 3)) {
        for (VARIANT& value : m_values) {
            VariantInit(&value);
        }
        for (VARIANT& argument : m_arguments) {
            VariantInit(&argument);
        }
        void* bytes = nullptr;
        SafeArrayAccessData(m_postData, &bytes);
        memcpy(bytes, "a=1", 3);
        SafeArrayUnaccessData(m_postData);

        V_VT(&m_values[0]) = VT_BSTR;
        V_BSTR(&m_values[0]) = m_url;
        V_VT(&m_values[1]) = VT_I4;
        V_I4(&m_values[1]) = 0x40;
        V_VT(&m_values[2]) = VT_BSTR;
        V_BSTR(&m_values[2]) = m_target;
        V_VT(&m_values[3]) = VT_ARRAY | VT_UI1;
        V_ARRAY(&m_values[3]) = m_postData;
        V_VT(&m_values[4]) = VT_BSTR;
        V_BSTR(&m_values[4]) = m_headers;

        V_VT(&m_arguments[6]) = VT_DISPATCH;
        V_DISPATCH(&m_arguments[6]) = frame;
        for (int i = 0; i < 5; ++i) {
            V_VT(&m_arguments[5 - i]) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&m_arguments[5 - i]) = &m_values[i];
        }
        if (!urlByReference) {
            m_arguments[5] = m_values[0];
        }
        V_VT(&m_arguments[0]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&m_arguments[0]) = &cancel;
    }
    BeforeNavigate2Call(const BeforeNavigate2Call&) = delete;
    BeforeNavigate2Call& operator=(const BeforeNavigate2Call&) = delete;
    ~BeforeNavigate2Call() {
        SysFreeString(m_url);
        SysFreeString(m_target);
        SysFreeString(m_headers);
        SafeArrayDestroy(m_postData);
    }

    HRESULT InvokeOn(IDispatch* sink, DISPID dispId = DISPID_BEFORENAVIGATE2) {
        DISPPARAMS params{m_arguments, nullptr, 7, 0};
        return sink->Invoke(dispId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                            nullptr, nullptr, nullptr);
    }

    VARIANT_BOOL cancel = VARIANT_FALSE;

private:
    BSTR m_url;
    BSTR m_target;
    BSTR m_headers;
    SAFEARRAY* m_postData;
    VARIANT m_values[5];
    VARIANT m_arguments[7];
};

TEST_F(HtmlCtrlTest, TheEventSinkReadsTheBrowsersCallAndCancelsApplinks) {
    RecordingHtmlCtrl html;
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    IDispatch* sink = html.GetEventSink();
    ASSERT_NE(sink, nullptr);

    BeforeNavigate2Call link(L"app:Manual.pdf", true);
    EXPECT_EQ(link.InvokeOn(sink), S_OK);
    EXPECT_EQ(link.cancel, VARIANT_TRUE);
    ASSERT_EQ(html.links, std::vector<std::string>{"Manual.pdf"});
    ASSERT_EQ(html.navigations.size(), 1u);
    EXPECT_EQ(html.navigations[0].url, "app:Manual.pdf");
    EXPECT_EQ(html.navigations[0].flags, 0x40u);
    EXPECT_EQ(html.navigations[0].targetFrameName, "_self");
    EXPECT_EQ(html.navigations[0].postData, "a=1");
    EXPECT_EQ(html.navigations[0].headers, "X-Test: 1\r\n");
    EXPECT_TRUE(html.navigations[0].topLevel) << "without a frame, the control's own page";

    BeforeNavigate2Call plain(L"APP:return", false);
    EXPECT_EQ(plain.InvokeOn(sink), S_OK);
    EXPECT_EQ(plain.cancel, VARIANT_TRUE) << "a URL that is no reference is read too";
    EXPECT_EQ(html.links.back(), "return");

    BeforeNavigate2Call page(L"file:///C:/Documentation/English/HTML/manulist.htm", true);
    EXPECT_EQ(page.InvokeOn(sink), S_OK);
    EXPECT_EQ(page.cancel, VARIANT_FALSE);
    BeforeNavigate2Call cancelled(L"http://example.invalid/", true);
    cancelled.cancel = VARIANT_TRUE;
    EXPECT_EQ(cancelled.InvokeOn(sink), S_OK);
    EXPECT_EQ(cancelled.cancel, VARIANT_TRUE) << "a cancel made elsewhere stands";
    EXPECT_EQ(html.links.size(), 2u);

    BeforeNavigate2Call otherEvent(L"app:Manual.pdf", true);
    EXPECT_EQ(otherEvent.InvokeOn(sink, DISPID_NAVIGATECOMPLETE2), S_OK);
    EXPECT_EQ(otherEvent.cancel, VARIANT_FALSE) << "other events are no navigation requests";
    EXPECT_EQ(html.navigations.size(), 4u);
}

// A modal window from the manuals template with a manuals control in place of its static,
// which runs `script` once its modal loop runs; a timer ends it if the script does not.
class ManualsHost : public CDialog {
public:
    static constexpr int kTimedOut = 99;

    ManualsHost(const DocumentServices& services, std::function<void(ManualsHost&)> script)
        : CDialog(IDD_MANUALS), html(services), m_script(std::move(script)) {}

    HWND Window() const { return m_hWnd; }
    RecordingManualsCtrl html;

protected:
    BOOL OnInitDialog() override {
        html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, this);
        SetTimer(m_hWnd, 1, 15000, nullptr);
        PostMessageA(m_hWnd, WM_APP, 0, 0);
        return TRUE;
    }
    bool OnWndMsg(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message == WM_APP) {
            m_script(*this);
            result = 0;
            return true;
        }
        if (message == WM_TIMER) {
            EndDialog(kTimedOut);
            return true;
        }
        return false;
    }

private:
    std::function<void(ManualsHost&)> m_script;
};

// The manuals folder of a language under `root`, with its list page; the folder's path.
std::string MakeManualsFolder(const std::string& root) {
    const std::string documents = root + "Documentation\\English";
    for (const std::string& folder : {root + "Documentation", documents, documents + "\\HTML"}) {
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    winetest::WriteFile(documents + "\\HTML\\manulist.htm", "<html><body>Manuals</body></html>");
    return documents;
}

// Shows the folder's list page in `html` and waits until the browser says so: the links that
// follow come from a page of the folder.
bool ShowListPage(CManualsHtmlCtrl& html, const std::string& documents) {
    html.SetDocumentDir(documents);
    const std::string page = documents + "\\HTML\\manulist.htm";
    return html.Navigate(page) && PumpUntil([&] {
               const std::string location = LocationOf(html.GetBrowser());
               return location.find("manulist.htm") != std::string::npos;
           });
}

TEST_F(HtmlCtrlTest, TheReturnLinkClosesTheWindowOfTheManualsControl) {
    const std::string documents = MakeManualsFolder(Scratch());
    for (const char* url : {"app:return", "APP:RETURN"}) {
        ManualsHost window(win32.Get(), [&](ManualsHost& self) {
            ASSERT_TRUE(ShowListPage(self.html, documents));
            self.html.Navigate(url);
        });
        EXPECT_EQ(window.DoModal(), IDCANCEL) << url;
        EXPECT_EQ(window.html.links, std::vector<std::string>{std::string(url).substr(4)});
        ASSERT_FALSE(window.html.navigations.empty());
        EXPECT_TRUE(window.html.navigations.back().cancel);
    }
}

TEST_F(HtmlCtrlTest, ReturnWithSomethingAfterItDoesNotClose) {
    RecordingManualsCtrl html(win32.Get());
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    const std::string documents = MakeManualsFolder(Scratch());
    ASSERT_TRUE(ShowListPage(html, documents));
    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, "Warning", IDOK, std::ref(box));
    ASSERT_TRUE(html.Navigate("app:return/x"));
    PumpUntil([&] { return !html.links.empty(); });
    answer.join();
    EXPECT_EQ(html.links, std::vector<std::string>{"return/x"});
    EXPECT_EQ(host.CloseRequests(), 0);
    EXPECT_TRUE(box.found) << "taken for a document, which does not exist";
    EXPECT_NE(box.text.find("File: " + documents + "\\return\\x"), std::string::npos) << box.text;
}

// A file type whose documents open in the argument echo, which writes its arguments to the
// file named by DISCMENU_ARGV_FILE: by default one of the kinds of document a manual links to.
class AssociatedFileType {
public:
    explicit AssociatedFileType(std::string extension = ".pptx")
        : m_extension(std::move(extension)), m_type("discmenutest" + m_extension) {
        const std::string program =
            winetest::FromLinuxPath(std::string(DISCMENU_TOOLS_DIR) + "/argvecho.exe");
        Set(m_extension, m_type);
        Set(m_type + "\\shell\\open\\command", "\"" + program + "\" \"%1\"");
    }
    AssociatedFileType(const AssociatedFileType&) = delete;
    AssociatedFileType& operator=(const AssociatedFileType&) = delete;
    ~AssociatedFileType() {
        // Innermost key first: a key with subkeys cannot be deleted.
        for (const std::string& key : {m_type + "\\shell\\open\\command", m_type + "\\shell\\open",
                                       m_type + "\\shell", m_type, m_extension}) {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
        }
    }

private:
    static void Set(const std::string& key, const std::string& value) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &handle, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(handle);
    }

    std::string m_extension;
    std::string m_type;
};

// The lines of a file once it has been written.
std::vector<std::string> WaitForLines(const std::string& path) {
    for (int i = 0; i < 200 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
        Sleep(50);
    }
    Sleep(200);
    std::vector<std::string> lines;
    const std::string content = winetest::ReadFile(path);
    std::string::size_type start = 0;
    for (auto end = content.find('\n'); end != std::string::npos;
         start = end + 1, end = content.find('\n', start)) {
        lines.push_back(content.substr(start, end - start));
    }
    return lines;
}

TEST_F(HtmlCtrlTest, ADocumentLinkOpensTheDocumentInItsAssociatedProgram) {
    const AssociatedFileType fileType;
    const std::string documents = MakeManualsFolder(Scratch());
    const std::string document = documents + "\\User Manual.pptx";
    ASSERT_TRUE(winetest::WriteFile(document, "manual"));
    const std::string output = Scratch() + "argv.txt";
    SetEnvironmentVariableA("DISCMENU_ARGV_FILE", output.c_str());

    RecordingManualsCtrl html(win32.Get());
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    ASSERT_TRUE(ShowListPage(html, MakeManualsFolder(Scratch())));
    html.navigations.clear();
    ASSERT_TRUE(html.Navigate("app:User Manual.pptx"));
    ASSERT_TRUE(PumpUntil([&] { return !html.links.empty(); }));
    const auto arguments = WaitForLines(output);
    ASSERT_EQ(arguments.size(), 2u) << "the path with its blank is one argument";
    EXPECT_EQ(arguments[1], document);
    EXPECT_EQ(host.CloseRequests(), 0);
    ASSERT_EQ(html.navigations.size(), 1u);
    EXPECT_TRUE(html.navigations[0].cancel);
}

TEST_F(HtmlCtrlTest, WithoutAnAssociatedProgramTheControlWarnsAndNamesThePath) {
    RecordingManualsCtrl html(win32.Get());
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    const std::string documents = MakeManualsFolder(Scratch());
    ASSERT_TRUE(ShowListPage(html, documents));
    const std::string document = documents + "\\Manual.xlsx";
    ASSERT_TRUE(winetest::WriteFile(document, "no program for this"));
    const std::string expected =
        "Can not find application for PDF files. Please install Acrobat Reader.\r\n\r\nFile: " +
        document;

    winetest::AnsweredBox direct;
    std::thread answer(winetest::AnswerMessageBox, "Warning", IDOK, std::ref(direct));
    EXPECT_FALSE(html.OpenDocument(document));
    answer.join();
    EXPECT_TRUE(direct.found);
    EXPECT_EQ(direct.text, expected);
    EXPECT_EQ(direct.owner, host.get()) << "the control's window owns the box";

    // The same through a link with a full path into the folder.
    winetest::AnsweredBox linked;
    std::thread answerLink(winetest::AnswerMessageBox, "Warning", IDOK, std::ref(linked));
    ASSERT_TRUE(html.Navigate("app:" + document));
    PumpUntil([&] { return !html.links.empty(); });
    answerLink.join();
    EXPECT_TRUE(linked.found);
    EXPECT_EQ(linked.text, expected);
    EXPECT_TRUE(IsWindow(html.GetSafeHwnd())) << "the control stays on its page";
}

const char kOutsideText[] =
    "The manuals open only documents of their own folder on the disc: this link was not followed.";
const char kProgramText[] = "The manuals open documents, not programs: this link was not followed.";

// A second control showing a web page: its browser stands for a frame of another site.
class OutsidePage {
public:
    OutsidePage() {
        m_html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, m_host.get());
        m_html.Navigate(kAddress);
        PumpUntil([&] { return LocationOf(m_html.GetBrowser()) == kAddress; });
    }
    IDispatch* Frame() const { return m_html.GetBrowser(); }
    static constexpr const char* kAddress = "http://example.invalid/page";

private:
    HostDialog m_host;
    RecordingHtmlCtrl m_html;
};

TEST_F(HtmlCtrlTest, TheManualsControlOpensNothingOutsideItsFolderAndNoProgram) {
    const AssociatedFileType fileType; // documents of this type would start the argument echo
    // A kind that a manual does not link to is refused, even with a program to open it.
    const AssociatedFileType otherType(".discmenutest");
    const std::string output = Scratch() + "argv.txt";
    SetEnvironmentVariableA("DISCMENU_ARGV_FILE", output.c_str());
    RecordingManualsCtrl html(win32.Get());
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    const std::string documents = MakeManualsFolder(Scratch());
    ASSERT_TRUE(ShowListPage(html, documents));
    ASSERT_TRUE(winetest::WriteFile(documents + "\\Manual.pptx", "manual"));
    ASSERT_TRUE(winetest::WriteFile(documents + "\\Other.discmenutest", "runs code"));
    const OutsidePage outside;
    ASSERT_NE(outside.Frame(), nullptr);

    struct Row {
        const wchar_t* url;
        IDispatch* frame;
        const char* text;
    };
    const Row rows[] = {
        {L"app:../../../outside.pptx", nullptr, kOutsideText},
        {L"app:C:\\windows\\system32\\notepad.exe", nullptr, kOutsideText},
        {L"app:Tools\\Setup.exe", nullptr, kProgramText},
        {L"app:Other.discmenutest", nullptr, kProgramText},
        {L"app:Manual.pptx", outside.Frame(), kOutsideText}, // asked by another site
    };
    for (const Row& row : rows) {
        winetest::AnsweredBox box;
        std::thread answer(winetest::AnswerMessageBox, "Warning", IDOK, std::ref(box));
        BeforeNavigate2Call link(row.url, true, row.frame);
        EXPECT_EQ(link.InvokeOn(html.GetEventSink()), S_OK);
        answer.join();
        const std::string url = text::FromWide(row.url);
        EXPECT_EQ(link.cancel, VARIANT_TRUE) << url;
        EXPECT_EQ(box.text.rfind(row.text, 0), 0u) << url << ": " << box.text;
        EXPECT_EQ(box.owner, host.get()) << url;
    }
    Sleep(500);
    EXPECT_EQ(GetFileAttributesA(output.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing started";
    EXPECT_EQ(host.CloseRequests(), 0);
}

// The shell, but web addresses are only recorded: the tests start no browser.
class RecordingShell : public platform::IShell {
public:
    platform::Outcome Open(platform::WindowRef owner, const std::string& file,
                           const std::optional<std::string>& parameters) override {
        opened.push_back(file);
        return file.rfind("http", 0) == 0 ? platform::Outcome::Success()
                                          : m_shell.Open(owner, file, parameters);
    }
    platform::Result<std::string> FindAssociatedProgram(const std::string& file) const override {
        return m_shell.FindAssociatedProgram(file);
    }
    std::vector<std::string> opened;

private:
    platform::Win32Shell m_shell;
};

// A NewWindow3 call as the browser makes it: five arguments in reverse order.
class NewWindow3Call {
public:
    explicit NewWindow3Call(const wchar_t* url)
        : m_url(SysAllocString(url)), m_context(SysAllocString(L"")) {
        for (VARIANT& argument : m_arguments) {
            VariantInit(&argument);
        }
        V_VT(&m_arguments[4]) = VT_BYREF | VT_DISPATCH;
        V_DISPATCHREF(&m_arguments[4]) = &m_window;
        V_VT(&m_arguments[3]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&m_arguments[3]) = &cancel;
        V_VT(&m_arguments[2]) = VT_I4;
        V_VT(&m_arguments[1]) = VT_BSTR;
        V_BSTR(&m_arguments[1]) = m_context;
        V_VT(&m_arguments[0]) = VT_BSTR;
        V_BSTR(&m_arguments[0]) = m_url;
    }
    NewWindow3Call(const NewWindow3Call&) = delete;
    NewWindow3Call& operator=(const NewWindow3Call&) = delete;
    ~NewWindow3Call() {
        SysFreeString(m_url);
        SysFreeString(m_context);
    }
    HRESULT InvokeOn(IDispatch* sink) {
        DISPPARAMS params{m_arguments, nullptr, 5, 0};
        return sink->Invoke(DISPID_NEWWINDOW3, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                            &params, nullptr, nullptr, nullptr);
    }

    VARIANT_BOOL cancel = VARIANT_FALSE;

private:
    BSTR m_url;
    BSTR m_context;
    IDispatch* m_window = nullptr;
    VARIANT m_arguments[5];
};

// A NewWindow2 call, as browsers before XP SP2 make it instead: the new window and the cancel
// flag, in reverse order, and no address.
class NewWindow2Call {
public:
    NewWindow2Call() {
        V_VT(&m_arguments[1]) = VT_BYREF | VT_DISPATCH;
        V_DISPATCHREF(&m_arguments[1]) = &m_window;
        V_VT(&m_arguments[0]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&m_arguments[0]) = &cancel;
    }
    HRESULT InvokeOn(IDispatch* sink) {
        DISPPARAMS params{m_arguments, nullptr, 2, 0};
        return sink->Invoke(DISPID_NEWWINDOW2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                            &params, nullptr, nullptr, nullptr);
    }

    VARIANT_BOOL cancel = VARIANT_FALSE;

private:
    IDispatch* m_window = nullptr;
    VARIANT m_arguments[2]{};
};

TEST_F(HtmlCtrlTest, WebPagesOpenInTheUsersBrowserAndNoWindowOfTheBrowsersOwn) {
    RecordingShell shell;
    const DocumentServices services{shell, win32.ui, win32.strings, win32.files};
    RecordingManualsCtrl html(services);
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    const std::string documents = MakeManualsFolder(Scratch());
    ASSERT_TRUE(ShowListPage(html, documents));
    const OutsidePage outside;
    IDispatch* sink = html.GetEventSink();

    BeforeNavigate2Call web(L"http://www.example.invalid/", true);
    web.InvokeOn(sink);
    EXPECT_EQ(web.cancel, VARIANT_TRUE) << "not in the window";
    BeforeNavigate2Call webInAFrame(L"http://www.example.invalid/frame", true, outside.Frame());
    webInAFrame.InvokeOn(sink);
    EXPECT_EQ(webInAFrame.cancel, VARIANT_TRUE);
    const std::wstring otherPage = text::Wide("file:///" + documents + "\\HTML\\other.htm");
    BeforeNavigate2Call page(otherPage.c_str(), true);
    page.InvokeOn(sink);
    EXPECT_EQ(page.cancel, VARIANT_FALSE) << "a page of the folder shows";
    EXPECT_EQ(shell.opened, std::vector<std::string>{"http://www.example.invalid/"})
        << "a frame's web page goes nowhere";

    NewWindow3Call popUp(L"http://www.example.invalid/popup");
    popUp.InvokeOn(sink);
    EXPECT_EQ(popUp.cancel, VARIANT_TRUE);
    EXPECT_EQ(shell.opened.back(), "http://www.example.invalid/popup");
    NewWindow3Call ownPage(otherPage.c_str());
    ownPage.InvokeOn(sink);
    EXPECT_EQ(ownPage.cancel, VARIANT_TRUE);
    EXPECT_TRUE(PumpUntil([&] {
        return !html.navigations.empty() &&
               html.navigations.back().url.find("other.htm") != std::string::npos;
    })) << "shown in the window itself";
    EXPECT_EQ(html.newWindows.size(), 2u);

    // Where the browser does not tell the new window's address, it opens nowhere.
    const std::size_t opened = shell.opened.size();
    NewWindow2Call unknown;
    unknown.InvokeOn(sink);
    EXPECT_EQ(unknown.cancel, VARIANT_TRUE);
    EXPECT_EQ(html.newWindows.size(), 3u);
    EXPECT_EQ(shell.opened.size(), opened);
}

TEST_F(HtmlCtrlTest, TheBrowserIsLockedDown) {
    RecordingHtmlCtrl html;
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    CComPtr<IOleObject> object;
    ASSERT_EQ(html.GetBrowser()->QueryInterface(IID_IOleObject, object.put_void()), S_OK);
    CComPtr<IOleClientSite> site;
    ASSERT_EQ(object->GetClientSite(site.put()), S_OK);

    // No context menu, no window.external.
    const auto ui = site.Query<IDocHostUIHandler>(IID_IDocHostUIHandler);
    ASSERT_TRUE(ui);
    POINT where{10, 10};
    EXPECT_EQ(ui->ShowContextMenu(CONTEXT_MENU_DEFAULT, &where, nullptr, nullptr), S_OK);
    CComPtr<IDispatch> external;
    ui->GetExternal(external.put());
    EXPECT_FALSE(external);
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(ui->GetHostInfo(&info), S_OK);
    EXPECT_NE(info.dwFlags & DOCHOSTUIFLAG_LOCAL_MACHINE_ACCESS_CHECK, 0u);

    // No script error dialogs.
    const auto commands = site.Query<IOleCommandTarget>(IID_IOleCommandTarget);
    ASSERT_TRUE(commands);
    const GUID docHost = {
        0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};
    VARIANT goOn;
    VariantInit(&goOn);
    EXPECT_EQ(commands->Exec(&docHost, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &goOn), S_OK);
    EXPECT_EQ(V_VT(&goOn), VT_BOOL);
    EXPECT_EQ(V_BOOL(&goOn), VARIANT_TRUE) << "the scripts go on, without a dialog";

    // No ActiveX controls, applets, behaviours or meta refreshes.
    const auto ambient = site.Query<IDispatch>(IID_IDispatch);
    ASSERT_TRUE(ambient);
    VARIANT control;
    VariantInit(&control);
    DISPPARAMS none{};
    ASSERT_EQ(ambient->Invoke(DISPID_AMBIENT_DLCONTROL, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                              &control, nullptr, nullptr),
              S_OK);
    ASSERT_EQ(V_VT(&control), VT_I4);
    const LONG forbidden = DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS | DLCTL_NO_JAVA |
                           DLCTL_NO_BEHAVIORS | DLCTL_NO_CLIENTPULL;
    EXPECT_EQ(V_I4(&control) & forbidden, forbidden);

    // No downloads: the site's download manager takes every one over and fetches nothing.
    const auto services = site.Query<IServiceProvider>(IID_IServiceProvider);
    ASSERT_TRUE(services);
    const GUID downloads = {
        0x988934a4, 0x064b, 0x11d3, {0xbb, 0x80, 0x00, 0x10, 0x4b, 0x35, 0xe7, 0xf9}};
    CComPtr<IDownloadManager> manager;
    ASSERT_EQ(services->QueryService(downloads, downloads, manager.put_void()), S_OK);
    EXPECT_EQ(manager->Download(nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, 0), S_OK);

    // The system's restrictions for pages of the local machine, for the whole process.
    using IsFeatureEnabledFn = HRESULT(WINAPI*)(int, DWORD);
    HMODULE urlmon = GetModuleHandleA("urlmon.dll");
    ASSERT_NE(urlmon, nullptr);
    const auto isEnabled = reinterpret_cast<IsFeatureEnabledFn>(
        reinterpret_cast<void*>(GetProcAddress(urlmon, "CoInternetIsFeatureEnabled")));
    ASSERT_NE(isEnabled, nullptr);
    constexpr int kLocalMachineLockdown = 8;
    constexpr DWORD kFromProcess = 0x2;
    EXPECT_EQ(isEnabled(kLocalMachineLockdown, kFromProcess), S_OK);
}

TEST_F(HtmlCtrlTest, DestroyingTheWindowReleasesTheBrowser) {
    RecordingHtmlCtrl html;
    ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    // Keep the browser alive past the control's release to look at it afterwards.
    CComPtr<IWebBrowser2> browser(html.GetBrowser());
    ASSERT_TRUE(browser);
    browser->AddRef();
    CComPtr<IOleObject> object = browser.Query<IOleObject>(IID_IOleObject);
    ASSERT_TRUE(object);
    CComPtr<IOleClientSite> site;
    ASSERT_EQ(object->GetClientSite(site.put()), S_OK);
    EXPECT_TRUE(site);
    site.reset();

    host.Destroy();
    EXPECT_EQ(html.GetSafeHwnd(), nullptr);
    EXPECT_EQ(html.GetBrowser(), nullptr);
    EXPECT_EQ(html.GetEventSink(), nullptr);
    object->GetClientSite(site.put());
    EXPECT_FALSE(site) << "the browser was told to forget its site";
    EXPECT_TRUE(EventConnections(browser.get()).empty()) << "our sink was disconnected";

    // Nothing the browser reports any more reaches the object.
    CBstr url("app:late");
    VARIANT none;
    VariantInit(&none);
    browser->Navigate(url.get(), &none, &none, &none, &none);
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(html.links.empty());
    EXPECT_TRUE(html.navigations.empty());
}

TEST_F(HtmlCtrlTest, TheObjectMayGoBeforeItsParent) {
    {
        RecordingHtmlCtrl html;
        ASSERT_TRUE(html.CreateInPlaceOfStatic(IDC_HTML_PLACEHOLDER, host.get()));
    }
    EXPECT_EQ(GetDlgItem(host.get(), IDC_HTML_PLACEHOLDER), nullptr) << "its window went with it";
    EXPECT_TRUE(IsWindow(host.get()));
}

} // namespace
