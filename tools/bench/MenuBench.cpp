// Measures a real menu page inside this process, on a disc given as the first argument
// (e.g. C:\disc\): what one hover transition costs against plain copies of the same pixels,
// and the process's memory as the page is used; first, where a start's own time goes (with
// `ole-first` as second argument, the OLE initialisation before the process's first window).
// Prints one line per figure:
//
//   part <name> <microseconds>                      once each
//   hover program <microseconds per transition>    one line per round
//   hover bare <microseconds per transition>       one line per round
//   memory <moment> <working set bytes> <private bytes>
//
// A transition moves the pointer from one entry to the next: the page redraws both entries and
// the help strip. The bare transition copies the same three rectangles (two 185 x 37 entries,
// the 597 x 40 help strip) from a memory device context to the window's device context.

#include "framework/win32/ResourceBitmaps.h"
#include "framework/win32/Dpi.h"
#include "framework/win32/Gdi.h"
#include "framework/win32/WinApp.h"
#include "menu/Configuration.h"
#include "menu/Languages.h"
#include "menu/PageLayout.h"
#include "menu/win32/MenuDlg.h"
#include "platform/win32/Win32Platform.h"
#include "res/resource.h"

#include <windows.h>
// After windows.h, which it needs.
#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr int kRounds = 20;
constexpr int kTransitionsPerRound = 50; // 1,000 transitions in all
constexpr int kLanguageChanges = 100;
constexpr int kEnglish = 0;
constexpr int kSpanish = 4;

// The main page, running `script` once its modal loop runs; then it ends.
class BenchPage : public CMenuDlg {
public:
    BenchPage(const std::string& disc, const MenuPageServices& services,
              std::function<int(BenchPage&)> script)
        : CMenuDlg({config::kMainPage, disc, std::nullopt}, nullptr, services),
          m_script(std::move(script)) {}

    HWND Window() const { return m_hWnd; }
    int HotEntry() const { return Page().HotEntry(); }
    int Result() const { return m_result; }
    // The scale of the screen the window is on, at which the page draws.
    layout::Scale Scale() const { return layout::ScaleForDpi(WindowDpi(m_hWnd)); }

    // Entry `index` and the help area, as the sample disc's main page lays them out at the
    // screen's scale.
    geometry::Rect EntryRect(int index) const {
        return layout::EntryRect(layout::EntryColumnLeft(layout::kBackgroundWidth), index,
                                 Scale());
    }
    geometry::Rect HelpArea() const {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        return layout::HelpArea(layout::kBackgroundHeight,
                                {client.left, client.top, client.right, client.bottom},
                                Scale());
    }

    // The pointer at the middle of entry `index`.
    void PointAt(int index) {
        const geometry::Rect entry = EntryRect(index);
        SendMessageA(m_hWnd, WM_MOUSEMOVE, 0,
                     MAKELPARAM((entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2));
    }
    void Choose(int position) {
        SendMessageA(m_comboLanguage, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_COMBO, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(m_comboLanguage.m_hWnd));
    }

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CMenuDlg::OnInitDialog();
        PostMessageA(m_hWnd, WM_APP, 0, 0);
        return result;
    }
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_APP) {
            m_result = m_script(*this);
            EndDialog(IDOK);
            return true;
        }
        return CMenuDlg::OnWndMsg(message, wParam, lParam, result);
    }

private:
    std::function<int(BenchPage&)> m_script;
    int m_result = 1;
};

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    double Microseconds() const {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        return 1e6 * static_cast<double>(now.QuadPart - m_start.QuadPart) /
               static_cast<double>(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency{};
    LARGE_INTEGER m_start{};
};

void PrintMemory(const char* moment) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        std::printf("memory %s %lu %lu\n", moment,
                    static_cast<unsigned long>(counters.WorkingSetSize),
                    static_cast<unsigned long>(counters.PagefileUsage));
    }
}

// Handles whatever the window has queued, painting included.
void DrainMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

