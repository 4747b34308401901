// The USB driver dialog against the real dialog manager, registry and setup services: its
// texts, what OK registers from the product folder named in the registry, the messages it
// shows, Cancel, and its colours.

#include "usb/win32/UsbDriverDlg.h"
#include "DriverTestSupport.h"
#include "framework/win32/WinApp.h"
#include "platform/win32/Win32DriverStore.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32StringTable.h"
#include "platform/win32/Win32SystemErrors.h"
#include "platform/win32/Win32UserInterface.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using winetest::CopyPackage;
using winetest::SystemInfFolderHolds;

const char kInstallKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Install";
const char kAppName[] = "UsbDriverDlgTest";
const char kTitle[] = "Test USB title";
const char kFirst[] = "First family drivers";
const char kSecond[] = "Second family drivers";
const char kOk[] = "Go";
const char kCancel[] = "Stop";
const char kSuccess[] = "Drivers are in place";
const char kFailure[] = "Drivers are not in place";

void SetProductFolder(const std::string& folder) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "WBPATH", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(folder.c_str()),
                             static_cast<DWORD>(folder.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void RemoveProductFolder() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "WBPATH");
        RegCloseKey(key);
    }
}

// The real driver store, recording what it is given and what it answers.
class RecordingDriverStore : public platform::IDriverStore {
public:
    platform::Outcome RegisterPackage(const std::string& infPath) override {
        const platform::Outcome result = m_store.RegisterPackage(infPath);
        registered.push_back(infPath);
        results.push_back(result);
        return result;
    }
    std::vector<std::string> registered;
    std::vector<platform::Outcome> results;

private:
    platform::Win32DriverStore m_store;
};

// Message boxes: recorded, and shown for real unless `show` is off (then answered with OK at
// once, so that an unexpected box cannot block the test).
class RecordingUserInterface : public platform::IUserInterface {
public:
    int ShowMessage(platform::WindowRef owner, const std::string& text,
                    const std::optional<std::string>& caption, unsigned style) override {
        texts.push_back(text);
        return show ? m_ui.ShowMessage(owner, text, caption, style) : IDOK;
    }
    void BeginWaitCursor() override { ++waits; }
    void EndWaitCursor() override {}
    bool BringForward(const std::string&) override { return false; }

    bool show = true;
    int waits = 0;
    std::vector<std::string> texts;

private:
    platform::Win32UserInterface m_ui;
};

// The dialog with a script that runs once it is initialised.
class ScriptedUsbDriverDlg : public CUsbDriverDlg {
public:
    ScriptedUsbDriverDlg(platform::IDriverStore& store, platform::IUserInterface& ui,
                         std::function<void(ScriptedUsbDriverDlg&)> script)
        : CUsbDriverDlg({kTitle, kFirst, kSecond, kOk, kCancel, kSuccess, kFailure}, nullptr,
                        {registry, store, processes, ui, strings, errors, files, ""}),
          m_script(std::move(script)) {}

    HWND Window() const { return m_hWnd; }
    HBRUSH Brush() const { return m_brush.get(); }

    void Check(int id) const { SendDlgItemMessageA(m_hWnd, id, BM_SETCHECK, BST_CHECKED, 0); }
    void Press(int id) const {
        PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, id)));
    }
    std::string Text(int id) const {
        char buffer[256] = {};
        GetDlgItemTextA(m_hWnd, id, buffer, sizeof buffer);
        return buffer;
    }

    HWND window = nullptr; // kept after the dialog is gone

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CUsbDriverDlg::OnInitDialog();
        window = m_hWnd;
        m_script(*this);
        return result;
    }

private:
    static const platform::Win32Registry registry;
    static platform::Win32Processes processes;
    static const platform::Win32StringTable strings;
    static const platform::Win32SystemErrors errors;
    static platform::Win32FileSystem files;
    std::function<void(ScriptedUsbDriverDlg&)> m_script;
};

const platform::Win32Registry ScriptedUsbDriverDlg::registry;
platform::Win32Processes ScriptedUsbDriverDlg::processes;
const platform::Win32StringTable ScriptedUsbDriverDlg::strings;
const platform::Win32SystemErrors ScriptedUsbDriverDlg::errors(ScriptedUsbDriverDlg::strings);
platform::Win32FileSystem ScriptedUsbDriverDlg::files;

