#pragma once
// The parts of the system a menu page reaches: its configuration files, its built-in texts,
// the registry and the user's locale.

#include "platform/Locale.h"
#include "platform/ProfileFile.h"
#include "platform/Registry.h"
#include "platform/StringTable.h"

struct MenuPageServices {
    const platform::IProfileFile& profile;
    const platform::IStringTable& strings;
    const platform::IRegistry& registry;
    const platform::ILocale& locale;
};
