#include "menu/ClickAction.h"

#include "framework/text/StringUtil.h"
#include "menu/Languages.h"

namespace click {

namespace {

const char kSetupProgram[] = "setup.exe";

} // namespace

bool NamesAFile(const std::string& path) {
    return path.find('"') == std::string::npos;
}

Action Decide(const CMenuItem& item, const std::string& launcherDir, int languageIndex) {
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
            if (text::ToLowerAscii(item.m_strExecute).find(kSetupProgram) != std::string::npos) {
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

bool NeedsDisc(const Action& action) {
    return action.kind == Action::Kind::Open || action.kind == Action::Kind::Manuals;
}

std::string StartFailureMessage(const std::string& text, const std::string& path, bool tooLong,
                                const std::string& systemText) {
    const std::string message = text::FillIn(text, {path});
    return tooLong ? message + "\n\n" + systemText : message;
}

} // namespace click
