#pragma once
// What the OK button of the USB driver dialog does: read the installed product's folder from
// the registry, register the driver packages whose check boxes are set, and report the
// outcome in a message box.

#include "platform/DriverStore.h"
#include "platform/Registry.h"
#include "platform/StringTable.h"
#include "platform/ErrorTexts.h"
#include "platform/UserInterface.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace usb {

// Check box states, as BM_GETCHECK gives them.
constexpr int kUnchecked = 0;
constexpr int kChecked = 1;

// The installed product's folder (the brand's folderValue) is read into a buffer of this size.
constexpr std::size_t kProductFolderBufferSize = 100;

// The product's folder as the registry holds it; empty when the value is missing, is not a
// string, is an empty string or does not fit the buffer with its terminating zero.
std::optional<std::string> ReadProductFolder(const platform::IRegistry& registry);

// The INF files of the two packages under `productFolder`, used as it is: a backslash at its
// end gives a doubled one, which the system accepts.
struct DriverPackagePaths {
    std::string first;  // RKVA panels
    std::string second; // RKVB panels
};
DriverPackagePaths FormDriverPackagePaths(const std::string& productFolder);

struct InstallOutcome {
    // Declined: the user refused the system's request for administrator rights.
    enum class Kind { Nothing, Succeeded, Failed, Declined };
    Kind kind = Kind::Nothing;
    unsigned long error = 0; // when failed: the error code to report
};

// The INF files of the chosen packages: the first, the second, or both in this order; other
// states than both, first only or second only choose nothing. Without the product's folder the
// result is a failure with "path not found" (an empty list when nothing was chosen).
platform::Result<std::vector<std::string>> ChosenPackagePaths(int firstState, int secondState,
                                                              const platform::IRegistry& registry);

// Registers the chosen packages: the first, the second, or both in this order (both are
// always attempted). Success only when every registration returned exactly 1; a failure
// reports the error code of the last registration that failed. Other states than both, first only
// or second only register nothing. Without the product's folder nothing is registered and, when a
// package was chosen, the failure is "path not found".
InstallOutcome InstallDriverPackages(int firstState, int secondState,
                                     const platform::IRegistry& registry,
                                     platform::IDriverStore& driverStore);

// What the dialog reports through: message boxes, the built-in texts, the system's texts for
// its error codes.
struct Reporting {
    platform::IUserInterface& ui;
    const platform::IStringTable& strings;
    const platform::ISystemErrors& errors;
};

// "<title> failed with error: <system text>" (the built-in text), the system's text as it
// comes.
std::string FormatErrorMessage(const platform::IStringTable& strings, const std::string& title,
                               const std::string& systemText);

// Shows the message of error `code` in a message box owned by `owner`, without caption.
void ShowErrorMessage(const Reporting& reporting, platform::WindowRef owner,
                      const std::string& title, unsigned long code);

// Shows the outcome: `successText` after a success, the error message after a failure, the
// built-in text that nothing was installed after a declined request for administrator rights,
// nothing when nothing was chosen.
void ReportOutcome(const InstallOutcome& outcome, const Reporting& reporting,
                   platform::WindowRef owner, const std::string& title,
                   const std::string& successText);

} // namespace usb
