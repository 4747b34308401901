#pragma once
// The parts of the system the documentation viewer reaches: the shell that opens documents,
// message boxes, the built-in texts and the find-file search for the manuals list page.

#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/StringTable.h"
#include "platform/UserInterface.h"

struct DocumentServices {
    platform::IShell& shell;
    platform::IUserInterface& ui;
    const platform::IStringTable& strings;
    const platform::IFileSystem& files;
};
