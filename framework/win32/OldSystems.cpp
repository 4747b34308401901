// System functions that the C++ runtime imports but that Windows XP does not have. The
// runtime's thread library imports GetTickCount64; defining its import slot here makes the
// program look the function up at run time instead, as it does with every function newer
// than the oldest system it supports, so that XP can load the program.
//
// Linked directly into the program (not through a library) so that the slot is defined before
// the linker reaches the system's import library.

#include <windows.h>

namespace {

ULONGLONG WINAPI TickCount64() {
    using GetTickCount64Fn = ULONGLONG(WINAPI*)();
    static const auto system = reinterpret_cast<GetTickCount64Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
    // XP: the 32-bit count, which wraps after 49 days; the runtime only measures short waits.
    return system != nullptr ? system() : GetTickCount();
}

} // namespace

#if defined(__MINGW32__)
#if defined(__i386__)
#define DISCMENU_IMPORT_SLOT(name, stdcallBytes) "__imp__" #name "@" #stdcallBytes
#else
#define DISCMENU_IMPORT_SLOT(name, stdcallBytes) "__imp_" #name
#endif
extern "C" {
extern ULONGLONG(WINAPI* const discmenu_GetTickCount64)() __asm__(
    DISCMENU_IMPORT_SLOT(GetTickCount64, 0));
ULONGLONG(WINAPI* const discmenu_GetTickCount64)() = TickCount64;
}
#endif
