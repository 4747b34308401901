#pragma once
// The start-up decision: a start from the medium copies the program into the temporary folder
// and starts the copy with the medium's directory, so that the disc can be changed while the
// menu stays open; a start beside a running menu ends silently; a start with the directory
// shows the menu.

#include "platform/AtomTable.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/UserInterface.h"

#include <optional>
#include <string>

// Marks a running menu system-wide; other programs may look for it.
inline constexpr char kInstanceAtomName[] = "__ORMIX_INSTALLER_ATOM__";

struct StartupServices {
    platform::IAtomTable& atoms;
    platform::IFileSystem& files;
    platform::IProcesses& processes;
    platform::IUserInterface& ui;
};

// The launcher directory when this process shall show the menu; empty when it shall end
// (after relaunching the copy, or reporting why it could not).
std::optional<std::string> DecideStartup(StartupServices& services);
