#include "platform/win32/Win32Registry.h"

#include "framework/win32/WideText.h"
#include "platform/registry/RegistryViews.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

constexpr bool kProgram64 = sizeof(void*) == 8;

// Whether this program runs on 64-bit Windows: always for a 64-bit program; for a 32-bit one,
// when it runs under WoW64 (IsWow64Process, looked up because the oldest XP lacks it).
bool SystemHasTwoViews() {
    if (kProgram64) {
        return true;
    }
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

// The access flag that opens a key in `view`: none where the system has one view, which is
// what 32-bit Windows and XP had before the flags (Windows 2000 refuses them).
REGSAM ViewFlag(RegistryView view) {
    if (view == RegistryView::Own || !SystemHasTwoViews()) {
        return 0;
    }
    return view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

// An open registry key, closed when it goes out of scope.
class RegistryKey {
public:
    RegistryKey(RegistryView view, const std::string& path)
        : m_error(RegOpenKeyExW(HKEY_LOCAL_MACHINE, text::Wide(path).c_str(), 0,
                                KEY_READ | ViewFlag(view), &m_key)) {
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

bool HasVariable(const std::string& name) {
    return GetEnvironmentVariableW(text::Wide(name).c_str(), nullptr, 0) != 0;
}

// `text` with its environment variables (%SystemRoot%, say) replaced by their values, as a
// value stored to be expanded means it; as it stands when that cannot be done. A value of the
// other architecture's view names that architecture's folders, where this system can tell them.
std::string ExpandEnvironment(const std::string& text, RegistryView view) {
    const bool twoViews = SystemHasTwoViews();
    const std::string forView =
        twoViews && HasVariable(registry_views::OtherFoldersVariable(kProgram64))
            ? registry_views::ForView(text, view, kProgram64, twoViews)
            : text;
    const std::wstring wide = text::Wide(forView);
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

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

} // namespace

bool Win32Registry::KeyExists(const std::string& key) const {
    return KeyExistsIn(RegistryView::Own, key);
}

Result<RegistryValue> Win32Registry::ReadValue(const std::string& key, const std::string& name,
                                               std::size_t bufferSize) const {
    return ReadValueIn(RegistryView::Own, key, name, bufferSize);
}

bool Win32Registry::HasTwoViews() const {
    return SystemHasTwoViews();
}

bool Win32Registry::KeyExistsIn(RegistryView view, const std::string& key) const {
    return RegistryKey(view, key).get() != nullptr;
}

Result<RegistryValue> Win32Registry::ReadValueIn(RegistryView view, const std::string& key,
                                                 const std::string& name,
                                                 std::size_t bufferSize) const {
    const RegistryKey opened(view, key);
    if (opened.get() == nullptr) {
        return Result<RegistryValue>::Failure(opened.error());
    }
    if (bufferSize == 0) {
        return Result<RegistryValue>::Failure(errors::kInsufficientBuffer);
    }
    // Room for `bufferSize` characters of a text; a value of another type has as many bytes.
    std::vector<wchar_t> buffer(bufferSize, L'\0');
    DWORD type = REG_NONE;
    auto size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LONG queried = RegQueryValueExW(opened.get(), text::Wide(name).c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (queried == ERROR_MORE_DATA) {
        return Result<RegistryValue>::Failure(errors::kInsufficientBuffer);
    }
    if (queried != ERROR_SUCCESS) {
        return Result<RegistryValue>::Failure(static_cast<unsigned long>(queried));
    }
    RegistryValue value;
    value.isString = IsStringType(type);
    value.expandable = type == REG_EXPAND_SZ;
    if (!value.isString) {
        if (size > bufferSize) {
            return Result<RegistryValue>::Failure(errors::kInsufficientBuffer);
        }
        const auto* bytes = reinterpret_cast<const char*>(buffer.data());
        const std::string raw(bytes, size);
        value.text = raw.substr(0, raw.find('\0'));
        return Result<RegistryValue>::Success(std::move(value));
    }
    // The text must fit together with a terminating zero, as in a C buffer of that size.
    const std::size_t characters = size / sizeof(wchar_t);
    const bool terminated = characters > 0 && buffer[characters - 1] == L'\0';
    if (!terminated && characters >= buffer.size()) {
        return Result<RegistryValue>::Failure(errors::kInsufficientBuffer);
    }
    const std::wstring text(buffer.data(), characters);
    value.text = text::FromWide(text.substr(0, text.find(L'\0')));
    if (type == REG_EXPAND_SZ) {
        value.text = ExpandEnvironment(value.text, view);
    }
    return Result<RegistryValue>::Success(std::move(value));
}

} // namespace platform
