#include "usb/UsbDriverInstall.h"

#include "framework/StringUtil.h"
#include "res/Product.h"
#include "res/resource.h"

namespace usb {

std::optional<std::string> ReadProductFolder(const platform::IRegistry& registry) {
    const auto value =
        registry.ReadValue(product::kInstallKey, product::kFolderValue, kProductFolderBufferSize);
    // An empty folder would put the packages at the root of the current drive.
    if (!value || !value->isString || value->text.empty()) {
        return std::nullopt;
    }
    return value->text;
}

DriverPackagePaths FormDriverPackagePaths(const std::string& productFolder) {
    return {productFolder + "\\RKVU021\\ser2pl.inf", productFolder + "\\RKVU031\\RKVU031.inf"};
}

InstallOutcome InstallDriverPackages(int firstState, int secondState,
                                     const platform::IRegistry& registry,
                                     platform::IDriverStore& driverStore) {
    const std::optional<std::string> folder = ReadProductFolder(registry);
    const bool both = firstState == kChecked && secondState == kChecked;
    const bool firstOnly = firstState == kChecked && secondState == kUnchecked;
    const bool secondOnly = firstState == kUnchecked && secondState == kChecked;
    const bool first = both || firstOnly;
    const bool second = both || secondOnly;
    if (!first && !second) {
        return {};
    }
    if (!folder) {
        return {InstallOutcome::Kind::Failed, platform::errors::kPathNotFound};
    }
    const DriverPackagePaths paths = FormDriverPackagePaths(*folder);
    // The error reported is that of the last installation that failed: a later success must
    // not turn the message into "failed with error: the operation completed successfully".
    bool succeeded = true;
    unsigned long lastError = 0;
    const auto install = [&](const std::string& path) {
        if (const platform::Outcome registered = driverStore.RegisterPackage(path); !registered) {
            succeeded = false;
            lastError = registered.error.code;
        }
    };
    if (first) {
        install(paths.first);
    }
    if (second) {
        install(paths.second);
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
    reporting.ui.ShowMessage(
        owner, FormatErrorMessage(reporting.strings, title, reporting.errors.Describe(code)),
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
    }
}

} // namespace usb
