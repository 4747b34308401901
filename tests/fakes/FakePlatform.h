#pragma once
// Fakes of the platform interfaces for the unit tests: in-memory state that the tests set
// up and inspect afterwards.

#include "framework/text/StringUtil.h"
#include "platform/AtomTable.h"
#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"
#include "platform/Locale.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/StringTable.h"
#include "platform/ErrorTexts.h"
#include "platform/UserInterface.h"
#include "res/resource.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fakes {

class FakeAtomTable : public platform::IAtomTable {
public:
    platform::Result<platform::Atom> Find(const std::string& name) const override;
    platform::Result<platform::Atom> Add(const std::string& name) override;
    void Delete(platform::Atom atom) override;
    int Count(const std::string& name) const;

private:
    std::size_t IndexOf(const std::string& name) const; // m_names.size() when unknown
    std::vector<std::string> m_names;                   // by atom - 0xC000
    std::vector<int> m_counts;                          // reference counts, by atom - 0xC000
};

class FakeFileSystem : public platform::IFileSystem {
public:
    platform::Result<std::string> GetTempFolder() const override {
        return tempFolder ? platform::Result<std::string>::Success(*tempFolder)
                          : platform::Result<std::string>::Failure(platform::errors::kPathNotFound);
    }
    platform::Result<std::string> CreateUniqueFolder(const std::string& parent,
                                                     const std::string& prefix) override;
    std::vector<std::string> FoldersIn(const std::string& parent,
                                       const std::string& prefix) const override;
    platform::Result<platform::FolderFacts> InspectFolder(const std::string& path) const override;
    platform::Outcome RemoveFolder(const std::string& path) override;
    platform::Outcome Copy(const std::string& from, const std::string& to) override;
    platform::Outcome CopyChecked(const std::string& from, const std::string& to) override;
    bool SameContents(const std::string& first, const std::string& second) const override;
    platform::Result<std::shared_ptr<platform::IHeldFile>> Hold(const std::string& trusted,
                                                                const std::string& path) override;
    bool Exists(const std::string& pattern) const override;
    // Whether `path` is held now.
    bool IsHeld(const std::string& path) const;

    std::optional<std::string> tempFolder = std::string("C:\\Temp\\");
    std::map<std::string, std::string> files; // path (compared without case) -> content
    std::set<std::string> folders;            // paths ending in a backslash
    std::set<std::string> busyFolders;        // folders that cannot be removed
    std::set<std::string> links;              // folders that are links (reparse points)
    std::set<std::string> othersFolders;      // folders that another user owns
    std::set<std::string> linksOnTheWay;      // files that a link leads to: Hold refuses them
    std::map<std::string, std::string> swaps; // a file's content once nobody holds it
    std::vector<std::string> holds;           // Hold: "<trusted>|<path>"
    std::shared_ptr<std::set<std::string>> held = std::make_shared<std::set<std::string>>();
    std::set<std::string> patterns; // wildcard patterns that Exists finds
    std::size_t maxPath = 259;      // longer paths are refused, as by the ANSI calls
    bool foldersCanBeMade = true;
    bool copiesComeOutWrong = false; // a copy holds other bytes than its source
    int foldersMade = 0;             // the unique folders' names count up
    std::vector<std::string> calls;  // "copy <from> <to>", "remove <folder>"
    // How often each file was read, by a copy or a comparison.
    mutable std::map<std::string, int> reads;
};

class FakeProcesses : public platform::IProcesses {
public:
    std::string CommandLine() const override { return commandLine; }
    std::string ModulePath() const override { return modulePath; }
    platform::Outcome StartAndWaitUntilReady(const std::string& line,
                                             const std::string& directory) override;
    platform::Outcome StartShown(const std::string& line, const std::string& directory) override;
    platform::Outcome SetWorkingDirectory(const std::string& directory) override {
        if (missingFolders.count(directory) != 0) {
            return platform::Outcome::Failure(platform::errors::kPathNotFound);
        }
        currentDirectory = directory;
        return platform::Outcome::Success();
    }
    platform::Result<std::string> SystemFolder() const override {
        return platform::Result<std::string>::Success("C:\\Windows\\system32\\");
    }
    platform::Elevation ElevationState() const override { return elevation; }
    platform::Result<unsigned long> RunElevatedAndWait(platform::WindowRef,
                                                       const std::string& program,
                                                       const std::string& parameters) override {
        ranElevated.push_back(program + " " + parameters);
        if (whileRunningElevated) {
            whileRunningElevated(program);
        }
        return elevatedRun;
    }

    std::string commandLine;
    std::string modulePath;
    std::string currentDirectory = "D:\\";
    std::set<std::string> missingFolders; // cannot be made the current directory
    bool startSucceeds = true;
    std::vector<std::string> started;   // StartAndWaitUntilReady: the command line
    std::vector<std::string> startedIn; // and its working directory
    std::vector<std::string> startedShown;
    std::vector<std::string> startedShownIn;
    std::function<void(const std::string& line)> whileStartingShown;
    platform::Elevation elevation{true, true};
    // What the elevated copy's run gives, and each run's program and parameters.
    platform::Result<unsigned long> elevatedRun = platform::Result<unsigned long>::Success(0);
    std::vector<std::string> ranElevated;
    std::function<void(const std::string& program)> whileRunningElevated;
};

