#include "brand/win32/ResourceWriter.h"

#include "brand/IconFile.h"
#include "framework/win32/WideText.h"
#include "res/resource.h"

#include <windows.h>

namespace brand {

namespace {

const WORD kLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// A module loaded as a data file, freed at the end of its scope.
class DataModule {
public:
    explicit DataModule(const std::wstring& path)
        : m_module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataModule() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    HMODULE get() const { return m_module; }

    // The bytes of a resource; nothing when the module has none of that type and name.
    std::optional<std::string> Resource(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(m_module, name, type);
        if (found == nullptr) {
            return std::nullopt;
        }
        HGLOBAL loaded = LoadResource(m_module, found);
        const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (bytes == nullptr) {
            return std::nullopt;
        }
        return std::string(static_cast<const char*>(bytes), SizeofResource(m_module, found));
    }

private:
    HMODULE m_module;
};

// An update of a file's resources: discarded unless committed.
class ResourceUpdate {
public:
    explicit ResourceUpdate(const std::wstring& path)
        : m_update(BeginUpdateResourceW(path.c_str(), FALSE)) {}
    ~ResourceUpdate() {
        if (m_update != nullptr) {
            EndUpdateResourceW(m_update, TRUE);
        }
    }
    ResourceUpdate(const ResourceUpdate&) = delete;
    ResourceUpdate& operator=(const ResourceUpdate&) = delete;

    bool IsOpen() const { return m_update != nullptr; }

    bool Write(LPCWSTR type, LPCWSTR name, const std::optional<std::string>& bytes) {
        void* data = bytes ? const_cast<char*>(bytes->data()) : nullptr;
        const DWORD size = bytes ? static_cast<DWORD>(bytes->size()) : 0;
        return UpdateResourceW(m_update, type, name, kLanguage, data, size) != FALSE;
    }

    bool Commit() {
        const HANDLE update = m_update;
        m_update = nullptr;
        return EndUpdateResourceW(update, FALSE) != FALSE;
    }

private:
    HANDLE m_update;
};

// The id as the resource functions take it: a number in the pointer, or a name.
class IdArgument {
public:
    explicit IdArgument(const ResourceId& id) : m_name(text::Wide(id.name)), m_number(id.number) {}
    LPCWSTR get() const { return m_name.empty() ? MAKEINTRESOURCEW(m_number) : m_name.c_str(); }

private:
    std::wstring m_name;
    unsigned m_number;
};

std::string Describe(const Resource& resource) {
    const auto text = [](const ResourceId& id) {
        return id.name.empty() ? std::to_string(id.number) : id.name;
    };
    return "resource " + text(resource.type) + "/" + text(resource.name);
}

} // namespace

std::optional<Program> ReadProgram(const std::wstring& path, SystemFailure& failure) {
    const DataModule module(path);
    if (module.get() == nullptr) {
        failure = {"cannot be loaded as a program", GetLastError()};
        return std::nullopt;
    }
    Program program;
    const auto manifest =
        module.Resource(MAKEINTRESOURCEW(kManifestType), MAKEINTRESOURCEW(kManifestId));
    if (!manifest) {
        failure = {"carries no manifest: it is not the menu program",
                   ERROR_RESOURCE_NAME_NOT_FOUND};
        return std::nullopt;
    }
    program.manifest = *manifest;
    if (const auto group =
            module.Resource(MAKEINTRESOURCEW(kIconGroupType), MAKEINTRESOURCEW(IDR_MAINFRAME))) {
        program.iconIds = IconIds(*group);
    }
    return program;
}

bool WriteResources(const std::wstring& path, const std::vector<Resource>& resources,
                    SystemFailure& failure) {
    ResourceUpdate update(path);
    if (!update.IsOpen()) {
        failure = {"cannot be opened for writing its resources", GetLastError()};
        return false;
    }
    for (const Resource& resource : resources) {
        const IdArgument type(resource.type);
        const IdArgument name(resource.name);
        if (!update.Write(type.get(), name.get(), resource.bytes)) {
            failure = {Describe(resource) + " cannot be written", GetLastError()};
            return false;
        }
    }
    if (!update.Commit()) {
        failure = {"cannot be written with its new resources", GetLastError()};
        return false;
    }
    return true;
}

std::string SystemErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring wide = length != 0 && buffer != nullptr ? std::wstring(buffer, length) : L"";
    if (buffer != nullptr) {
        LocalFree(buffer);
    }
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ' ||
                             wide.back() == L'.')) {
        wide.pop_back();
    }
    return wide.empty() ? "error " + std::to_string(code) : text::FromWide(wide);
}

} // namespace brand
