// The modal dialog base of the framework layer against the real dialog manager.

#include "framework/win32/Dialog.h"
#include "WineTestSupport.h"
#include "app/win32/InstallApp.h"
#include "framework/win32/ComPtr.h"
#include "framework/win32/WinApp.h"
#include "menu/win32/PageAccessible.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// A dialog that records what happens to it and runs a script once it is initialised.
class ScriptedDialog : public CDialog {
public:
    explicit ScriptedDialog(std::function<void(ScriptedDialog&)> script, CDialog* parent = nullptr)
        : CDialog(IDD_ABOUTBOX, parent), m_script(std::move(script)) {}

    using CDialog::Default;
    HWND Window() const { return m_hWnd; }

    std::vector<std::string> events;
    HBRUSH lastBrush = nullptr;

protected:
    void DoDataExchange() override { events.push_back("exchange"); }
    BOOL OnInitDialog() override {
        events.push_back(m_hWnd != nullptr ? "init" : "init without window");
        m_script(*this);
        return TRUE;
    }
    void OnCancel() override {
        events.push_back("cancel");
        CDialog::OnCancel();
    }
    bool OnWndMsg(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message == WM_APP) {
            events.push_back("app message");
            result = 42;
            return true;
        }
        if (message == WM_APP + 1) {
            throw std::runtime_error("out of luck");
        }
        return false;
    }

private:
    std::function<void(ScriptedDialog&)> m_script;
};

TEST(CDialog, RunsModallyUntilEndDialogAndReturnsItsResult) {
    CWinApp app;
    ScriptedDialog dialog([](ScriptedDialog& d) {
        EXPECT_EQ(SendMessageA(d.Window(), WM_APP, 0, 0), 42);
        d.EndDialog(7);
    });
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"exchange", "init", "app message"}));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the window is gone after the modal run";
}

