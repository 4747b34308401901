#include "platform/win32/Win32DriverStore.h"

#include "framework/win32/WideText.h"

#include <windows.h>

#include <setupapi.h>

namespace platform {

Outcome Win32DriverStore::RegisterPackage(const std::string& infPath) {
    // The INF's own folder is the source of the package; the name the system gives the INF
    // in its store is not needed.
    const BOOL result = SetupCopyOEMInfW(text::Wide(infPath).c_str(), nullptr, SPOST_PATH, 0,
                                         nullptr, 0, nullptr, nullptr);
    const DWORD error = GetLastError();
    return RegistrationOutcome(static_cast<int>(result), error);
}

} // namespace platform
