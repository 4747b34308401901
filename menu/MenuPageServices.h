#pragma once
// The parts of the system a menu page reaches: its configuration files, its built-in texts,
// the registry, the user's locale, files and programs, the shell, the user through message
// boxes, and the system's store of driver packages.

#include "platform/DriverStore.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Processes.h"
#include "platform/ProfileFile.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/StringTable.h"
#include "platform/ErrorTexts.h"
#include "platform/UserInterface.h"

struct MenuPageServices {
    const platform::IProfileFile& profile;
    const platform::IStringTable& strings;
    const platform::IRegistry& registry;
    const platform::ILocale& locale;
    platform::IFileSystem& files;
    platform::IProcesses& processes;
    platform::IShell& shell;
    platform::IUserInterface& ui;
    const platform::ISystemErrors& errors;
    platform::IDriverStore& drivers;
};
