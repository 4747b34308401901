#include "menu/ClickAction.h"

#include "menu/Languages.h"

namespace click {

namespace {

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

Action Decide(const CMenuItem& item, const std::string& launcherDir, int languageIndex,
              const platform::ILocale& locale) {
    Action action;
    switch (item.m_nType) {
    case CMenuItem::kTypeExecute:
        if (item.m_strExecute == kJavaRuntimeEntry) {
            action.kind = Action::Kind::JavaRuntime;
        } else if (item.m_strExecute == kManualsEntry) {
            action.kind = Action::Kind::Manuals;
            action.diskId = item.m_strDiskId;
        } else {
            action.kind = Action::Kind::Open;
            action.diskId = item.m_strDiskId;
            action.path = launcherDir + item.m_strExecute;
            if (LowerCaseMultiByte(item.m_strExecute, locale).find(kSetupProgram) !=
                std::string::npos) {
                action.parameters = languages::SetupSwitch(languageIndex);
            }
        }
        break;
    case CMenuItem::kTypeSubPage:
        action.kind = Action::Kind::SubPage;
        action.pageName = item.m_strExecute;
        break;
    case CMenuItem::kTypeClose:
        action.kind = Action::Kind::Close;
        break;
    case CMenuItem::kTypeUsb:
        action.kind = Action::Kind::Usb;
        break;
    default:
        break;
    }
    return action;
}

} // namespace click