// The system's text for `code`, as the dialog shows it.
std::string SystemText(unsigned long code) {
    const platform::Win32StringTable strings;
    return platform::Win32SystemErrors(strings).Describe(code);
}

class UsbDriverDlgTest : public ::testing::Test {
protected:
    UsbDriverDlgTest() { app.SetDialogBkColor(RGB(255, 255, 255), RGB(0, 0, 0)); }
    ~UsbDriverDlgTest() override { RemoveProductFolder(); }

    CWinApp app; // names the application after the program file
    RecordingDriverStore store;
    RecordingUserInterface ui;
};

TEST_F(UsbDriverDlgTest, ShowsItsTextsAndTheApplicationIcon) {
    std::string title;
    std::vector<std::string> texts;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    ScriptedUsbDriverDlg dialog(store, ui, [&](ScriptedUsbDriverDlg& d) {
        char buffer[256] = {};
        GetWindowTextA(d.Window(), buffer, sizeof buffer);
        title = buffer;
        texts = {d.Text(IDC_USB_FIRST_CHECK), d.Text(IDC_USB_SECOND_CHECK), d.Text(IDOK),
                 d.Text(IDCANCEL)};
        EXPECT_EQ(SendDlgItemMessageA(d.Window(), IDC_USB_FIRST_CHECK, BM_GETCHECK, 0, 0),
                  BST_UNCHECKED);
        EXPECT_EQ(SendDlgItemMessageA(d.Window(), IDC_USB_SECOND_CHECK, BM_GETCHECK, 0, 0),
                  BST_UNCHECKED);
        bigIcon = reinterpret_cast<HICON>(SendMessageA(d.Window(), WM_GETICON, ICON_BIG, 0));
        smallIcon = reinterpret_cast<HICON>(SendMessageA(d.Window(), WM_GETICON, ICON_SMALL, 0));
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(title, kTitle);
    EXPECT_EQ(texts, (std::vector<std::string>{kFirst, kSecond, kOk, kCancel}));
    const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(bigIcon, icon);
    EXPECT_EQ(smallIcon, icon);
}

TEST_F(UsbDriverDlgTest, BothBoxesRegisterBothPackagesAndReportSuccess) {
    const std::string folder = winetest::MakeScratchFolder("usb-both"); // ends in '\'
    const std::string first = CopyPackage(folder, "RKVU021", "ser2pl.inf", "ser2pl.cat").infContent;
    const std::string second =
        CopyPackage(folder, "RKVU031", "RKVU031.inf", "RKVU031.cat").infContent;
    SetProductFolder(folder);

    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, kAppName, IDOK, std::ref(box));
    ScriptedUsbDriverDlg dialog(store, ui, [](ScriptedUsbDriverDlg& d) {
        d.Check(IDC_USB_FIRST_CHECK);
        d.Check(IDC_USB_SECOND_CHECK);
        d.Press(IDOK);
    });
    const INT_PTR result = dialog.DoModal();
    answer.join();

    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(store.registered, (std::vector<std::string>{folder + "\\RKVU021\\ser2pl.inf",
                                                          folder + "\\RKVU031\\RKVU031.inf"}))
        << "RKVA first, from the folder as the registry holds it";
    ASSERT_EQ(store.results.size(), 2u);
    EXPECT_TRUE(store.results[0]);
    EXPECT_TRUE(store.results[1]);
    EXPECT_TRUE(SystemInfFolderHolds("ser2pl.inf", first));
    EXPECT_TRUE(SystemInfFolderHolds("RKVU031.inf", second));
    EXPECT_TRUE(box.found) << "a message box captioned with the application's name";
    EXPECT_EQ(box.text, kSuccess);
    EXPECT_EQ(box.owner, dialog.window) << "owned by the dialog";
    EXPECT_EQ(ui.texts.size(), 1u);
}

TEST_F(UsbDriverDlgTest, AMissingPackageIsReportedWithTheSystemsText) {
    const std::string folder = winetest::MakeScratchFolder("usb-missing");
    const std::string first = CopyPackage(folder, "RKVU021", "ser2pl.inf", "ser2pl.cat").infContent;
    SetProductFolder(folder.substr(0, folder.size() - 1)); // without the trailing backslash

    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, kAppName, IDOK, std::ref(box));
    ScriptedUsbDriverDlg dialog(store, ui, [](ScriptedUsbDriverDlg& d) {
        d.Check(IDC_USB_FIRST_CHECK);
        d.Check(IDC_USB_SECOND_CHECK);
        d.Press(IDOK);
    });
    const INT_PTR result = dialog.DoModal();
    answer.join();

    EXPECT_EQ(result, IDOK) << "the dialog closes after a failure too";
    EXPECT_EQ(store.registered, (std::vector<std::string>{folder + "RKVU021\\ser2pl.inf",
                                                          folder + "RKVU031\\RKVU031.inf"}));
    ASSERT_EQ(store.results.size(), 2u);
    EXPECT_TRUE(store.results[0]);
    EXPECT_FALSE(store.results[1]);
    EXPECT_TRUE(SystemInfFolderHolds("ser2pl.inf", first));

    const std::string systemText = SystemText(store.results[1].error.code);
    EXPECT_NE(systemText.rfind("error ", 0), 0u)
        << "the system has a text for " << store.results[1].error.code;
    EXPECT_TRUE(box.found);
    EXPECT_EQ(box.text, std::string(kTitle) + " failed with error: " + systemText);
    EXPECT_EQ(box.owner, dialog.window);
}

