// A probe that end-to-end tests run under Wine beside the program under test (same prefix,
// same desktop) to look at and answer its windows and to read system state:
//
//   winprobe wait <caption> [timeout-ms]   wait for a visible top-level window; print it
//   winprobe gone <caption> [timeout-ms]   wait until no such window is left
//   winprobe windows                       list the visible top-level windows
//   winprobe texts <caption>               the texts of the window's child controls
//   winprobe press <caption> <control-id>  click a button of the window
//   winprobe close <caption>               ask the window to close
//   winprobe post <caption> <msg> <wparam> post a message (numbers in decimal or 0x hex)
//   winprobe checked <caption> <id>        the check state of a button: 0, 1 or 2
//   winprobe cmdlines <exe-name>           command lines of running processes of that name
//   winprobe cwds <exe-name>               their current directories
//   winprobe gui <caption>                 the active, focus and capture windows of its thread
//   winprobe gdi <pid>                     how many drawing objects the process holds
//   winprobe atom-find|atom-add|atom-delete <name>
//   winprobe accessible <caption>          the client area's accessible children as a screen
//                                          reader reads them, across processes: one line each,
//                                          role state "name" left top right bottom
//   winprobe temp                          the temporary folder
//   winprobe squat <mutex> <property>      what any program of the session can do: hold the
//                                          mutex and show a minimised window "Squatter"
//                                          carrying the window property, until it is closed
//   winprobe run-alone <command-line>      run a program that may start no other process
//   winprobe launch <x> <y> <rrggbb> <timeout-ms> <command-line>
//                                          start a program and wait until the screen pixel
//                                          (x, y) shows the colour; print the seconds from the
//                                          start to then, close the window there and wait for
//                                          its process and the started one to end
//
// A window line reads: hwnd pid "caption" class client-left client-top client-width
// client-height style exstyle window-left window-top window-right window-bottom (screen
// coordinates). A control line reads: id class state "text" left top right bottom (client
// coordinates of its window; state 0 hidden, 1 enabled, 2 disabled; in the text, \\, \r and
// \n stand for a backslash and the line breaks). Exit code 0 on success,
// 1 when not found or timed out.

#include <windows.h>
// After windows.h, which they need.
#include <oleacc.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Found {
    std::string caption;
    std::vector<HWND> windows;
};

// Texts go in and out as UTF-8, whatever the code page of the system.
std::string Utf8(const std::wstring& wide) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), size, nullptr, nullptr);
    return text.c_str();
}

// The text the system keeps for the window, read without a message: asking its length sends
// WM_GETTEXTLENGTH, which waits for as long as the window's thread is busy.
std::string WindowText(HWND hwnd) {
    for (int size = 256;; size *= 2) {
        std::wstring text(static_cast<std::size_t>(size), L'\0');
        const int copied = InternalGetWindowText(hwnd, text.data(), size);
        if (copied < size - 1) {
            return Utf8(text);
        }
    }
}

std::string ClassName(HWND hwnd) {
    char name[256] = {}; // window class names are at most 256 characters
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    if (IsWindowVisible(hwnd) && (found->caption.empty() || WindowText(hwnd) == found->caption)) {
        found->windows.push_back(hwnd);
    }
    return TRUE;
}

std::vector<HWND> FindWindows(const std::string& caption) {
    Found found{caption, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

HWND WaitForWindow(const std::string& caption, DWORD timeoutMs) {
    // "#<handle>" names one window by its handle.
    if (caption.size() > 1 && caption[0] == '#') {
        HWND hwnd = reinterpret_cast<HWND>(
            static_cast<std::uintptr_t>(std::strtoull(caption.c_str() + 1, nullptr, 16)));
        return IsWindow(hwnd) ? hwnd : nullptr;
    }
    const DWORD start = GetTickCount();
    for (;;) {
        const auto windows = FindWindows(caption);
        if (!windows.empty()) {
            return windows.front();
        }
        if (GetTickCount() - start > timeoutMs) {
            return nullptr;
        }
        Sleep(50);
    }
}

void PrintWindow(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    RECT window{};
    GetWindowRect(hwnd, &window);
    std::printf("%p %lu \"%s\" %s %ld %ld %ld %ld %08lx %08lx %ld %ld %ld %ld\n",
                static_cast<void*>(hwnd), pid, WindowText(hwnd).c_str(), ClassName(hwnd).c_str(),
                origin.x, origin.y, client.right - client.left, client.bottom - client.top,
                static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_EXSTYLE)), window.left,
                window.top, window.right, window.bottom);
}

