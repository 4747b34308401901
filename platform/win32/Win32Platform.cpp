#include "platform/win32/Win32Platform.h"

#include <utility>

namespace platform {

Win32Platform::Win32Platform(std::string appName, std::string lockName)
    : instance(std::move(lockName)), ui(std::move(appName)) {}

MenuPageServices Win32Platform::Menu() {
    return Menu(shell);
}

MenuPageServices Win32Platform::Menu(IShell& opener) {
    return {profile, strings, registry, locale, files, processes, opener, ui, errors, drivers};
}

} // namespace platform
