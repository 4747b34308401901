// The process entry point: restricts where DLLs may come from, then runs the application
// object's InitInstance.

#include "framework/win32/WinApp.h"

namespace {

// The program runs from the temporary folder, where any other file may lie: DLLs that are
// loaded on demand must come from the system folder only. SetDefaultDllDirectories is not
// present on every system, so it is looked up.
void RestrictDllSearchToSystemFolder() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto setDefault =
        kernel != nullptr ? reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                                GetProcAddress(kernel, "SetDefaultDllDirectories")))
                          : nullptr;
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        // Older systems: at least take the current directory out of the search.
        SetDllDirectoryA("");
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearchToSystemFolder();
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    if (!app->InitInstance()) {
        return app->ExitInstance();
    }
    return app->Run();
}
