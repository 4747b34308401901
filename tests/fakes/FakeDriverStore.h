#pragma once
// A driver store that records the INF files it is given and answers with an outcome set per
// file: success unless told otherwise.

#include "platform/DriverStore.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace fakes {

class FakeDriverStore : public platform::IDriverStore {
public:
    platform::Outcome RegisterPackage(const std::string& infPath) override {
        registered.push_back(infPath);
        if (onRegister) {
            onRegister(infPath);
        }
        const auto found = results.find(infPath);
        return found != results.end() ? found->second : platform::Outcome::Success();
    }

    std::map<std::string, platform::Outcome> results;   // by INF path
    std::vector<std::string> registered;                // INF paths, in order
    std::function<void(const std::string&)> onRegister; // called at each registration
};

} // namespace fakes
