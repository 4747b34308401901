#include "menu/Prerequisites.h"

#include "framework/text/StringUtil.h"
#include "menu/Versions.h"
#include "platform/registry/RegistryViews.h"
#include "res/Product.h"
#include "res/resource.h"

namespace prerequisites {

namespace {

const char kBrowserKey[] = "SOFTWARE\\Microsoft\\Internet Explorer";
constexpr std::size_t kBrowserVersionBufferSize = 32;
const char kMinimumBrowserVersion[] = "5.50.4807.2300";

const char kInstallerFolder[] = "SunInstall\\";
const char kInstallerName[] = "j2re-1_4_1_01-windows-i586-i.exe";

constexpr std::size_t kProductVersionBufferSize = 10;

constexpr std::size_t kPromptBufferSize = 1024;

} // namespace

bool IsBrowserRecentEnough(const platform::IRegistry& registry) {
    // The program's own view: the browser the Java runtime it installs (a 32-bit one, for the
    // 32-bit program) plugs into is the one of its own architecture, and so is the browser
    // control the manuals window loads into this process.
    const auto version = registry.ReadValueIn(platform::RegistryView::Own, kBrowserKey, "Version",
                                              kBrowserVersionBufferSize);
    return version && CompareDottedVersions(version->text, kMinimumBrowserVersion) >= 0;
}

std::string JavaInstallerPath(const std::string& launcherDir) {
    return launcherDir + kInstallerFolder + kInstallerName;
}

std::optional<std::string> InstallJavaRuntime(const std::string& launcherDir,
                                              const JavaServices& services) {
    const std::string source = JavaInstallerPath(launcherDir);
    const auto text = [&](unsigned id, std::initializer_list<std::string> values) {
        return text::FillIn(services.strings.Load(id), values);
    };
    const auto reason = [&](const platform::SystemError& error) {
        return "\r\n\r\n" + services.errors.Describe(error.code, services.strings);
    };
    const auto tempFolder = services.files.GetTempFolder();
    if (!tempFolder) {
        return text(IDS_BUILTIN_JAVA_NO_TEMP, {source});
    }
    // A new folder of its own, which nobody could put anything into beforehand: the installer
    // may load DLLs from its own folder.
    const auto folder =
        services.files.CreateUniqueFolder(*tempFolder, platform::kProgramFolderPrefix);
    if (!folder) {
        return text(IDS_BUILTIN_JAVA_NO_TEMP, {source}) + reason(folder.error);
    }
    const std::string target = *folder + kInstallerName;
    if (const platform::Outcome copied = services.files.Copy(source, target); !copied) {
        return text(IDS_BUILTIN_JAVA_COPY_FAILED, {source, target}) + reason(copied.error);
    }
    // The shell may start the installer with an administrator's rights: from here until it has
    // started, nobody may change the copy (the folder is the user's), and it must still be the
    // disc's file.
    const auto held = services.files.Hold(*tempFolder, target);
    if (!held) {
        return text(IDS_BUILTIN_JAVA_COPY_FAILED, {source, target}) + reason(held.error);
    }
    if (!services.files.SameContents(source, target)) {
        return text(IDS_BUILTIN_JAVA_COPY_FAILED, {source, target}) +
               reason({platform::errors::kInvalidData});
    }
    if (const platform::Outcome started =
            services.processes.StartShown("\"" + target + "\"", *folder);
        !started) {
        return text(IDS_BUILTIN_JAVA_START_FAILED, {target}) + reason(started.error);
    }
    return std::nullopt;
}

bool IsProductInstalled(const platform::IRegistry& registry) {
    const auto views = product::RegistryViews(registry);
    const product::Brand& brand = product::CurrentBrand();
    if (!registry_views::KeyExistsInAny(registry, views, brand.installKey)) {
        return false;
    }
    const auto version = registry_views::ReadFromAny(
        registry, views, brand.versionKey, product::kVersionValue, kProductVersionBufferSize);
    return version && text::EqualsNoCase(version->text, brand.requiredVersion);
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
