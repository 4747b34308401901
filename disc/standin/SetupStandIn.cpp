// Stand-in for the setup programs and the runtime installer of the sample disc.
//
// Started by hand (or from the menu), it shows the command line it was started with in a
// message box captioned with its own file name, so that whoever clicks a menu entry sees the
// language switch that the menu passed on.
//
// When the environment variable DISCMENU_RECORD names a file, it shows nothing: it appends its
// command line, exactly as GetCommandLineA gives it, and a line feed to that file and ends with
// exit code 0. Automated runs use this to learn what was started, without a window to close.
#include <windows.h>

#include <string>

namespace {

constexpr char kRecordVariable[] = "DISCMENU_RECORD";

// Owns a file handle and closes it when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (IsValid()) {
            CloseHandle(m_handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The value of an environment variable; empty when it is not set.
std::string GetEnvironmentString(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name, &value[0], size);
    if (length == 0 || length >= size) {
        return {};
    }
    value.resize(length);
    return value;
}

// Appends text to the file at path, creating the file when it does not exist yet. The whole text
// is written in one call, so that lines of programs started one after another do not mix.
void AppendToFile(const std::string& path, const std::string& text) {
    const FileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        return;
    }
    DWORD written = 0;
    WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The file name of this program, without its folder: "setup.exe" for Disk1\setup.exe.
std::string GetOwnFileName() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) {
            return "setup.exe";
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string::size_type separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string commandLine = GetCommandLineA();
    const std::string recordPath = GetEnvironmentString(kRecordVariable);
    if (!recordPath.empty()) {
        AppendToFile(recordPath, commandLine + "\n");
        return 0;
    }
    MessageBoxA(nullptr, commandLine.c_str(), GetOwnFileName().c_str(), MB_OK | MB_ICONINFORMATION);
    return 0;
}
