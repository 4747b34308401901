#include "menu/Prerequisites.h"

#include "framework/StringUtil.h"
#include "menu/Versions.h"

namespace prerequisites {

namespace {

const char kBrowserKey[] = "SOFTWARE\\Microsoft\\Internet Explorer";
constexpr std::size_t kBrowserVersionBufferSize = 32;
const char kMinimumBrowserVersion[] = "5.50.4807.2300";

const char kInstallerFolder[] = "SunInstall\\";
const char kInstallerName[] = "j2re-1_4_1_01-windows-i586-i.exe";

const char kProductInstallKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Install";
const char kProductOptionsKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Options";
constexpr std::size_t kProductVersionBufferSize = 10;
const char kRequiredProductVersion[] = "4.4.0";

constexpr std::size_t kPromptBufferSize = 1024;

} // namespace

bool IsBrowserRecentEnough(const platform::IRegistry& registry) {
    const auto version = registry.ReadValue(kBrowserKey, "Version", kBrowserVersionBufferSize);
    return version && CompareDottedVersions(version->text, kMinimumBrowserVersion) >= 0;
}

std::string JavaInstallerPath(const std::string& launcherDir) {
    return launcherDir + kInstallerFolder + kInstallerName;
}

std::optional<std::string> InstallJavaRuntime(const std::string& launcherDir,
                                              platform::IFileSystem& files,
                                              platform::IProcesses& processes,
                                              const platform::ISystemErrors& errors) {
    const std::string source = JavaInstallerPath(launcherDir);
    const auto tempFolder = files.GetTempFolder();
    if (!tempFolder) {
        return "Can not copy " + source + ": the temporary folder is not available.";
    }
    // A new folder of its own, which nobody could put anything into beforehand: the installer
    // may load DLLs from its own folder.
    const auto folder = files.CreateUniqueFolder(*tempFolder, platform::kProgramFolderPrefix);
    if (!folder) {
        return "Can not copy " + source + ": the temporary folder is not available.\r\n\r\n" +
               errors.Describe(folder.error.code);
    }
    const std::string target = *folder + kInstallerName;
    if (const platform::Outcome copied = files.Copy(source, target); !copied) {
        return "Can not copy " + source + " to " + target + ".\r\n\r\n" +
               errors.Describe(copied.error.code);
    }
    if (const platform::Outcome started = processes.StartShown("\"" + target + "\"", *folder);
        !started) {
        return "Can not start " + target + ".\r\n\r\n" + errors.Describe(started.error.code);
    }
    return std::nullopt;
}

bool IsProductInstalled(const platform::IRegistry& registry) {
    if (!registry.KeyExists(kProductInstallKey)) {
        return false;
    }
    const auto version =
        registry.ReadValue(kProductOptionsKey, "Version", kProductVersionBufferSize);
    return version && text::EqualsNoCase(version->text, kRequiredProductVersion);
}

std::string DiscPrompt(const platform::IProfileFile& profile, const std::string& configPath,
                       unsigned codePage, const std::string& diskId,
                       const std::string& noMediaText) {
    // Looked up anew for every prompt: the file lies on the disc that may come back.
    std::string prompt =
        profile.GetString(configPath, codePage, kDiscSection, diskId, "", kPromptBufferSize);
    return prompt.empty() ? noMediaText : prompt;
}

} // namespace prerequisites
