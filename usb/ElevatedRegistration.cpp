#include "usb/ElevatedRegistration.h"

#include "framework/StringUtil.h"

#include <algorithm>
#include <optional>

namespace usb {

Route ChooseRoute(const platform::Elevation& elevation) {
    // Without user account control the process has all the rights its user has: asking the
    // system for more would change nothing.
    return elevation.userAccountControl && !elevation.elevated ? Route::ElevatedCopy
                                                               : Route::InProcess;
}

std::string ElevatedCopyParameters(const std::vector<std::string>& infPaths) {
    std::string parameters = std::string("-") + kRegisterPackagesFlag;
    for (const std::string& path : infPaths) {
        parameters += " \"" + path + "\"";
    }
    return parameters;
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
    const auto chosen = ChosenPackagePaths(firstState, secondState, registry);
    if (!chosen) {
        return {InstallOutcome::Kind::Failed, chosen.error.code};
    }
    if (chosen->empty()) {
        return {};
    }
    return OutcomeOfElevatedRun(runElevated(*chosen));
}

bool IsPackageUnderProductFolder(const std::string& infPath, const std::string& productFolder) {
    if (productFolder.empty() || !text::StartsWithNoCase(infPath, productFolder)) {
        return false;
    }
    const std::string rest = infPath.substr(productFolder.size());
    // The folder must end where the path's next step begins, not in the middle of a name.
    if (rest.empty() || (rest.front() != '\\' && productFolder.back() != '\\')) {
        return false;
    }
    if (rest.find_first_of("/:*?\"<>|") != std::string::npos) {
        return false;
    }
    // No step may be "." or "..": the system would resolve it to some other folder.
    std::size_t begin = 0;
    while (begin <= rest.size()) {
        const std::size_t end = std::min(rest.find('\\', begin), rest.size());
        const std::string step = rest.substr(begin, end - begin);
        if (step == "." || step == "..") {
            return false;
        }
        begin = end + 1;
    }
    const std::string extension = ".inf";
    return rest.size() > extension.size() + 1 &&
           text::EqualsNoCase(rest.substr(rest.size() - extension.size()), extension) &&
           rest[rest.size() - extension.size() - 1] != '\\';
}

unsigned long RegisterPackagesAsAdministrator(const std::vector<std::string>& infPaths,
                                              const platform::IRegistry& registry,
                                              const platform::IFileSystem& files,
                                              platform::IDriverStore& driverStore) {
    const std::optional<std::string> folder = ReadProductFolder(registry);
    if (!folder) {
        return platform::errors::kPathNotFound;
    }
    if (infPaths.empty()) {
        return platform::errors::kAccessDenied;
    }
    for (const std::string& path : infPaths) {
        if (!IsPackageUnderProductFolder(path, *folder) || !files.Exists(path)) {
            return platform::errors::kAccessDenied;
        }
    }
    unsigned long lastError = 0;
    for (const std::string& path : infPaths) {
        if (const platform::Outcome registered = driverStore.RegisterPackage(path); !registered) {
            // A failure that came without a code must still end the copy with a failure.
            lastError = registered.error.code != 0 ? registered.error.code
                                                   : platform::errors::kAccessDenied;
        }
    }
    return lastError;
}

} // namespace usb
