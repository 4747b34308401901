// The floor that the menu's start-up is measured against: a dialog with the page's window
// styles and client size, centred on the screen and filled with one colour, and nothing else.
// Started without arguments it does what the menu does from the disc: it copies itself to the
// temporary folder and starts the copy with -InfPath "<its directory>\", so that it too takes
// two process starts to show its window. Built a second time with the menu's manifest (common
// controls 6 with visual styles, DPI awareness) and the menu's chooser, a drop-down list of its
// six languages at its place: the floor of a page under the same conditions as the menu's.

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTemplateId = 1;
constexpr int kClientWidth = 597;
constexpr int kClientHeight = 340;
// The top row of the menu's entry faces: the benchmark waits for this colour at the same place.
constexpr COLORREF kFill = RGB(153, 200, 226);
// The chooser of the template built with the manifest, placed and filled as the menu does.
constexpr int kChooserId = 1001;
const char* const kLanguageNames[] = {"English",
                                      "Fran\xe7"
                                      "ais",
                                      "Deutsch",
                                      "Italiano",
                                      "Espa\xf1ol",
                                      "Chinese"};

void FillChooser(HWND hwnd) {
    const HWND chooser = GetDlgItem(hwnd, kChooserId);
    if (chooser == nullptr) {
        return;
    }
    RECT rect{};
    GetWindowRect(chooser, &rect);
    MoveWindow(chooser, 16, 261, 176, rect.bottom - rect.top, FALSE);
    for (const char* name : kLanguageNames) {
        SendMessageA(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SendMessageA(chooser, CB_SETCURSEL, 0, 0);
}

class SolidBrush {
public:
    explicit SolidBrush(COLORREF colour) : m_brush(CreateSolidBrush(colour)) {}
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    ~SolidBrush() {
        if (m_brush != nullptr) {
            DeleteObject(m_brush);
        }
    }
    HBRUSH get() const { return m_brush; }

private:
    HBRUSH m_brush;
};

class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (m_handle != nullptr) {
            CloseHandle(m_handle);
        }
    }

private:
    HANDLE m_handle;
};

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        RECT frame{0, 0, kClientWidth, kClientHeight};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)));
        RECT screen{};
        GetWindowRect(GetDesktopWindow(), &screen);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        MoveWindow(hwnd, (screen.right - width) / 2, (screen.bottom - height) / 2, width, height,
                   FALSE);
        FillChooser(hwnd);
        return TRUE;
    }
    case WM_CTLCOLORDLG:
        return static_cast<INT_PTR>(GetWindowLongPtrA(hwnd, DWLP_USER));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hwnd, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

bool StartCopyInTemporaryFolder() {
    char module[MAX_PATH + 1] = {};
    char temp[MAX_PATH + 1] = {};
    if (GetModuleFileNameA(nullptr, module, MAX_PATH) == 0 ||
        GetTempPathA(sizeof temp, temp) == 0) {
        return false;
    }
    const std::string source = module;
    const std::size_t slash = source.find_last_of('\\');
    const std::string target = std::string(temp) + source.substr(slash + 1);
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
        return false;
    }
    const std::string commandLine =
        "\"" + target + "\" -InfPath \"" + source.substr(0, slash + 1) + "\"";
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    const Handle thread(process.hThread);
    const Handle started(process.hProcess);
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (std::strstr(commandLine, "-InfPath") == nullptr) {
        return StartCopyInTemporaryFolder() ? 0 : 1;
    }
    const SolidBrush fill(kFill);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(kTemplateId), nullptr, DialogProc,
                    reinterpret_cast<LPARAM>(fill.get()));
    return 0;
}
