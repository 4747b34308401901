#pragma once
// The system's store of driver packages: registering a package makes the system find its
// driver when the device is connected.

#include <string>

namespace platform {

struct DriverPackageResult {
    int result = 0;          // what the system returned; only exactly 1 means success
    unsigned long error = 0; // the thread's last error code right after the call
};

class IDriverStore {
public:
    virtual ~IDriverStore() = default;

    // Registers the driver package that the INF file `infPath` describes; the system copies
    // the INF (and the catalog it names) into its own store.
    virtual DriverPackageResult RegisterPackage(const std::string& infPath) = 0;
};

} // namespace platform
