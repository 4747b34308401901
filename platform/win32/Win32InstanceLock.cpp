#include "platform/win32/Win32InstanceLock.h"

#include "framework/win32/WideText.h"

namespace platform {

Win32InstanceLock::~Win32InstanceLock() {
    if (m_handle != nullptr) {
        CloseHandle(m_handle);
    }
}

bool Win32InstanceLock::Hold() {
    if (m_handle != nullptr) {
        return m_first;
    }
    // Not inheritable: a program the menu starts must not keep the mark after the menu ends.
    m_handle = CreateMutexW(nullptr, FALSE, text::Wide("Local\\" + m_name).c_str());
    m_first = m_handle == nullptr || GetLastError() != ERROR_ALREADY_EXISTS;
    return m_first;
}

} // namespace platform
