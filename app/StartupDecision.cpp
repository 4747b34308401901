#include "app/StartupDecision.h"

#include "app/InstallCommandLineInfo.h"

namespace {

const char kCaption[] = "Installer";
const char kNoTempFolder[] = "Failed to get Temp Folder. Exiting installer";
const char kNoNormalAttribute[] =
    "Failed to set normal attribute on temp file. Try cleaning temp folder. Exiting installer";
const char kCopyFailed[] = "Failed on CopyFile. Check if Installer is already running or enough "
                           "disk space or permissions. Exiting installer";
const char kStartFailed[] = "Failed to start 2nd Installer. Exiting installer";

// Shows the wait cursor for as long as the decision runs, on every path out of it.
class WaitCursor {
public:
    explicit WaitCursor(platform::IUserInterface& ui) : m_ui(ui) { m_ui.BeginWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { m_ui.EndWaitCursor(); }

private:
    platform::IUserInterface& m_ui;
};

struct ProgramPath {
    std::string directory; // up to and including the last backslash
    std::string fileName;
};

// The program's own directory and file name. They come from the program file's path, not
// from the command line, which may carry arguments or lack the directory altogether.
ProgramPath SplitProgramPath(const std::string& modulePath) {
    const auto slash = modulePath.find_last_of('\\');
    if (slash == std::string::npos || slash == 0) {
        return {};
    }
    return {modulePath.substr(0, slash + 1), modulePath.substr(slash + 1)};
}

std::nullopt_t Fail(platform::IUserInterface& ui, const char* message) {
    ui.ShowMessage(nullptr, message, std::string(kCaption), platform::mb::kOk);
    return std::nullopt;
}

} // namespace

std::optional<std::string> DecideStartup(StartupServices& services) {
    const WaitCursor wait(services.ui);

    CInstallCommandLineInfo commandLine;
    ParseCommandLine(services.processes.CommandLine(), commandLine);
    if (!commandLine.m_strInfPath.empty()) {
        return commandLine.m_strInfPath;
    }
    if (services.atoms.Find(kInstanceAtomName) != 0) {
        return std::nullopt; // a menu is running already
    }

    const auto tempFolder = services.files.GetTempFolder();
    if (!tempFolder) {
        return Fail(services.ui, kNoTempFolder);
    }
    const ProgramPath program = SplitProgramPath(services.processes.ModulePath());
    const std::string source = program.directory + program.fileName;
    const std::string target = *tempFolder + program.fileName;

    // An earlier copy may be read-only. A name the system cannot take cannot hold an earlier
    // copy either; the copy then fails and says so.
    const platform::Outcome normal = services.files.SetNormalAttributes(target);
    if (!normal && normal.error.code != platform::errors::kFileNotFound &&
        normal.error.code != platform::errors::kFileNameTooLong) {
        return Fail(services.ui, kNoNormalAttribute);
    }
    if (!services.files.Copy(source, target)) {
        return Fail(services.ui, kCopyFailed);
    }
    const std::string copyCommandLine = "\"" + target + "\" -InfPath \"" + program.directory + "\"";
    if (!services.processes.Start(copyCommandLine)) {
        return Fail(services.ui, kStartFailed);
    }
    return std::nullopt;
}
