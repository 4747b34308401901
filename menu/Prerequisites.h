#pragma once
// What the special entries check and do before the program they stand for runs: the browser
// version that the Java runtime needs and the runtime's installation from the disc, and the
// installed product that the USB drivers belong to. Also the prompt of the disc check.

#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/ProfileFile.h"
#include "platform/Registry.h"
#include "platform/StringTable.h"
#include "platform/ErrorTexts.h"

#include <optional>
#include <string>

namespace prerequisites {

// Whether the installed browser is at least 5.50.4807.2300; a version that cannot be read
// counts as too old.
bool IsBrowserRecentEnough(const platform::IRegistry& registry);

// The Java runtime installer on the disc whose root is `launcherDir`.
std::string JavaInstallerPath(const std::string& launcherDir);

// What installing the Java runtime reaches: files and processes, and the texts it reports with.
struct JavaServices {
    platform::IFileSystem& files;
    platform::IProcesses& processes;
    const platform::IStringTable& strings;
    const platform::ISystemErrors& errors;
};

// Copies the Java runtime installer from the disc into a new folder of its own in the temporary
// folder and starts the copy there with its path quoted; only the copy made now is started, held
// against changes from before its comparison with the disc's file until it has started. The
// message to show under "Error" when that fails, with the system's reason; nothing when the
// installer started.
std::optional<std::string> InstallJavaRuntime(const std::string& launcherDir,
                                              const JavaServices& services);

// Whether the product is installed in the version the USB drivers belong to (4.4.0).
bool IsProductInstalled(const platform::IRegistry& registry);

// The section of the configuration file that holds the disc prompts, by disc id.
inline constexpr char kDiscSection[] = "DISKID";

// The disc prompt for `diskId`: its text in the DISKID section of the configuration file
// `configPath` (written in `codePage`), else `noMediaText`.
std::string DiscPrompt(const platform::IProfileFile& profile, const std::string& configPath,
                       unsigned codePage, const std::string& diskId,
                       const std::string& noMediaText);

} // namespace prerequisites
