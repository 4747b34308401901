#pragma once
// A driver store that records the INF files it is given and answers with a result set per
// file: success (1, error 0) unless told otherwise.

#include "platform/DriverStore.h"

#include <map>
#include <string>
#include <vector>

namespace fakes {

class FakeDriverStore : public platform::IDriverStore {
public:
    platform::DriverPackageResult RegisterPackage(const std::string& infPath) override {
        registered.push_back(infPath);
        const auto found = results.find(infPath);
        return found != results.end() ? found->second : platform::DriverPackageResult{1, 0};
    }

    std::map<std::string, platform::DriverPackageResult> results; // by INF path
    std::vector<std::string> registered;                          // INF paths, in order
};

} // namespace fakes