class FakeInstanceLock : public platform::IInstanceLock {
public:
    bool Hold() override {
        ++holds;
        return !heldElsewhere;
    }
    bool heldElsewhere = false;
    int holds = 0;
};

// The shell: what was opened, and a failure code for each file that fails.
class FakeShell : public platform::IShell {
public:
    platform::Outcome Open(platform::WindowRef owner, const std::string& file,
                           const std::optional<std::string>& parameters) override;
    platform::Result<std::string> FindAssociatedProgram(const std::string& file) const override;

    struct Opened {
        platform::WindowRef owner;
        std::string file;
        std::optional<std::string> parameters;
    };
    std::vector<Opened> opened;
    std::map<std::string, unsigned long> failures;
    std::map<std::string, std::string> associations; // file -> program
};

class FakeSystemErrors : public platform::ISystemErrors {
public:
    std::string Describe(unsigned long code) const override {
        return code == 5 ? "Access is denied.\r\n" : "error " + std::to_string(code);
    }
    // As the system does: its own text where it has one, else the page's "error <code>".
    std::string Describe(unsigned long code, const platform::IStringTable& strings) const override {
        return code == 5
                   ? Describe(code)
                   : text::FillIn(strings.Load(IDS_BUILTIN_ERROR_CODE), {std::to_string(code)});
    }
};

struct ShownMessage {
    platform::WindowRef owner;
    std::string text;
    std::optional<std::string> caption;
    unsigned style;
};

class FakeUserInterface : public platform::IUserInterface {
public:
    int ShowMessage(platform::WindowRef owner, const std::string& text,
                    const std::optional<std::string>& caption, unsigned style) override;
    void BeginWaitCursor() override { ++waitBegun; }
    void EndWaitCursor() override { ++waitEnded; }
    bool BringForward(const std::string& windowMark) override {
        broughtForward.push_back(windowMark);
        return menuAnswers;
    }

    std::vector<ShownMessage> shown;
    std::deque<int> answers;                 // buttons chosen, in order; OK when none is left
    std::function<void(std::size_t)> onShow; // called with the number of boxes shown so far
    int waitBegun = 0;
    int waitEnded = 0;
    std::vector<std::string> broughtForward; // the marks of the windows brought forward
    bool menuAnswers = true;                 // a window of the program answers BringForward
};

// The registry of a 32-bit program: `keys` and `values` are its own view; on 64-bit Windows
// (`twoViews`) the 64-bit view is `keys64` and `values64`, and its own is the 32-bit one.
class FakeRegistry : public platform::IRegistry {
public:
    bool KeyExists(const std::string& key) const override;
    platform::Result<platform::RegistryValue> ReadValue(const std::string& key,
                                                        const std::string& name,
                                                        std::size_t bufferSize) const override;
    bool HasTwoViews() const override { return twoViews; }
    bool KeyExistsIn(platform::RegistryView view, const std::string& key) const override;
    platform::Result<platform::RegistryValue> ReadValueIn(platform::RegistryView view,
                                                          const std::string& key,
                                                          const std::string& name,
                                                          std::size_t bufferSize) const override;
    // Stores a text value (and creates its key).
    void SetString(const std::string& key, const std::string& name, const std::string& text);
    // Stores a text value to be expanded (REG_EXPAND_SZ), as the system gives it: expanded.
    void SetExpandable(const std::string& key, const std::string& name, const std::string& text);
    // Stores a value of another type whose bytes are `bytes`.
    void SetBinary(const std::string& key, const std::string& name, const std::string& bytes);
    void AddKey(const std::string& key) { keys.insert(text::ToLowerAscii(key)); }
    // The same in the 64-bit view.
    void SetString64(const std::string& key, const std::string& name, const std::string& text);
    void AddKey64(const std::string& key) { keys64.insert(text::ToLowerAscii(key)); }

    std::set<std::string> keys;                            // lower case
    std::map<std::string, platform::RegistryValue> values; // "key\name", lower case
    bool twoViews = false;
    std::set<std::string> keys64;
    std::map<std::string, platform::RegistryValue> values64;
    // The views asked, in order.
    mutable std::vector<platform::RegistryView> viewsAsked;

private:
    bool Is64(platform::RegistryView view) const {
        return twoViews && view == platform::RegistryView::Bits64;
    }
};

class FakeLocale : public platform::ILocale {
public:
    platform::Result<std::string>
    GetAbbreviatedLanguageName(std::size_t bufferSize) const override {
        if (!abbreviation || abbreviation->size() >= bufferSize) {
            return platform::Result<std::string>::Failure(platform::errors::kInsufficientBuffer);
        }
        return platform::Result<std::string>::Success(*abbreviation);
    }

    std::optional<std::string> abbreviation = std::string("ENU");
};

// The program's built-in texts, as its string table holds them.
class FakeStringTable : public platform::IStringTable {
public:
    FakeStringTable();
    std::string Load(unsigned id) const override;
    std::map<unsigned, std::string> texts;
};

} // namespace fakes