// The text a control shows; for a drop-down list, the selected entry.
std::string ControlText(HWND hwnd) {
    if (lstrcmpiA(ClassName(hwnd).c_str(), "ComboBox") != 0) {
        return WindowText(hwnd);
    }
    const LRESULT selection = SendMessageA(hwnd, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR) {
        return {};
    }
    // Asked in UTF-16: text that crosses processes is not converted for ANSI callers.
    const LRESULT length = SendMessageW(hwnd, CB_GETLBTEXTLEN, selection, 0);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd, CB_GETLBTEXT, selection, reinterpret_cast<LPARAM>(wide.data()));
    return Utf8(wide);
}

// One line per control: backslashes and line breaks of a text are written as escapes.
std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c == '\\' ? "\\\\" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    }
    return escaped;
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM parent) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%d %s %d \"%s\" %ld %ld %ld %ld\n", GetDlgCtrlID(hwnd), ClassName(hwnd).c_str(),
                IsWindowVisible(hwnd) ? (IsWindowEnabled(hwnd) ? 1 : 2) : 0,
                Escaped(ControlText(hwnd)).c_str(), rect.left, rect.top, rect.right, rect.bottom);
    return TRUE;
}

// A text of another process's parameters, read from its memory.
std::string RemoteText(HANDLE process, const UNICODE_STRING& text) {
    std::wstring wide(text.Length / sizeof(wchar_t), L'\0');
    return ReadProcessMemory(process, text.Buffer, wide.data(), text.Length, nullptr) ? Utf8(wide)
                                                                                      : "";
}

// The command line of process `pid`, or its current directory.
std::string ProcessParameter(DWORD pid, bool currentDirectory) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) {
        return {};
    }
    std::string result;
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) == 0 &&
        ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
        ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters,
                          nullptr)) {
        // The current directory's path follows the console and the three standard handles,
        // in the part of the parameters that the public header leaves unnamed.
        const auto* directory = reinterpret_cast<const UNICODE_STRING*>(&parameters.Reserved2[5]);
        result = RemoteText(process, currentDirectory ? *directory : parameters.CommandLine);
    }
    CloseHandle(process);
    return result;
}

int ProcessParameters(const std::string& exeName, bool currentDirectory) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0) {
            std::printf("%lu %s\n", entry.th32ProcessID,
                        ProcessParameter(entry.th32ProcessID, currentDirectory).c_str());
            ++count;
        }
    }
    CloseHandle(snapshot);
    return count > 0 ? 0 : 1;
}

// One entry of the table of drawing objects the system keeps in each process and points to
// from the process environment block; a type of 0 marks a free entry.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};

constexpr std::size_t kGdiHandleCount = 0x10000;
constexpr std::size_t kPeb64GdiTableOffset = 0xF8;

// The address of the table: in the 64-bit environment block of the process. A 32-bit process
// under WoW64 has a 32-bit block whose table field Wine leaves empty; Wine keeps the process's
// 64-bit block in the page below it.
std::uint64_t GdiTableAddress(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0) {
        return 0;
    }
    const char* peb64 = static_cast<const char*>(static_cast<void*>(basic.PebBaseAddress));
    BOOL wow64 = FALSE;
    if (sizeof(void*) == 4 && IsWow64Process(process, &wow64) && wow64) {
        peb64 -= 0x1000;
    }
    std::uint64_t table = 0;
    return ReadProcessMemory(process, peb64 + kPeb64GdiTableOffset, &table, sizeof table, nullptr)
               ? table
               : 0;
}

// Counted from the process's handle table, because the system's own count (GetGuiResources)
// is not kept by every system the tests run on.
long GdiObjectCount(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) {
        return -1;
    }
    long count = -1;
    const std::uint64_t table = GdiTableAddress(process);
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (table != 0 &&
        ReadProcessMemory(process,
                          reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table)),
                          entries.data(), entries.size() * sizeof(GdiHandleEntry), nullptr)) {
        count = 0;
        for (const GdiHandleEntry& entry : entries) {
            count += entry.type != 0 ? 1 : 0;
        }
    }
    CloseHandle(process);
    return count;
}

// Runs `commandLine` in a job that allows one process only, so that every process it tries to
// start fails to start, and waits for it.
int RunAlone(const std::string& commandLine) {
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_ACTIVE_PROCESS;
    limits.BasicLimitInformation.ActiveProcessLimit = 1;
    if (job == nullptr ||
        !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        return 1;
    }
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &process)) {
        return 1;
    }
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(job);
    return static_cast<int>(exitCode);
}

// Whether two colours differ by at most 4 in each channel.
bool NearColour(COLORREF a, COLORREF b) {
    const auto within = [](int x, int y) { return x - y <= 4 && y - x <= 4; };
    return within(GetRValue(a), GetRValue(b)) && within(GetGValue(a), GetGValue(b)) &&
           within(GetBValue(a), GetBValue(b));
}

// Owns a kernel handle (a process or thread) and closes it.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle = nullptr) : m_handle(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() {
        if (m_handle != nullptr) {
            CloseHandle(m_handle);
        }
    }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The device context of the whole screen, for as long as it lives.
