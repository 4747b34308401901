#pragma once
// Registering driver packages where the system demands administrator rights for it. A process
// that runs without its full rights under user account control hands the chosen packages to
// an elevated copy of the program, which the system starts after asking the user; that copy
// registers nothing but existing INF files under the installed product's folder.

#include "platform/DriverStore.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/SystemError.h"
#include "usb/UsbDriverInstall.h"

#include <functional>
#include <string>
#include <vector>

namespace usb {

// The switch that makes the program an elevated copy registering the INF files that follow it.
inline constexpr char kRegisterPackagesFlag[] = "RegisterPackages";

// Where the chosen packages are registered: here, or by an elevated copy of the program.
enum class Route { InProcess, ElevatedCopy };
Route ChooseRoute(const platform::Elevation& elevation);

// The parameters of the elevated copy for `infPaths`: the switch and each path in quotes.
std::string ElevatedCopyParameters(const std::vector<std::string>& infPaths);

// What the elevated copy's run means for the user: its exit code is 0 after every package
// was registered, or else the error code to report; a run the user declined at the system's
// prompt installed nothing; a run that could not start failed with the system's reason.
InstallOutcome OutcomeOfElevatedRun(const platform::Result<unsigned long>& run);

// Starts the elevated copy for the given INF paths and waits for its exit code.
using ElevatedRunner =
    std::function<platform::Result<unsigned long>(const std::vector<std::string>& infPaths)>;

// The OK button's registration on any system: in this process when it may register
// packages itself, else through `runElevated`. The chosen packages and their failures are
// those of InstallDriverPackages.
InstallOutcome InstallDriverPackages(int firstState, int secondState,
                                     const platform::IRegistry& registry,
                                     platform::IDriverStore& driverStore,
                                     const platform::Elevation& elevation,
                                     const ElevatedRunner& runElevated);

// Whether `infPath` may be registered by the elevated copy: a path under `productFolder`
// (letter case aside) to an INF file, with no parent-folder steps, wildcards or stream names
// that could lead it elsewhere. Existence is checked separately.
bool IsPackageUnderProductFolder(const std::string& infPath, const std::string& productFolder);

// The elevated copy's work: checks every path first and registers nothing unless all are
// existing INF files under the product's folder that the registry names. The exit code: 0
// when every package was registered; "access denied" for a refused path or an empty list,
// "path not found" without the product's folder; otherwise the error of the last failed
// registration.
unsigned long RegisterPackagesAsAdministrator(const std::vector<std::string>& infPaths,
                                              const platform::IRegistry& registry,
                                              const platform::IFileSystem& files,
                                              platform::IDriverStore& driverStore);

} // namespace usb