TEST(CDialog, CloseBoxAndEscapeEndWithCancel) {
    CWinApp app;
    ScriptedDialog closed([](ScriptedDialog& d) { PostMessageA(d.Window(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
    EXPECT_EQ(closed.events.back(), "cancel");

    ScriptedDialog escaped([](ScriptedDialog& d) {
        PostMessageA(GetDlgItem(d.Window(), IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(escaped.DoModal(), IDCANCEL);
}

TEST(CDialog, TheOkButtonEndsWithOk) {
    CWinApp app;
    ScriptedDialog dialog([](ScriptedDialog& d) {
        PostMessageA(d.Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(d.Window(), IDOK)));
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(CDialog, UsesTheApplicationsDialogColours) {
    CWinApp app;
    app.SetDialogBkColor(RGB(255, 255, 255), RGB(10, 20, 30));
    HBRUSH dialogBrush = nullptr;
    COLORREF text = 0;
    COLORREF background = 0;
    ScriptedDialog dialog([&](ScriptedDialog& d) {
        HDC dc = GetDC(d.Window());
        dialogBrush = reinterpret_cast<HBRUSH>(SendMessageA(d.Window(), WM_CTLCOLORDLG,
                                                            reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(d.Window())));
        SendMessageA(d.Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(d.Window(), IDOK)));
        text = GetTextColor(dc);
        background = GetBkColor(dc);
        ReleaseDC(d.Window(), dc);
        d.EndDialog(IDOK);
    });
    dialog.DoModal();
    EXPECT_EQ(dialogBrush, app.GetDialogBkBrush());
    EXPECT_EQ(text, RGB(10, 20, 30));
    EXPECT_EQ(background, RGB(255, 255, 255));
}

TEST(CDialog, ADialogWithoutParentIsOwnedByTheMainWindow) {
    CWinApp app;
    HWND ownerOfInner = nullptr;
    HWND mainWindow = nullptr;
    ScriptedDialog inner([&](ScriptedDialog& d) {
        ownerOfInner = GetWindow(d.Window(), GW_OWNER);
        d.EndDialog(IDOK);
    });
    ScriptedDialog main([&](ScriptedDialog& d) {
        mainWindow = d.Window();
        inner.DoModal();
        EXPECT_TRUE(IsWindowEnabled(d.Window())) << "the owner is enabled again afterwards";
        d.EndDialog(IDOK);
    });
    app.m_pMainWnd = &main;
    main.DoModal();
    app.m_pMainWnd = nullptr;
    EXPECT_NE(mainWindow, nullptr);
    EXPECT_EQ(ownerOfInner, mainWindow);
}

// The program's own application object reports in the program's words what stopped an action,
// and that a window could not be made, and goes on.
TEST(CInstallApp, AnExceptionInAWindowsHandlingIsReportedAndGoesNoFurther) {
    CInstallApp app;
    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, "Installer", IDOK, std::ref(box));
    LRESULT thrown = -1;
    ScriptedDialog dialog([&](ScriptedDialog& d) {
        thrown = SendMessageA(d.Window(), WM_APP + 1, 0, 0);
        EXPECT_EQ(SendMessageA(d.Window(), WM_APP, 0, 0), 42) << "the window goes on";
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    answer.join();
    EXPECT_EQ(thrown, 0);
    EXPECT_EQ(box.text, "An unexpected error stopped the last action:\r\n\r\nout of luck");
}

// The texts of a language that translates the report of an unexpected error.
class ReportInFrench final : public platform::IStringTable {
public:
    std::string Load(unsigned id) const override {
        return id == IDS_BUILTIN_UNEXPECTED_ERROR  ? "Une erreur inattendue a interrompu l'action :"
               : id == IDS_BUILTIN_STARTUP_CAPTION ? "Programme d'installation"
                                                   : "";
    }
};

// Throws in the dialog's handling and returns the report as the user reads it.
winetest::AnsweredBox ReportOfAThrow(const char* caption,
                                     const std::function<void(CDialog&)>& run) {
    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, caption, IDOK, std::ref(box));
    ScriptedDialog dialog([](ScriptedDialog& d) {
        SendMessageA(d.Window(), WM_APP + 1, 0, 0);
        d.EndDialog(IDOK);
    });
    run(dialog);
    answer.join();
    return box;
}

TEST(CInstallApp, WhileTheMainPageShowsAnErrorIsReportedInItsLanguage) {
    CInstallApp app;
    const ReportInFrench french;
    EXPECT_EQ(ReportOfAThrow("Programme d'installation",
                             [&](CDialog& page) { app.RunMainPage(page, french); })
                  .text,
              "Une erreur inattendue a interrompu l'action :\r\n\r\nout of luck");
    // Once the page has gone, in the built-in texts again.
    EXPECT_EQ(ReportOfAThrow("Installer", [](CDialog& page) { page.DoModal(); }).text,
              "An unexpected error stopped the last action:\r\n\r\nout of luck");
}

// A page whose answers to a screen reader cannot be built (no memory for them, say).
class FailingPage : public IAccessiblePage {
public:
    std::vector<AccessibleEntry> Entries() const override {
        throw std::runtime_error("no entries");
    }
    HWND Chooser() const override { return nullptr; }
    std::string ChooserName() const override { throw std::runtime_error("no name"); }
    std::string EntryAction() const override { return "Press"; }
    void PressEntry(int) override {}
};

// A screen reader's question is a call from another program: an exception that its answer
// throws is reported like one in a window's handling, and the reader gets an error instead.
TEST(CInstallApp, AnExceptionInAScreenReadersQuestionIsReportedAndAnsweredWithAnError) {
    CInstallApp app;
    FailingPage page;
    const CComPtr<CPageAccessible> accessible(new CPageAccessible(nullptr, page));
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = 1;
    for (const auto& ask : std::vector<std::function<HRESULT()>>{
             [&] {
                 long count = -1;
                 return accessible->get_accChildCount(&count);
             },
             [&] {
                 BSTR name = nullptr;
                 return accessible->get_accName(child, &name);
             },
             [&] {
                 VARIANT focus;
                 return accessible->get_accFocus(&focus);
             },
             [&] { return accessible->accDoDefaultAction(child); },
         }) {
        winetest::AnsweredBox box;
        std::thread answer(winetest::AnswerMessageBox, "Installer", IDOK, std::ref(box));
        EXPECT_EQ(ask(), E_UNEXPECTED);
        answer.join();
        EXPECT_EQ(box.text, "An unexpected error stopped the last action:\r\n\r\nno entries");
    }
    // The checks before an answer stay as they were: a missing out-parameter, a page gone.
    EXPECT_EQ(accessible->get_accName(child, nullptr), E_POINTER);
    accessible->Disconnect();
    BSTR name = nullptr;
    EXPECT_EQ(accessible->get_accName(child, &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(name, nullptr);
}

TEST(CInstallApp, APageThatCannotBeShownSaysSo) {
    CInstallApp app;
    CDialog missing(4711); // no such template
    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, "Installer", IDOK, std::ref(box));
    app.RunMainPage(missing);
    answer.join();
    EXPECT_TRUE(box.found);
    EXPECT_EQ(box.text.rfind("The menu could not be shown.\r\n\r\n", 0), 0u) << box.text;
    EXPECT_GT(box.text.size(), std::string("The menu could not be shown.\r\n\r\n").size())
        << "with the system's reason";
}

TEST(CWinApp, NamesTheApplicationAfterTheProgramFile) {
    CWinApp app;
    EXPECT_EQ(app.GetAppName(), "DialogTest");
    EXPECT_EQ(AfxGetApp(), &app);
}

} // namespace