class ScreenDC {
public:
    ScreenDC() : m_dc(GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() { ReleaseDC(nullptr, m_dc); }
    COLORREF Pixel(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
};

COLORREF ScreenPixel(int x, int y) {
    return ScreenDC().Pixel(x, y);
}

double SecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Holds the mutex `mutex` and shows a minimised window carrying the property `property`, as a
// program other than the menu may; prints "ready" once both are there, then runs until the
// window is closed.
int Squat(const std::string& mutex, const std::string& property) {
    HANDLE held = CreateMutexA(nullptr, TRUE, mutex.c_str());
    if (held == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) {
        return 1;
    }
    HWND window = CreateWindowExA(0, "STATIC", "Squatter", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        return 1;
    }
    SetPropA(window, property.c_str(), reinterpret_cast<HANDLE>(1));
    ShowWindow(window, SW_SHOWMINIMIZED);
    std::printf("ready\n");
    std::fflush(stdout);
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_CLOSE ||
            (message.hwnd == window && message.message == WM_SYSCOMMAND &&
             (message.wParam & 0xFFF0) == SC_CLOSE)) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    CloseHandle(held);
    return 0;
}

// Starts `commandLine` and polls the screen until the pixel (x, y) shows `colour`: the time
// from the start of a program to its window being painted, measured the same way for any
// program. Then closes the window found there and waits for its process, and for the started
// one (which may be another, when the program starts a copy of itself), to end.
int LaunchUntilPainted(int x, int y, COLORREF colour, DWORD timeoutMs,
                       const std::string& commandLine) {
    // The window of a run before must be off the screen first.
    const DWORD clearing = GetTickCount();
    while (NearColour(ScreenPixel(x, y), colour)) {
        if (GetTickCount() - clearing > timeoutMs) {
            return 1;
        }
        Sleep(10);
    }
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 1;
    }
    const OwnedHandle started(process.hProcess);
    const OwnedHandle thread(process.hThread);
    bool painted = false;
    while (!(painted = NearColour(ScreenPixel(x, y), colour)) &&
           SecondsSince(start) * 1000 < timeoutMs) {
        Sleep(1);
    }
    const double seconds = SecondsSince(start);
    if (painted) {
        // Written at once: a trace of the start (make bench) takes this write as the moment
        // the page showed.
        std::printf("%.4f\n", seconds);
        std::fflush(stdout);
        HWND window = GetAncestor(WindowFromPoint(POINT{x, y}), GA_ROOT);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        const OwnedHandle shown(OpenProcess(SYNCHRONIZE, FALSE, pid));
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (shown.get() != nullptr) {
            WaitForSingleObject(shown.get(), timeoutMs);
        }
    }
    WaitForSingleObject(started.get(), timeoutMs);
    return painted ? 0 : 1;
}

// The accessible children of the window's client area, read through the system's proxy as a
// screen reader in another process reads them (a 64-bit reader of a 32-bit program, say): each
// child by its number, as the simple elements that the page's entries are.
int PrintAccessibleChildren(HWND hwnd) {
    if (FAILED(CoInitialize(nullptr))) {
        std::fprintf(stderr, "CoInitialize failed\n");
        return 1;
    }
    IAccessible* page = nullptr;
    const HRESULT found =
        AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&page));
    long count = 0;
    const HRESULT counted =
        found == S_OK && page != nullptr ? page->get_accChildCount(&count) : E_FAIL;
    if (counted != S_OK) {
        std::fprintf(stderr, "AccessibleObjectFromWindow: 0x%08lx, get_accChildCount: 0x%08lx\n",
                     static_cast<unsigned long>(found), static_cast<unsigned long>(counted));
    }
    for (long id = 1; counted == S_OK && id <= count; ++id) {
        VARIANT child;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = id;
        VARIANT value;
        VariantInit(&value);
        long role = 0, state = 0;
        if (page->get_accRole(child, &value) == S_OK && value.vt == VT_I4) {
            role = value.lVal;
        }
        VariantClear(&value);
        if (page->get_accState(child, &value) == S_OK && value.vt == VT_I4) {
            state = value.lVal;
        }
        VariantClear(&value);
        BSTR name = nullptr;
        std::string text;
        if (page->get_accName(child, &name) == S_OK && name != nullptr) {
            text = Utf8(name);
            SysFreeString(name);
        }
        long left = 0, top = 0, width = 0, height = 0;
        page->accLocation(&left, &top, &width, &height, child);
        std::printf("%ld %lx \"%s\" %ld %ld %ld %ld\n", role, state, text.c_str(), left, top,
                    left + width, top + height);
    }
    if (page != nullptr) {
        page->Release();
    }
    CoUninitialize();
    return counted == S_OK ? 0 : 1;
}

