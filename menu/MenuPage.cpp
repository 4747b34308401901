#include "menu/MenuPage.h"

#include "menu/Languages.h"
#include "res/resource.h"

#include <algorithm>
#include <utility>

namespace {

const char kTextSection[] = "RES_STR";
const char kLabelKey[] = "IDS_LABEL";

struct TextEntry {
    const char* key;
    std::string CTextTable::*text;
    unsigned builtinId;
};

// In the order they are read; the label's text comes between the third and the fourth.
const TextEntry kTextsBeforeLabel[] = {
    {"IDS_WARNING", &CTextTable::m_strWarning, IDS_BUILTIN_WARNING},
    {"IDS_TITLE", &CTextTable::m_strTitle, IDS_BUILTIN_TITLE},
    {"IDS_NONE_SELECT_TEXT", &CTextTable::m_strNoneSelectText, IDS_BUILTIN_NONE_SELECT_TEXT},
};
const TextEntry kTextsAfterLabel[] = {
    {"IDS_CAPTION", &CTextTable::m_strCaption, IDS_BUILTIN_CAPTION},
    {"IDS_USBTITLE", &CTextTable::m_strUsbTitle, IDS_BUILTIN_USBTITLE},
    {"IDS_FIRSTCHECKBOXCAPTION", &CTextTable::m_strFirstCheckBoxCaption,
     IDS_BUILTIN_FIRSTCHECKBOXCAPTION},
    {"IDS_SECONDCHECKBOXCAPTION", &CTextTable::m_strSecondCheckBoxCaption,
     IDS_BUILTIN_SECONDCHECKBOXCAPTION},
    {"IDS_OK", &CTextTable::m_strOk, IDS_BUILTIN_OK},
    {"IDS_CANCEL", &CTextTable::m_strCancel, IDS_BUILTIN_CANCEL},
    {"IDS_FILECOPYSUCCESS", &CTextTable::m_strFileCopySuccess, IDS_BUILTIN_FILECOPYSUCCESS},
    {"IDS_FILECOPYFAIL", &CTextTable::m_strFileCopyFail, IDS_BUILTIN_FILECOPYFAIL},
    {"IDS_NOVDINSTALL", &CTextTable::m_strNoVdInstall, IDS_BUILTIN_NOVDINSTALL},
    {"IDS_NOMEDIAINDEVICE", &CTextTable::m_strNoMediaInDevice, IDS_BUILTIN_NOMEDIAINDEVICE},
};

std::string Key(const char* name, int index) {
    return name + std::to_string(index);
}

} // namespace

std::string ConfigurationFilePath(const std::string& launcherDir, int languageIndex) {
    const std::string suffix = languages::FileSuffix(languageIndex);
    return launcherDir + "Inst" + (languages::IsValid(languageIndex) ? suffix : "") + ".inf";
}

CMenuPage::CMenuPage(std::string pageName, const MenuPageServices& services)
    : m_strPageName(std::move(pageName)), m_services(services) {}

const CMenuItem* CMenuPage::ItemAt(int index) const {
    return index >= 0 && index < static_cast<int>(m_menuItems.size()) ? m_menuItems[index].get()
                                                                      : nullptr;
}

CMenuPage::~CMenuPage() {
    FreeMenuItems();
}

void CMenuPage::FreeMenuItems() {
    m_menuItems.clear();
}

std::string CMenuPage::ReadString(const std::string& section, const std::string& key) const {
    return m_services.profile.GetString(m_strConfigPath, section, key, "", kValueBufferSize);
}

void CMenuPage::LoadTextTable() {
    // A text the file lacks falls back to the built-in text, never to the previous language's.
    const auto load = [this](const TextEntry& entry) {
        std::string value = ReadString(kTextSection, entry.key);
        m_texts.*entry.text = value.empty() ? m_services.strings.Load(entry.builtinId) : value;
    };
    std::for_each(std::begin(kTextsBeforeLabel), std::end(kTextsBeforeLabel), load);
    SetLabelText(ReadString(kTextSection, kLabelKey));
    std::for_each(std::begin(kTextsAfterLabel), std::end(kTextsAfterLabel), load);
}

std::unique_ptr<CMenuItem> CMenuPage::ReadMenuItem(const std::string& section, int index) const {
    auto item = std::make_unique<CMenuItem>();
    item->m_strText = ReadString(section, Key("MenuItemString", index));
    const int type =
        m_services.profile.GetInt(m_strConfigPath, section, Key("MenuItemType", index), 0);
    item->m_nType = (type >= CMenuItem::kTypeExecute && type <= CMenuItem::kTypeUsb)
                        ? type
                        : CMenuItem::kTypeNone;
    item->m_strExecute = ReadString(section, Key("MenuItemExecute", index));
    item->m_strTitle = ReadString(section, Key("MenuItemTitle", index));
    item->m_strDiskId = ReadString(section, Key("MenuItemDiskID", index));
    return item;
}

void CMenuPage::LoadConfiguration(std::string pageName, MenuItemList& items) {
    const int languageIndex = GetSelectedLanguageIndex();
    const std::string launcherDir = GetLauncherDir();
    if (launcherDir.empty()) {
        m_strConfigPath.clear();
        return;
    }
    m_strConfigPath = ConfigurationFilePath(launcherDir, languageIndex);
    LoadTextTable();

    const int count = std::min(
        m_services.profile.GetInt(m_strConfigPath, pageName, "Number of menu", 0), kMaxMenuItems);
    for (int i = 0; i < count; ++i) {
        items.push_back(ReadMenuItem(pageName, i));
    }
}