TEST_F(UsbDriverDlgTest, TheFirstBoxAloneRegistersTheRkvaPackageOnly) {
    const std::string folder = winetest::MakeScratchFolder("usb-first");
    CopyPackage(folder, "RKVU031", "RKVU031.inf", "RKVU031.cat"); // the RKVA package is missing
    SetProductFolder(folder);

    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, kAppName, IDOK, std::ref(box));
    ScriptedUsbDriverDlg dialog(store, ui, [](ScriptedUsbDriverDlg& d) {
        d.Check(IDC_USB_FIRST_CHECK);
        d.Press(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    answer.join();

    EXPECT_EQ(store.registered, std::vector<std::string>{folder + "\\RKVU021\\ser2pl.inf"});
    ASSERT_EQ(store.results.size(), 1u);
    EXPECT_FALSE(store.results[0]);
    EXPECT_EQ(box.text, std::string(kTitle) +
                            " failed with error: " + SystemText(store.results[0].error.code));
}

TEST_F(UsbDriverDlgTest, WithoutTheProductFolderNothingIsRegisteredAndThePathIsNotFound) {
    RemoveProductFolder();
    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, kAppName, IDOK, std::ref(box));
    ScriptedUsbDriverDlg dialog(store, ui, [](ScriptedUsbDriverDlg& d) {
        d.Check(IDC_USB_SECOND_CHECK);
        d.Press(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    answer.join();

    EXPECT_TRUE(store.registered.empty()) << "nothing from the root of the current drive";
    const std::string systemText = SystemText(ERROR_PATH_NOT_FOUND);
    EXPECT_NE(systemText.rfind("error ", 0), 0u);
    EXPECT_TRUE(box.found);
    EXPECT_EQ(box.text, std::string(kTitle) + " failed with error: " + systemText);
}

TEST_F(UsbDriverDlgTest, OkWithoutABoxRegistersNothingAndShowsNothing) {
    const std::string folder = winetest::MakeScratchFolder("usb-none");
    CopyPackage(folder, "RKVU021", "ser2pl.inf", "ser2pl.cat");
    SetProductFolder(folder);
    ui.show = false;
    ScriptedUsbDriverDlg dialog(store, ui, [](ScriptedUsbDriverDlg& d) { d.Press(IDOK); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(store.registered.empty());
    EXPECT_TRUE(ui.texts.empty());
}

TEST_F(UsbDriverDlgTest, CancelRegistersNothing) {
    const std::string folder = winetest::MakeScratchFolder("usb-cancel");
    const std::string first = CopyPackage(folder, "RKVU021", "ser2pl.inf", "ser2pl.cat").infContent;
    SetProductFolder(folder);
    ui.show = false;
    ScriptedUsbDriverDlg dialog(store, ui, [](ScriptedUsbDriverDlg& d) {
        d.Check(IDC_USB_FIRST_CHECK);
        d.Check(IDC_USB_SECOND_CHECK);
        d.Press(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(store.registered.empty());
    EXPECT_TRUE(ui.texts.empty());
    EXPECT_FALSE(SystemInfFolderHolds("ser2pl.inf", first));
}

TEST_F(UsbDriverDlgTest, ReportLastErrorShowsTheSystemsTextOrTheCode) {
    const unsigned long unknown = 0x20001234; // an application's code: no system text
    std::vector<winetest::AnsweredBox> boxes(2);
    HWND window = nullptr;
    ScriptedUsbDriverDlg dialog(store, ui, [&](ScriptedUsbDriverDlg& d) {
        window = d.Window();
        std::thread first(winetest::AnswerMessageBox, kAppName, IDOK, std::ref(boxes[0]));
        SetLastError(ERROR_ACCESS_DENIED);
        d.ReportLastError();
        first.join();
        std::thread second(winetest::AnswerMessageBox, kAppName, IDOK, std::ref(boxes[1]));
        SetLastError(unknown);
        d.ReportLastError();
        second.join();
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();

    const std::string denied = SystemText(ERROR_ACCESS_DENIED);
    EXPECT_NE(denied.rfind("error ", 0), 0u);
    EXPECT_EQ(boxes[0].text, std::string(kTitle) + " failed with error: " + denied);
    EXPECT_EQ(boxes[0].owner, window);
    EXPECT_EQ(boxes[1].text,
              std::string(kTitle) + " failed with error: error " + std::to_string(unknown));
}

TEST_F(UsbDriverDlgTest, ColoursOfTheCheckBoxesButtonsAndDialog) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF buttonText = GetSysColor(COLOR_BTNTEXT);
    const COLORREF unlikely = RGB(1, 2, 3);
    ScriptedUsbDriverDlg dialog(store, ui, [&](ScriptedUsbDriverDlg& d) {
        HDC dc = GetDC(d.Window());
        const auto request = [&](UINT message, HWND from) {
            return reinterpret_cast<HBRUSH>(SendMessageA(
                d.Window(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(from)));
        };
        ASSERT_NE(d.Brush(), nullptr);
        LOGBRUSH brush{};
        GetObjectA(d.Brush(), sizeof brush, &brush);
        EXPECT_EQ(brush.lbColor, face) << "a brush of the button-face colour";

        for (const int id : {IDC_USB_FIRST_CHECK, IDC_USB_SECOND_CHECK}) {
            SetBkColor(dc, unlikely);
            SetBkMode(dc, OPAQUE);
            EXPECT_EQ(request(WM_CTLCOLORSTATIC, GetDlgItem(d.Window(), id)), d.Brush()) << id;
            EXPECT_EQ(GetBkColor(dc), face) << id;
            EXPECT_EQ(GetBkMode(dc), TRANSPARENT) << id;
        }
        for (const int id : {IDOK, IDCANCEL}) {
            SetTextColor(dc, unlikely);
            EXPECT_EQ(request(WM_CTLCOLORBTN, GetDlgItem(d.Window(), id)), d.Brush()) << id;
            EXPECT_EQ(GetTextColor(dc), buttonText) << id;
        }
        SetBkColor(dc, unlikely);
        EXPECT_EQ(request(WM_CTLCOLORDLG, d.Window()), d.Brush());
        EXPECT_EQ(GetBkColor(dc), face);

        // Other requests get the application's dialog colours.
        EXPECT_EQ(request(WM_CTLCOLORSTATIC, GetDlgItem(d.Window(), IDOK)), app.GetDialogBkBrush());
        EXPECT_EQ(request(WM_CTLCOLORBTN, GetDlgItem(d.Window(), IDC_USB_FIRST_CHECK)),
                  app.GetDialogBkBrush());
        EXPECT_EQ(request(WM_CTLCOLORMSGBOX, d.Window()), app.GetDialogBkBrush());
        ReleaseDC(d.Window(), dc);
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_NE(app.GetDialogBkBrush(), nullptr);
}

TEST_F(UsbDriverDlgTest, PaintingDrawsNothingButValidatesTheWindow) {
    bool stillInvalid = true;
    ScriptedUsbDriverDlg dialog(store, ui, [&](ScriptedUsbDriverDlg& d) {
        InvalidateRect(d.Window(), nullptr, FALSE);
        SendMessageA(d.Window(), WM_PAINT, 0, 0);
        stillInvalid = GetUpdateRect(d.Window(), nullptr, FALSE) != FALSE;
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_FALSE(stillInvalid);
}

} // namespace
