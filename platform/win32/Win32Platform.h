#pragma once
// The Win32 implementations of every platform interface the program uses, made once for the
// process: the program, its Wine tests and the benchmark all take the services of their pages
// from here.

#include "menu/MenuPageServices.h"
#include "platform/profile/ProfileReader.h"
#include "platform/win32/Win32AtomTable.h"
#include "platform/win32/Win32DriverStore.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32InstanceLock.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32StringTable.h"
#include "platform/win32/Win32SystemErrors.h"
#include "platform/win32/Win32UserInterface.h"

#include <string>

namespace platform {

struct Win32Platform {
    // `appName` captions the message boxes that have none of their own; `lockName` names the
    // lock of the running menu.
    Win32Platform(std::string appName, std::string lockName);
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // What a menu page reaches, opening documents and links through `shell` (by default the
    // system's).
    MenuPageServices Menu();
    MenuPageServices Menu(IShell& shell);

    Win32AtomTable atoms;
    Win32InstanceLock instance;
    Win32FileSystem files;
    Win32Processes processes;
    Win32UserInterface ui;
    ProfileReader profile;
    Win32StringTable strings;
    Win32Registry registry;
    Win32Locale locale;
    Win32Shell shell;
    Win32SystemErrors errors{strings};
    Win32DriverStore drivers;
};

} // namespace platform
