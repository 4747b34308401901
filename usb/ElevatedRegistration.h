#pragma once
// Registering driver packages where the system demands administrator rights for it. A process
// that runs without its full rights under user account control hands the chosen packages to
// an elevated copy of the program, which the system starts after asking the user. That copy is
// told only which of the two packages to register; it finds them itself under the product's
// folder that HKLM names, and registers nothing a standard user could have put in their place.

#include "platform/DriverStore.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Outcome.h"
#include "usb/UsbDriverInstall.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace usb {

// The switch that makes the program an elevated copy registering the packages that follow it,
// each named by its selector.
inline constexpr char kRegisterPackagesFlag[] = "RegisterPackages";
inline constexpr char kFirstPackage[] = "first";
inline constexpr char kSecondPackage[] = "second";

// Where the chosen packages are registered: here, or by an elevated copy of the program.
enum class Route { InProcess, ElevatedCopy };
Route ChooseRoute(const platform::Elevation& elevation);

// The selectors of the chosen packages: the first, the second, or both in this order; other
// states than both, first only or second only choose nothing.
std::vector<std::string> ChosenSelectors(int firstState, int secondState);

// The parameters of the elevated copy for `selectors`: the switch and each selector.
std::string ElevatedCopyParameters(const std::vector<std::string>& selectors);

// The program that is started elevated: the disc's own (`launcherDir`, ending in a backslash)
// of the name of this process's program file (`modulePath`), never the copy in the temporary
// folder, which the user can change.
std::string ElevatedProgramPath(const std::string& launcherDir, const std::string& modulePath);

// What the elevated copy's run means for the user: its exit code is 0 after every package
// was registered, or else the error code to report; a run the user declined at the system's
// prompt installed nothing; a run that could not start failed with the system's reason.
InstallOutcome OutcomeOfElevatedRun(const platform::Result<unsigned long>& run);

// Starts the elevated copy for the given selectors and waits for its exit code.
using ElevatedRunner =
    std::function<platform::Result<unsigned long>(const std::vector<std::string>& selectors)>;

// Starts `program` elevated with `parameters` and waits for its exit code, holding the program
// file against changes from before the start until it has ended, so that what the user consents
// to is what runs. A program that cannot be held is not started (the hold's failure).
platform::Result<unsigned long> RunHeldElevated(platform::IFileSystem& files,
                                                platform::IProcesses& processes,
                                                platform::WindowRef owner,
                                                const std::string& launcherDir,
                                                const std::string& parameters);

// The OK button's registration on any system: in this process when it may register
// packages itself, else through `runElevated`. The chosen packages and their failures are
// those of InstallDriverPackages.
InstallOutcome InstallDriverPackages(int firstState, int secondState,
                                     const platform::IRegistry& registry,
                                     platform::IDriverStore& driverStore,
                                     const platform::Elevation& elevation,
                                     const ElevatedRunner& runElevated);

// The INF files the elevated copy registers for its arguments (`arguments`: every argument
// after the program's path), under `productFolder`: only the switch followed by one or two
// selectors, each package at most once, in the order given. Nothing (a refusal) for anything
// else: a path, an unknown or repeated selector, another argument before or after them.
std::optional<std::vector<std::string>>
ElevatedPackagePaths(const std::vector<std::string>& arguments, const std::string& productFolder);

// The product's folder as the elevated copy reads it: as ReadProductFolder, but a value stored
// to be expanded (REG_EXPAND_SZ) is refused, since the copy's environment is the user's.
platform::Result<std::string> ReadProductFolderAsAdministrator(const platform::IRegistry& registry);

// The elevated copy's work. Registers nothing unless its arguments are accepted and every INF
// file they select can be held (no link on its way, a plain file); each is registered while
// held, so that nothing can be put in its place in between. The exit code: 0 when every
// package was registered; "access denied" for refused arguments, an expandable folder or a file
// that cannot be held; "path not found" without the product's folder; otherwise the error of
// the last failed registration.
unsigned long RegisterPackagesAsAdministrator(const std::vector<std::string>& arguments,
                                              const platform::IRegistry& registry,
                                              platform::IFileSystem& files,
                                              platform::IDriverStore& driverStore);

} // namespace usb
