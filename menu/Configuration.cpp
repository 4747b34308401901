#include "menu/Configuration.h"

#include "menu/Languages.h"
#include "res/resource.h"

#include <algorithm>
#include <memory>

namespace config {

namespace {

const char kLabelKey[] = "IDS_LABEL";

struct TextEntry {
    const char* key;
    std::string CTextTable::*text;
    unsigned builtinId;
};

const TextEntry kTexts[] = {
    {"IDS_WARNING", &CTextTable::m_strWarning, IDS_BUILTIN_WARNING},
    {"IDS_TITLE", &CTextTable::m_strTitle, IDS_BUILTIN_TITLE},
    {"IDS_NONE_SELECT_TEXT", &CTextTable::m_strNoneSelectText, IDS_BUILTIN_NONE_SELECT_TEXT},
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

class Reader {
public:
    Reader(const platform::IProfileFile& profile, const std::string& file, unsigned codePage)
        : m_profile(profile), m_file(file), m_codePage(codePage) {}

    std::string String(const std::string& section, const std::string& key) const {
        return m_profile.GetString(m_file, m_codePage, section, key, "", kValueBufferSize);
    }
    int Int(const std::string& section, const std::string& key) const {
        return m_profile.GetInt(m_file, m_codePage, section, key, 0);
    }

private:
    const platform::IProfileFile& m_profile;
    const std::string& m_file;
    unsigned m_codePage;
};

std::unique_ptr<CMenuItem> ReadMenuItem(const Reader& reader, const std::string& section,
                                        int index) {
    auto item = std::make_unique<CMenuItem>();
    item->m_strText = reader.String(section, ItemKey(kItemTextKey, index));
    const int type = reader.Int(section, ItemKey(kItemTypeKey, index));
    item->m_nType = (type >= CMenuItem::kTypeExecute && type <= CMenuItem::kTypeUsb)
                        ? type
                        : CMenuItem::kTypeNone;
    item->m_strExecute = reader.String(section, ItemKey(kItemExecuteKey, index));
    item->m_strTitle = reader.String(section, ItemKey(kItemTitleKey, index));
    item->m_strDiskId = reader.String(section, ItemKey(kItemDiskIdKey, index));
    return item;
}

} // namespace

std::string ItemKey(const char* name, int index) {
    return name + std::to_string(index);
}

PageStyle StyleOf(const std::string& pageName) {
    const bool lumo = pageName == kLumoPage; // as the file writes it, letter case included
    return {lumo, lumo};
}

std::string FilePath(const std::string& launcherDir, int languageIndex) {
    const std::string suffix = languages::FileSuffix(languageIndex);
    return launcherDir + "Inst" + (languages::IsValid(languageIndex) ? suffix : "") + ".inf";
}

std::vector<std::string> TextKeys() {
    std::vector<std::string> keys;
    for (const TextEntry& entry : kTexts) {
        keys.emplace_back(entry.key);
    }
    keys.emplace_back(kLabelKey);
    return keys;
}

PageContent ReadPage(const platform::IProfileFile& profile, const platform::IStringTable& strings,
                     const std::string& file, unsigned codePage, const std::string& pageName) {
    const Reader reader(profile, file, codePage);
    PageContent page;
    // A text the file lacks falls back to the built-in text, never to another language's.
    for (const TextEntry& entry : kTexts) {
        std::string value = reader.String(kTextSection, entry.key);
        page.texts.*entry.text = value.empty() ? strings.Load(entry.builtinId) : std::move(value);
    }
    page.label = reader.String(kTextSection, kLabelKey);
    const int count = std::min(reader.Int(pageName, kCountKey), kMaxMenuItems);
    for (int i = 0; i < count; ++i) {
        page.items.push_back(ReadMenuItem(reader, pageName, i));
    }
    return page;
}

} // namespace config
