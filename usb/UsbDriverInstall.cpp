#include "usb/UsbDriverInstall.h"

#include "framework/text/StringUtil.h"
#include "platform/registry/RegistryViews.h"
#include "res/Product.h"
#include "res/resource.h"

#include <utility>

namespace usb {

std::optional<std::string> ReadProductFolder(const platform::IRegistry& registry) {
    const auto value = registry_views::ReadFromAny(
        registry, product::RegistryViews(registry), product::CurrentBrand().installKey,
        product::CurrentBrand().folderValue, kProductFolderBufferSize);
    // An empty folder would put the packages at the root of the current drive.
    if (!value || !value->isString || value->text.empty()) {
        return std::nullopt;
    }
    return value->text;
}

DriverPackagePaths FormDriverPackagePaths(const std::string& productFolder) {
    return {productFolder + "\\RKVU021\\ser2pl.inf", productFolder + "\\RKVU031\\RKVU031.inf"};
}

platform::Result<std::vector<std::string>> ChosenPackagePaths(int firstState, int secondState,
                                                              const platform::IRegistry& registry) {
    using Paths = platform::Result<std::vector<std::string>>;
    const bool both = firstState == kChecked && secondState == kChecked;
    const bool firstOnly = firstState == kChecked && secondState == kUnchecked;
    const bool secondOnly = firstState == kUnchecked && secondState == kChecked;
    const bool first = both || firstOnly;
    const bool second = both || secondOnly;
    if (!first && !second) {
        return Paths::Success({});
    }
    const std::optional<std::string> folder = ReadProductFolder(registry);
    if (!folder) {
        return Paths::Failure(platform::errors::kPathNotFound);
    }
    const DriverPackagePaths paths = FormDriverPackagePaths(*folder);
    std::vector<std::string> chosen;
    if (first) {
        chosen.push_back(paths.first);
    }
    if (second) {
        chosen.push_back(paths.second);
    }
    return Paths::Success(std::move(chosen));
}

InstallOutcome InstallDriverPackages(int firstState, int secondState,
                                     const platform::IRegistry& registry,
                                     platform::IDriverStore& driverStore) {
    const auto chosen = ChosenPackagePaths(firstState, secondState, registry);
    if (!chosen) {
        return {InstallOutcome::Kind::Failed, chosen.error.code};
    }
    if (chosen->empty()) {
        return {};
    }
    // The error reported is that of the last installation that failed: a later success must
    // not turn the message into "failed with error: the operation completed successfully".
    bool succeeded = true;
    unsigned long lastError = 0;
    for (const std::string& path : *chosen) {
        if (const platform::Outcome registered = driverStore.RegisterPackage(path); !registered) {
            succeeded = false;
            lastError = registered.error.code;
        }
    }
    if (succeeded) {
        return {InstallOutcome::Kind::Succeeded, 0};
    }
    return {InstallOutcome::Kind::Failed, lastError};
}

std::string FormatErrorMessage(const platform::IStringTable& strings, const std::string& title,
                               const std::string& systemText) {
    return text::FillIn(strings.Load(IDS_BUILTIN_USB_FAILED), {title, systemText});
}

void ShowErrorMessage(const Reporting& reporting, platform::WindowRef owner,
                      const std::string& title, unsigned long code) {
    reporting.ui.ShowMessage(owner,
                             FormatErrorMessage(reporting.strings, title,
                                                reporting.errors.Describe(code, reporting.strings)),
                             std::nullopt, platform::mb::kOk);
}

void ReportOutcome(const InstallOutcome& outcome, const Reporting& reporting,
                   platform::WindowRef owner, const std::string& title,
                   const std::string& successText) {
    switch (outcome.kind) {
    case InstallOutcome::Kind::Nothing:
        break;
    case InstallOutcome::Kind::Succeeded:
        reporting.ui.ShowMessage(owner, successText, std::nullopt, platform::mb::kOk);
        break;
    case InstallOutcome::Kind::Failed:
        ShowErrorMessage(reporting, owner, title, outcome.error);
        break;
    case InstallOutcome::Kind::Declined:
        reporting.ui.ShowMessage(owner, reporting.strings.Load(IDS_BUILTIN_USB_DECLINED),
                                 std::nullopt, platform::mb::kOk);
        break;
    }
}

} // namespace usb
