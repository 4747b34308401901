#include "menu/Configuration.h"

#include "framework/text/StringUtil.h"
#include "menu/Languages.h"
#include "res/Product.h"
#include "res/resource.h"

#include <algorithm>
#include <memory>

namespace config {

namespace {

// Every text of the section with a built-in fallback. A text with a field of its own is one of
// the page's texts; one without is one of the program's messages, kept in m_messages.
struct TextEntry {
    const char* key;
    unsigned builtinId;
    std::string CTextTable::*text = nullptr;
};

const TextEntry kTexts[] = {
    {"IDS_WARNING", IDS_BUILTIN_WARNING, &CTextTable::m_strWarning},
    {"IDS_TITLE", IDS_BUILTIN_TITLE, &CTextTable::m_strTitle},
    {"IDS_NONE_SELECT_TEXT", IDS_BUILTIN_NONE_SELECT_TEXT, &CTextTable::m_strNoneSelectText},
    {"IDS_CAPTION", IDS_BUILTIN_CAPTION, &CTextTable::m_strCaption},
    {"IDS_USBTITLE", IDS_BUILTIN_USBTITLE, &CTextTable::m_strUsbTitle},
    {"IDS_FIRSTCHECKBOXCAPTION", IDS_BUILTIN_FIRSTCHECKBOXCAPTION,
     &CTextTable::m_strFirstCheckBoxCaption},
    {"IDS_SECONDCHECKBOXCAPTION", IDS_BUILTIN_SECONDCHECKBOXCAPTION,
     &CTextTable::m_strSecondCheckBoxCaption},
    {"IDS_OK", IDS_BUILTIN_OK, &CTextTable::m_strOk},
    {"IDS_CANCEL", IDS_BUILTIN_CANCEL, &CTextTable::m_strCancel},
    {"IDS_FILECOPYSUCCESS", IDS_BUILTIN_FILECOPYSUCCESS, &CTextTable::m_strFileCopySuccess},
    {"IDS_FILECOPYFAIL", IDS_BUILTIN_FILECOPYFAIL, &CTextTable::m_strFileCopyFail},
    {"IDS_NOVDINSTALL", IDS_BUILTIN_NOVDINSTALL, &CTextTable::m_strNoVdInstall},
    {"IDS_NOMEDIAINDEVICE", IDS_BUILTIN_NOMEDIAINDEVICE, &CTextTable::m_strNoMediaInDevice},
    // The program's messages, shown once a language is chosen.
    {"IDS_ERROR_CAPTION", IDS_BUILTIN_ERROR_CAPTION},
    {"IDS_CANNOT_START", IDS_BUILTIN_CANNOT_START},
    {"IDS_ERROR_CODE", IDS_BUILTIN_ERROR_CODE},
    {"IDS_JAVA_NO_TEMP", IDS_BUILTIN_JAVA_NO_TEMP},
    {"IDS_JAVA_COPY_FAILED", IDS_BUILTIN_JAVA_COPY_FAILED},
    {"IDS_JAVA_START_FAILED", IDS_BUILTIN_JAVA_START_FAILED},
    {"IDS_NO_HTML_FILE", IDS_BUILTIN_NO_HTML_FILE},
    {"IDS_NO_PDF_READER", IDS_BUILTIN_NO_PDF_READER},
    {"IDS_FILE_LABEL", IDS_BUILTIN_FILE_LABEL},
    {"IDS_LINK_TO_PROGRAM", IDS_BUILTIN_LINK_TO_PROGRAM},
    {"IDS_LINK_OUTSIDE", IDS_BUILTIN_LINK_OUTSIDE},
    {"IDS_USB_FAILED", IDS_BUILTIN_USB_FAILED},
    {"IDS_USB_DECLINED", IDS_BUILTIN_USB_DECLINED},
    {"IDS_PRESS", IDS_BUILTIN_PRESS},
    {"IDS_UNEXPECTED_ERROR", IDS_BUILTIN_UNEXPECTED_ERROR},
    {"IDS_STARTUP_CAPTION", IDS_BUILTIN_STARTUP_CAPTION},
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

std::vector<TextKey> KeyedTexts() {
    std::vector<TextKey> keys;
    for (const TextEntry& entry : kTexts) {
        keys.push_back({entry.key, entry.builtinId, entry.text == nullptr});
    }
    return keys;
}

std::string TextFor(const CTextTable& texts, unsigned builtinId) {
    for (const TextEntry& entry : kTexts) {
        if (entry.builtinId != builtinId) {
            continue;
        }
        if (entry.text != nullptr) {
            return texts.*entry.text;
        }
        const auto message = texts.m_messages.find(builtinId);
        return message == texts.m_messages.end() ? std::string() : message->second;
    }
    return {};
}

std::string PageStrings::Load(unsigned id) const {
    std::string text = TextFor(m_texts, id);
    return text.empty() ? m_builtin.Load(id) : text;
}

PageContent ReadPage(const platform::IProfileFile& profile, const platform::IStringTable& strings,
                     const std::string& file, unsigned codePage, const std::string& pageName) {
    const Reader reader(profile, file, codePage);
    const product::Brand& brand = product::CurrentBrand();
    PageContent page;
    // A text the file lacks falls back to the built-in text, never to another language's, with
    // the brand's names where it names the sample product's.
    // A message with other blanks than its built-in text would put its values in the wrong
    // places, or read past them: the built-in text is shown instead.
    for (const TextEntry& entry : kTexts) {
        std::string value = reader.String(kTextSection, entry.key);
        std::string builtin = strings.Load(entry.builtinId);
        const bool usable =
            !value.empty() && (entry.text != nullptr || text::SameBlanks(value, builtin));
        std::string& text =
            entry.text != nullptr ? page.texts.*entry.text : page.texts.m_messages[entry.builtinId];
        text = usable ? std::move(value) : product::NamedFor(std::move(builtin), brand);
    }
    page.label = reader.String(kTextSection, kLabelKey);
    const int count = std::min(reader.Int(pageName, kCountKey), kMaxMenuItems);
    for (int i = 0; i < count; ++i) {
        page.items.push_back(ReadMenuItem(reader, pageName, i));
    }
    return page;
}

} // namespace config
