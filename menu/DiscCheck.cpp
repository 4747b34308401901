// The disc check: before something is opened from the medium, the disc that holds it must be
// in the drive. The menu runs from the temporary folder, so the disc may have been changed.

#include "menu/MenuPage.h"
#include "res/resource.h"

namespace {
const char kDiscSection[] = "DISKID";
constexpr std::size_t kPromptBufferSize = 1024;
constexpr unsigned kPromptStyle =
    platform::mb::kRetryCancel | platform::mb::kIconExclamation | platform::mb::kSetForeground;
} // namespace

bool CMenuPage::CheckDisk(const std::string& diskId) {
    if (diskId.empty()) {
        return false;
    }
    const std::string path = GetLauncherDir() + diskId;
    while (!m_services.files.Exists(path)) {
        // Looked up anew for every prompt: the file lies on the disc that may come back.
        std::string prompt = m_services.profile.GetString(m_strConfigPath, kDiscSection, diskId, "",
                                                          kPromptBufferSize);
        if (prompt.empty()) {
            if (m_texts.m_strNoMediaInDevice.empty()) {
                m_texts.m_strNoMediaInDevice = m_services.strings.Load(IDS_BUILTIN_NOMEDIAINDEVICE);
            }
            prompt = m_texts.m_strNoMediaInDevice;
        }
        if (m_services.ui.ShowMessage(GetWindowRef(), prompt, m_texts.m_strTitle, kPromptStyle) ==
            platform::mb::kIdCancel) {
            return false;
        }
    }
    return true;
}
