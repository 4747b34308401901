#include "usb/ElevatedRegistration.h"

#include "framework/text/StringUtil.h"
#include "platform/registry/RegistryViews.h"
#include "res/Product.h"

#include <algorithm>
#include <optional>

namespace usb {

Route ChooseRoute(const platform::Elevation& elevation) {
    // Without user account control the process has all the rights its user has: asking the
    // system for more would change nothing.
    return elevation.userAccountControl && !elevation.elevated ? Route::ElevatedCopy
                                                               : Route::InProcess;
}

std::vector<std::string> ChosenSelectors(int firstState, int secondState) {
    const bool both = firstState == kChecked && secondState == kChecked;
    std::vector<std::string> chosen;
    if (both || (firstState == kChecked && secondState == kUnchecked)) {
        chosen.emplace_back(kFirstPackage);
    }
    if (both || (firstState == kUnchecked && secondState == kChecked)) {
        chosen.emplace_back(kSecondPackage);
    }
    return chosen;
}

std::string ElevatedCopyParameters(const std::vector<std::string>& selectors) {
    std::string parameters = std::string("-") + kRegisterPackagesFlag;
    for (const std::string& selector : selectors) {
        parameters += " " + selector;
    }
    return parameters;
}

std::string ElevatedProgramPath(const std::string& launcherDir, const std::string& modulePath) {
    const std::size_t slash = modulePath.find_last_of('\\');
    return launcherDir + (slash == std::string::npos ? modulePath : modulePath.substr(slash + 1));
}

platform::Result<unsigned long> RunHeldElevated(platform::IFileSystem& files,
                                                platform::IProcesses& processes,
                                                platform::WindowRef owner,
                                                const std::string& launcherDir,
                                                const std::string& parameters) {
    const std::string program = ElevatedProgramPath(launcherDir, processes.ModulePath());
    const auto held = files.Hold(launcherDir, program);
    if (!held) {
        return platform::Result<unsigned long>::Failure(held.error.code);
    }
    return processes.RunElevatedAndWait(owner, program, parameters);
}

InstallOutcome OutcomeOfElevatedRun(const platform::Result<unsigned long>& run) {
    if (!run) {
        if (run.error.code == platform::errors::kCancelled) {
            return {InstallOutcome::Kind::Declined, run.error.code};
        }
        return {InstallOutcome::Kind::Failed, run.error.code};
    }
    if (*run == 0) {
        return {InstallOutcome::Kind::Succeeded, 0};
    }
    return {InstallOutcome::Kind::Failed, *run};
}

InstallOutcome InstallDriverPackages(int firstState, int secondState,
                                     const platform::IRegistry& registry,
                                     platform::IDriverStore& driverStore,
                                     const platform::Elevation& elevation,
                                     const ElevatedRunner& runElevated) {
    if (ChooseRoute(elevation) == Route::InProcess) {
        return InstallDriverPackages(firstState, secondState, registry, driverStore);
    }
    // The copy finds the packages itself; the folder is looked for here too, so that a missing
    // product is reported without asking the user for rights first.
    const auto chosen = ChosenPackagePaths(firstState, secondState, registry);
    if (!chosen) {
        return {InstallOutcome::Kind::Failed, chosen.error.code};
    }
    if (chosen->empty()) {
        return {};
    }
    return OutcomeOfElevatedRun(runElevated(ChosenSelectors(firstState, secondState)));
}

std::optional<std::vector<std::string>>
ElevatedPackagePaths(const std::vector<std::string>& arguments, const std::string& productFolder) {
    if (arguments.size() < 2 || arguments.size() > 3 ||
        !text::EqualsNoCase(arguments.front(), std::string("-") + kRegisterPackagesFlag)) {
        return std::nullopt;
    }
    const DriverPackagePaths packages = FormDriverPackagePaths(productFolder);
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& selector = arguments[i];
        const std::string* path = text::EqualsNoCase(selector, kFirstPackage)    ? &packages.first
                                  : text::EqualsNoCase(selector, kSecondPackage) ? &packages.second
                                                                                 : nullptr;
        if (path == nullptr || std::find(paths.begin(), paths.end(), *path) != paths.end()) {
            return std::nullopt;
        }
        paths.push_back(*path);
    }
    return paths;
}

platform::Result<std::string>
ReadProductFolderAsAdministrator(const platform::IRegistry& registry) {
    // In either view of 64-bit Windows, as the menu looks for it, so that the copy registers
    // the packages of the product the menu found.
    const auto value = registry_views::ReadFromAny(
        registry, product::RegistryViews(registry), product::CurrentBrand().installKey,
        product::CurrentBrand().folderValue, kProductFolderBufferSize);
    if (!value || !value->isString || value->text.empty()) {
        return platform::Result<std::string>::Failure(platform::errors::kPathNotFound);
    }
    // Expanded with the environment that the user controls (HKCU\Environment), it would name
    // whatever folder the user chose.
    if (value->expandable) {
        return platform::Result<std::string>::Failure(platform::errors::kAccessDenied);
    }
    return platform::Result<std::string>::Success(value->text);
}

unsigned long RegisterPackagesAsAdministrator(const std::vector<std::string>& arguments,
                                              const platform::IRegistry& registry,
                                              platform::IFileSystem& files,
                                              platform::IDriverStore& driverStore) {
    const auto folder = ReadProductFolderAsAdministrator(registry);
    if (!folder) {
        return folder.error.code;
    }
    const auto paths = ElevatedPackagePaths(arguments, *folder);
    if (!paths) {
        return platform::errors::kAccessDenied;
    }
    // Every file is held before the first is registered: one that cannot be refuses them all.
    std::vector<std::shared_ptr<platform::IHeldFile>> held;
    for (const std::string& path : *paths) {
        const auto hold = files.Hold("", path);
        if (!hold) {
            return platform::errors::kAccessDenied;
        }
        held.push_back(*hold);
    }
    unsigned long lastError = 0;
    for (const std::string& path : *paths) {
        if (const platform::Outcome registered = driverStore.RegisterPackage(path); !registered) {
            // A failure that came without a code must still end the copy with a failure.
            lastError = registered.error.code != 0 ? registered.error.code
                                                   : platform::errors::kAccessDenied;
        }
    }
    return lastError;
}

} // namespace usb
