#include "platform/win32/Win32Registry.h"

#include "framework/win32/WideText.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

// An open registry key, closed when it goes out of scope.
class RegistryKey {
public:
    explicit RegistryKey(const std::string& path)
        : m_error(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &m_key)) {
        if (m_error != ERROR_SUCCESS) {
            m_key = nullptr;
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
        }
    }
    HKEY get() const { return m_key; }
    unsigned long error() const { return static_cast<unsigned long>(m_error); }

private:
    HKEY m_key = nullptr;
    LONG m_error;
};

// `text` with its environment variables (%SystemRoot%, say) replaced by their values, as a
// value stored to be expanded means it; as it stands when that cannot be done.
std::string ExpandEnvironment(const std::string& text) {
    const std::wstring wide = text::Wide(text);
    const DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    if (needed == 0) {
        return text;
    }
    std::vector<wchar_t> expanded(needed);
    const DWORD length = ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), needed);
    if (length == 0 || length > needed) {
        return text;
    }
    return text::FromWide(expanded.data());
}

} // namespace

bool Win32Registry::KeyExists(const std::string& key) const {
    return RegistryKey(key).get() != nullptr;
}

Result<RegistryValue> Win32Registry::ReadValue(const std::string& key, const std::string& name,
                                               std::size_t bufferSize) const {
    const RegistryKey opened(key);
    if (opened.get() == nullptr) {
        return Result<RegistryValue>::Failure(opened.error());
    }
    if (bufferSize == 0) {
        return Result<RegistryValue>::Failure(errors::kInsufficientBuffer);
    }
    std::vector<BYTE> buffer(bufferSize, 0);
    DWORD type = REG_NONE;
    auto size = static_cast<DWORD>(buffer.size());
    const LONG queried =
        RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, buffer.data(), &size);
    if (queried != ERROR_SUCCESS) {
        return Result<RegistryValue>::Failure(static_cast<unsigned long>(queried));
    }
    // The value must fit together with a terminating zero, as in a C buffer of that size.
    const bool terminated = size > 0 && buffer[size - 1] == 0;
    if (!terminated && size >= buffer.size()) {
        return Result<RegistryValue>::Failure(errors::kInsufficientBuffer);
    }
    RegistryValue value;
    value.isString = type == REG_SZ || type == REG_EXPAND_SZ;
    value.expandable = type == REG_EXPAND_SZ;
    const auto* bytes = reinterpret_cast<const char*>(buffer.data());
    std::string text(bytes, size);
    // The value's bytes are in the system's code page, the program's texts UTF-8.
    value.text = text::FromAnsiCodePage(text.substr(0, text.find('\0')));
    if (type == REG_EXPAND_SZ) {
        value.text = ExpandEnvironment(value.text);
    }
    return Result<RegistryValue>::Success(std::move(value));
}

} // namespace platform
