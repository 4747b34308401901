// What the special entries check before they act: the browser version for the Java runtime,
// the installed product for the USB drivers.

#include "framework/StringUtil.h"
#include "menu/MenuPage.h"
#include "menu/Versions.h"

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

const char kErrorCaption[] = "Error";

} // namespace

void CMenuPage::InstallJavaRuntime() {
    // A version that cannot be read counts as too old.
    const auto version =
        m_services.registry.ReadValue(kBrowserKey, "Version", kBrowserVersionBufferSize);
    if (!version || CompareDottedVersions(version->text, kMinimumBrowserVersion) < 0) {
        m_services.ui.ShowMessage(GetWindowRef(), m_texts.m_strWarning, m_texts.m_strTitle,
                                  platform::mb::kOk | platform::mb::kIconHand);
        return;
    }

    const std::string source = GetLauncherDir() + kInstallerFolder + kInstallerName;
    const auto tempFolder = m_services.files.GetTempFolder();
    if (!tempFolder) {
        m_services.ui.ShowMessage(
            GetWindowRef(), "Can not copy " + source + ": the temporary folder is not available.",
            std::string(kErrorCaption), platform::mb::kOk);
        return;
    }
    m_services.files.CreateFolder(*tempFolder);
    const std::string target = *tempFolder + kInstallerName;

    // Only the copy made now is started: whatever lay in the temporary folder before is not.
    platform::FileError copyError;
    if (!m_services.files.Copy(source, target, &copyError)) {
        m_services.ui.ShowMessage(GetWindowRef(),
                                  "Can not copy " + source + " to " + target + ".\r\n\r\n" +
                                      m_services.errors.Describe(copyError.code),
                                  std::string(kErrorCaption), platform::mb::kOk);
        return;
    }
    unsigned long startError = 0;
    if (!m_services.processes.StartShown("\"" + target + "\"", &startError)) {
        m_services.ui.ShowMessage(GetWindowRef(),
                                  "Can not start " + target + ".\r\n\r\n" +
                                      m_services.errors.Describe(startError),
                                  std::string(kErrorCaption), platform::mb::kOk);
    }
}

bool CMenuPage::IsProductInstalled() {
    bool installed = false;
    if (m_services.registry.KeyExists(kProductInstallKey)) {
        const auto version =
            m_services.registry.ReadValue(kProductOptionsKey, "Version", kProductVersionBufferSize);
        installed = version && text::EqualsNoCase(version->text, kRequiredProductVersion);
    }
    if (!installed) {
        m_services.ui.ShowMessage(GetWindowRef(), m_texts.m_strNoVdInstall, std::nullopt,
                                  platform::mb::kOk);
    }
    return installed;
}
