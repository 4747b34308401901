#pragma once
// The system's store of driver packages: registering a package makes the system find its
// driver when the device is connected.

#include "platform/Outcome.h"

#include <string>

namespace platform {

class IDriverStore {
public:
    virtual ~IDriverStore() = default;

    // Registers the driver package that the INF file `infPath` describes; the system copies
    // the INF (and the catalog it names) into its own store. A failure carries the thread's
    // last error code right after the call.
    virtual Outcome RegisterPackage(const std::string& infPath) = 0;
};

// What the system's answer `result` to a registration means: only exactly 1 is success (any
// other value, true or not, is a failure with `error`).
inline Outcome RegistrationOutcome(int result, unsigned long error) {
    return result == 1 ? Outcome::Success() : Outcome::Failure(error);
}

} // namespace platform