DWORD Timeout(int argc, char** argv, int index) {
    return argc > index ? static_cast<DWORD>(std::strtoul(argv[index], nullptr, 10)) : 10000;
}

} // namespace

int Run(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: winprobe command [arguments]\n");
        return 2;
    }
    const std::string command = argv[1];
    const std::string argument = argc > 2 ? argv[2] : "";
    if (command == "windows") {
        for (HWND hwnd : FindWindows("")) {
            PrintWindow(hwnd);
        }
        return 0;
    }
    if (command == "wait") {
        HWND hwnd = WaitForWindow(argument, Timeout(argc, argv, 3));
        if (hwnd == nullptr) {
            return 1;
        }
        PrintWindow(hwnd);
        return 0;
    }
    if (command == "gone") {
        const DWORD start = GetTickCount();
        while (!FindWindows(argument).empty()) {
            if (GetTickCount() - start > Timeout(argc, argv, 3)) {
                return 1;
            }
            Sleep(50);
        }
        return 0;
    }
    if (command == "checked" && argc > 3) {
        HWND hwnd = WaitForWindow(argument, 5000);
        HWND button = hwnd != nullptr ? GetDlgItem(hwnd, std::atoi(argv[3])) : nullptr;
        if (button == nullptr) {
            return 1;
        }
        std::printf("%ld\n", static_cast<long>(SendMessageA(button, BM_GETCHECK, 0, 0)));
        return 0;
    }
    if (command == "post" && argc > 4) {
        HWND hwnd = WaitForWindow(argument, 5000);
        if (hwnd == nullptr) {
            return 1;
        }
        PostMessageA(hwnd, static_cast<UINT>(std::strtoul(argv[3], nullptr, 0)),
                     static_cast<WPARAM>(std::strtoull(argv[4], nullptr, 0)), 0);
        return 0;
    }
    if (command == "texts" || command == "press" || command == "close") {
        HWND hwnd = WaitForWindow(argument, 5000);
        if (hwnd == nullptr) {
            return 1;
        }
        if (command == "texts") {
            EnumChildWindows(hwnd, PrintChild, reinterpret_cast<LPARAM>(hwnd));
        } else if (command == "close") {
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        } else {
            const int id = argc > 3 ? std::atoi(argv[3]) : IDOK;
            HWND button = GetDlgItem(hwnd, id);
            if (button == nullptr) {
                return 1;
            }
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        return 0;
    }
    if (command == "cmdlines" || command == "cwds") {
        return ProcessParameters(argument, command == "cwds");
    }
    if (command == "gui") {
        HWND hwnd = WaitForWindow(argument, 5000);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (hwnd == nullptr || !GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info)) {
            return 1;
        }
        for (HWND shown : {info.hwndActive, info.hwndFocus, info.hwndCapture}) {
            std::printf("%p %s \"%s\"\n", static_cast<void*>(shown),
                        shown ? ClassName(shown).c_str() : "-",
                        shown ? WindowText(shown).c_str() : "");
        }
        return 0;
    }
    if (command == "gdi") {
        const long count =
            GdiObjectCount(static_cast<DWORD>(std::strtoul(argument.c_str(), nullptr, 10)));
        if (count < 0) {
            return 1;
        }
        std::printf("%ld\n", count);
        return 0;
    }
    if (command == "atom-find") {
        const ATOM atom = GlobalFindAtomA(argument.c_str());
        std::printf("%u\n", atom);
        return atom != 0 ? 0 : 1;
    }
    if (command == "atom-add") {
        std::printf("%u\n", GlobalAddAtomA(argument.c_str()));
        return 0;
    }
    if (command == "atom-delete") {
        GlobalDeleteAtom(GlobalFindAtomA(argument.c_str()));
        return 0;
    }
    if (command == "squat" && argc > 3) {
        return Squat(argv[2], argv[3]);
    }
    if (command == "accessible") {
        HWND hwnd = WaitForWindow(argument, 5000);
        return hwnd != nullptr ? PrintAccessibleChildren(hwnd) : 1;
    }
    if (command == "temp") {
        wchar_t path[MAX_PATH + 1] = {}; // the longest temporary folder the call gives
        GetTempPathW(MAX_PATH + 1, path);
        std::printf("%s\n", Utf8(path).c_str());
        return 0;
    }
    if (command == "run-alone") {
        return RunAlone(argument);
    }
    if (command == "launch" && argc > 6) {
        const unsigned long rgb = std::strtoul(argv[4], nullptr, 16);
        return LaunchUntilPainted(std::atoi(argv[2]), std::atoi(argv[3]),
                                  RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF),
                                  Timeout(argc, argv, 5), argv[6]);
    }
    std::fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}

// The arguments as UTF-8: the C runtime would give them in the system's code page.
int main() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(Utf8(wide[i]));
    }
    LocalFree(wide);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return Run(count, argv.data());
}
