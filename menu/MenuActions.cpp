// What a click on an entry does: open a program or document from the disc (a setup program
// learns the chosen language), open a sub-page, close the page, or run a special entry.

#include "menu/Languages.h"
#include "menu/MenuPage.h"

namespace {

const char kJavaRuntimeEntry[] = "SunJava";
const char kManualsEntry[] = "HTMLDlg";
const char kSetupProgram[] = "setup.exe";

// `value` with its letters in lower case, double-byte characters of the code page stepped
// over whole so that their trail bytes are never taken for letters.
std::string LowerCaseMultiByte(const std::string& value, const platform::ILocale& locale) {
    std::string lower = value;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        const auto byte = static_cast<unsigned char>(lower[i]);
        if (locale.IsLeadByte(byte) && i + 1 < lower.size()) {
            ++i;
        } else if (byte >= 'A' && byte <= 'Z') {
            lower[i] = static_cast<char>(byte - 'A' + 'a');
        }
    }
    return lower;
}

} // namespace

bool CMenuPage::OnLButtonDown(int x, int y) {
    const std::string launcherDir = GetLauncherDir();
    const bool hadCapture = HasMouseCapture();
    if (hadCapture) {
        ReleaseMouseCapture();
    }
    const int language = GetSelectedLanguageIndex();
    const std::string languageSwitch = languages::SetupSwitch(language);

    for (int i = 0; i < static_cast<int>(m_menuItems.size()); ++i) {
        if (!GetEntryRect(i).Contains(x, y)) {
            continue;
        }
        // A sub-page may change this page's model while it runs: keep what is needed.
        const CMenuItem item = *m_menuItems[i];
        const bool ordinary = item.m_nType == CMenuItem::kTypeExecute &&
                              item.m_strExecute != kJavaRuntimeEntry &&
                              item.m_strExecute != kManualsEntry;
        if (item.m_nType == CMenuItem::kTypeExecute && item.m_strExecute == kJavaRuntimeEntry) {
            InstallJavaRuntime();
        } else if (item.m_nType == CMenuItem::kTypeExecute && item.m_strExecute == kManualsEntry) {
            if (!CheckDisk(item.m_strDiskId)) {
                return false;
            }
            OpenManualsWindow(m_services.strings.Load(languages::NameTextId(language)));
        } else if (ordinary) {
            if (!CheckDisk(item.m_strDiskId)) {
                return false;
            }
            const bool setup =
                LowerCaseMultiByte(item.m_strExecute, m_services.locale).find(kSetupProgram) !=
                std::string::npos;
            const std::string path = launcherDir + item.m_strExecute;
            const auto parameters =
                setup ? std::optional<std::string>(languageSwitch) : std::nullopt;
            if (m_services.shell.Open(nullptr, path, parameters) <= 32) {
                m_services.ui.ShowMessage(GetWindowRef(), "Can not start application " + path + ".",
                                          std::string("Error"), platform::mb::kOk);
            }
        } else if (item.m_nType == CMenuItem::kTypeSubPage) {
            RunSubPage(item.m_strExecute);
        } else if (item.m_nType == CMenuItem::kTypeClose) {
            EndPage();
        } else if (item.m_nType == CMenuItem::kTypeUsb) {
            if (IsProductInstalled()) {
                OpenUsbDriverDialog();
            }
        }
    }
    if (hadCapture) {
        TakeMouseCapture();
    }
    return true;
}
