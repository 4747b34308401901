#include "app/StartupDecision.h"

#include "app/InstallCommandLineInfo.h"
#include "framework/text/StringUtil.h"

namespace {

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

// A marker left by a menu that was killed, or added by some other program, would tell other
// programs that a menu runs: it goes, however often it was added. The bound only keeps a table
// that will not let go from holding the start up.
void RemoveStaleMarker(platform::IAtomTable& atoms) {
    for (int i = 0; i < 0x10000; ++i) {
        const auto atom = atoms.Find(kInstanceAtomName);
        if (!atom) {
            return;
        }
        atoms.Delete(*atom);
    }
}

// The folders of earlier copies (and of the runtime installer's copies) that no running menu
// uses any more. One that a program started from it still runs in stays until a later start.
// The temporary folder may be shared with other users (a menu started as an administrator, or
// by a deployment tool with the system's temporary folder): a link there, or a folder somebody
// else made, is never followed or removed.
void RemoveEarlierCopies(platform::IFileSystem& files, const std::string& tempFolder) {
    for (const std::string& name : files.FoldersIn(tempFolder, platform::kProgramFolderPrefix)) {
        const std::string path = tempFolder + name;
        if (IsCopyFolderName(name) && IsEarlierCopyToRemove(name, files.InspectFolder(path))) {
            files.RemoveFolder(path);
        }
    }
}

// Copies the program into a new folder of its own and starts the copy there; false when that
// cannot be done, with nothing left behind.
bool Relaunch(StartupServices& services, const std::string& tempFolder,
              const ProgramPath& program) {
    const auto folder =
        services.files.CreateUniqueFolder(tempFolder, platform::kProgramFolderPrefix);
    if (!folder) {
        return false;
    }
    const std::string source = program.directory + program.fileName;
    const std::string target = *folder + program.fileName;
    const std::string commandLine =
        "\"" + target + "\" -" + kInfPathFlag + " \"" + program.directory + "\"";
    // The program is read from the disc once, and the copy compared with what was read: a copy
    // cut short by a full disk, or changed on the way, is not started.
    if (services.files.CopyChecked(source, target) &&
        services.processes.StartAndWaitUntilReady(commandLine, *folder)) {
        return true;
    }
    services.files.RemoveFolder(*folder);
    return false;
}

} // namespace

bool IsCopyFolderName(const std::string& name) {
    const std::size_t prefix = sizeof platform::kProgramFolderPrefix - 1;
    if (name.size() != prefix + platform::IFileSystem::kRandomNameDigits ||
        !text::StartsWithNoCase(name, platform::kProgramFolderPrefix)) {
        return false;
    }
    for (std::size_t i = prefix; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) {
            return false;
        }
    }
    return true;
}

bool IsEarlierCopyToRemove(const std::string& name,
                           const platform::Result<platform::FolderFacts>& facts) {
    return IsCopyFolderName(name) && facts && !facts->link && facts->ownedByThisUser;
}

std::optional<std::string> DecideStartup(StartupServices& services) {
    const WaitCursor wait(services.ui);

    CInstallCommandLineInfo commandLine;
    ParseCommandLine(services.processes.CommandLine(), commandLine);
    if (!commandLine.m_strInfPath.empty()) {
        return commandLine.m_strInfPath;
    }
    // Held from here until this process ends: after the copy is up and holds it too, or for
    // the whole menu when this process shows it itself. Any program in the session can make
    // the lock too: held, it only means a running menu when a page of this program answers
    // (BringForward waits a little for one that is coming up); else the menu shows as usual.
    if (!services.instance.Hold() && services.ui.BringForward(services.mainWindowMark)) {
        return std::nullopt;
    }
    RemoveStaleMarker(services.atoms);

    const ProgramPath program = SplitProgramPath(services.processes.ModulePath());
    const auto tempFolder = services.files.GetTempFolder();
    if (tempFolder) {
        RemoveEarlierCopies(services.files, *tempFolder);
        if (Relaunch(services, *tempFolder, program)) {
            return std::nullopt;
        }
    }
    // No copy could be made or started (no temporary folder, a full disk): the menu shows from
    // the disc. Its current directory, which the programs it starts inherit, is not the disc,
    // so that the disc can still be changed once the menu ends.
    if (!tempFolder || !services.processes.SetWorkingDirectory(*tempFolder)) {
        if (const auto system = services.processes.SystemFolder()) {
            services.processes.SetWorkingDirectory(*system);
        }
    }
    return program.directory;
}
