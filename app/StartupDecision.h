#pragma once
// The start-up decision: a start from the medium copies the program into a folder of its own in
// the temporary folder and starts the copy with the medium's directory, so that the disc can be
// changed while the menu stays open; a start beside a running menu brings that menu to the
// front; a start with the directory, or one whose copy cannot be made or started, shows the
// menu.

#include "platform/AtomTable.h"
#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"
#include "platform/Processes.h"
#include "platform/UserInterface.h"

#include <optional>
#include <string>

// Marks a running menu system-wide; other programs may look for it.
inline constexpr char kInstanceAtomName[] = "__ORMIX_INSTALLER_ATOM__";

// Whether `name` is the name of a folder that the program made in the temporary folder.
bool IsCopyFolderName(const std::string& name);

// Whether a start removes the folder `name` of the temporary folder, as the system describes it
// (`facts`): a folder named as the program names its own, that is no link and that this user
// owns. A folder that cannot be inspected, and anything else, is left alone.
bool IsEarlierCopyToRemove(const std::string& name,
                           const platform::Result<platform::FolderFacts>& facts);

struct StartupServices {
    platform::IAtomTable& atoms;
    platform::IFileSystem& files;
    platform::IProcesses& processes;
    platform::IUserInterface& ui;
    platform::IInstanceLock& instance;
    // The mark of the running menu's main window, through which a later start finds it.
    std::string mainWindowMark;
};

// The launcher directory when this process shall show the menu; empty when it shall end (after
// relaunching the copy, or bringing the running menu forward).
std::optional<std::string> DecideStartup(StartupServices& services);
