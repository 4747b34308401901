#pragma once
#include "platform/InstanceLock.h"

#include <windows.h>

#include <string>
#include <utility>

namespace platform {

// A named mutex in the session's namespace ("Local\<name>"), held through a handle that this
// object closes when it goes; the system closes it when the process ends in any other way.
class Win32InstanceLock final : public IInstanceLock {
public:
    explicit Win32InstanceLock(std::string name) : m_name(std::move(name)) {}
    Win32InstanceLock(const Win32InstanceLock&) = delete;
    Win32InstanceLock& operator=(const Win32InstanceLock&) = delete;
    ~Win32InstanceLock() override;

    bool Hold() override;

private:
    std::string m_name;
    HANDLE m_handle = nullptr;
    bool m_first = true;
};

} // namespace platform