RECT ToRect(const geometry::Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The page's transitions between entries 0 and 1, in microseconds per transition.
double PageRound(BenchPage& page) {
    const Stopwatch watch;
    for (int i = 0; i < kTransitionsPerRound; ++i) {
        page.PointAt(i % 2);
    }
    GdiFlush();
    return watch.Microseconds() / kTransitionsPerRound;
}

// The same pixels copied from `memory`, which holds the painted page, in microseconds per
// transition: per transition one window device context, as the page takes for each of its
// drawings.
double BareRound(HWND window, HDC memory, const RECT (&rects)[3]) {
    const Stopwatch watch;
    for (int i = 0; i < kTransitionsPerRound; ++i) {
        const CClientDC dc(window);
        for (const RECT& r : rects) {
            BitBlt(dc.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, memory, r.left,
                   r.top, SRCCOPY);
        }
    }
    GdiFlush();
    return watch.Microseconds() / kTransitionsPerRound;
}

int Measure(BenchPage& page) {
    // The modal loop shows the page only once it runs dry; the measurement needs it on screen.
    ShowWindow(page.Window(), SW_SHOWNORMAL);
    UpdateWindow(page.Window());
    DrainMessages();
    PrintMemory("start");

    RECT client{};
    GetClientRect(page.Window(), &client);
    std::printf("dpi %d\n", page.Scale().dpi);
    const RECT rects[3] = {ToRect(page.EntryRect(0)), ToRect(page.EntryRect(1)),
                           ToRect(page.HelpArea())};
    const CClientDC window(page.Window());
    const CMemoryDC memory(window.get());
    const CBitmap copy(CreateCompatibleBitmap(window.get(), client.right, client.bottom));
    const CObjectSelection selected(memory.get(), copy.get());
    if (!selected || rects[0].right <= rects[0].left || rects[2].bottom <= rects[2].top) {
        std::fprintf(stderr, "the page is not laid out\n");
        return 1;
    }
    BitBlt(memory.get(), 0, 0, client.right, client.bottom, window.get(), 0, 0, SRCCOPY);

    page.PointAt(1); // every timed move is then a move from one entry to the other
    for (int round = 0; round < kRounds; ++round) {
        // Alternating which goes first evens out what the other processes on the machine do.
        if (round % 2 == 0) {
            std::printf("hover program %.2f\n", PageRound(page));
            std::printf("hover bare %.2f\n", BareRound(page.Window(), memory.get(), rects));
        } else {
            std::printf("hover bare %.2f\n", BareRound(page.Window(), memory.get(), rects));
            std::printf("hover program %.2f\n", PageRound(page));
        }
        if (round == 0) {
            PrintMemory("first-round"); // what the first transitions add: caches
        }
    }
    if (page.HotEntry() != 1) {
        std::fprintf(stderr, "the page did not follow the pointer\n");
        return 1;
    }
    PrintMemory("hover");

    for (int i = 0; i < kLanguageChanges; ++i) {
        page.Choose(i % 2 == 0 ? kSpanish : kEnglish);
    }
    PrintMemory("languages");
    return 0;
}

// Where a start-up's time goes before the page shows, each part timed on its own in a fresh
// process (the first of each is what a start pays): the process's first window, which loads
// the display driver, the OLE initialisation for the shell and the manuals' HTML control
// (after that window, or with `oleFirst` before it, where it pays for the driver itself),
// reading the page from the language file, decoding and loading the pictures it draws.
void PrintStartupParts(const std::string& disc, platform::Win32Platform& services, bool oleFirst) {
    HRESULT initialised = E_FAIL;
    const auto initialiseOle = [&] {
        const Stopwatch ole;
        initialised = OleInitialize(nullptr);
        std::printf("part ole %.1f\n", ole.Microseconds());
    };
    if (oleFirst) {
        initialiseOle();
    }
    {
        const Stopwatch window;
        const HWND first = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                           GetModuleHandleA(nullptr), nullptr);
        if (first != nullptr) {
            DestroyWindow(first);
        }
        std::printf("part first-window %.1f\n", window.Microseconds());
    }
    if (!oleFirst) {
        initialiseOle();
    }
    const Stopwatch reading;
    const config::PageContent content =
        config::ReadPage(services.profile, services.strings, config::FilePath(disc, kEnglish),
                         languages::CodePage(kEnglish), config::kMainPage);
    std::printf("part language-file %.1f\n", reading.Microseconds());
    const Stopwatch pictures;
    const HINSTANCE module = GetModuleHandleA(nullptr);
    {
        CBitmap background;
        CPalette palette;
        LoadBackgroundBitmap(module, IDB_BACKGROUND, background, palette);
        for (const UINT id : {IDB_ENTRY_NORMAL, IDB_ENTRY_HOT, IDB_HELP_STRIP}) {
            CPalette facePalette;
            const CBitmap face = LoadBitmapResource(module, id, facePalette);
        }
    }
    std::printf("part pictures %.1f\n", pictures.Microseconds());
    if (SUCCEEDED(initialised)) {
        OleUninitialize();
    }
    if (content.items.empty()) {
        std::fprintf(stderr, "the language file gave no entries\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "ole-first") != 0)) {
        std::fprintf(stderr,
                     "usage: MenuBench <disc directory ending in a backslash> [ole-first]\n");
        return 2;
    }
    CWinApp app;
    app.SetDialogBkColor(RGB(255, 255, 255), RGB(0, 0, 0)); // as the program does
    platform::Win32Platform services(app.GetAppName(), "discmenu.MenuBench");
    PrintStartupParts(argv[1], services, argc == 3);
    BenchPage page(argv[1], services.Menu(), Measure);
    if (const INT_PTR shown = page.DoModal(); shown != IDOK) {
        std::fprintf(stderr, "the page did not run (%d, error %lu)\n", static_cast<int>(shown),
                     GetLastError());
        return 1;
    }
    std::fflush(stdout);
    return page.Result();
}
