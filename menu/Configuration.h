#pragma once
// The configuration file of a language: the texts of its RES_STR section, with built-in
// fallbacks, and the entries of a page's section. Read with the profile functions, as they
// stand on existing discs.

#include "menu/MenuItem.h"
#include "platform/ProfileFile.h"
#include "platform/StringTable.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// The texts of a page, read from the configuration file with built-in fallbacks.
struct CTextTable {
    std::string m_strWarning;
    std::string m_strTitle;
    std::string m_strNoneSelectText;
    std::string m_strCaption;
    std::string m_strUsbTitle;
    std::string m_strFirstCheckBoxCaption;
    std::string m_strSecondCheckBoxCaption;
    std::string m_strOk;
    std::string m_strCancel;
    std::string m_strFileCopySuccess;
    std::string m_strFileCopyFail;
    std::string m_strNoVdInstall;
    std::string m_strNoMediaInDevice;
    // The program's messages as the language gives them, by the number of their built-in
    // text; a message the file lacks, leaves empty or gives with other blanks is the built-in one.
    std::map<unsigned, std::string> m_messages;
};

namespace config {

// The names the file uses: the section of the main page and of the texts, the entry count of a
// page's section, and the keys of its entry n (the name followed by n in decimal).
inline constexpr char kMainPage[] = "Main Dialog";
inline constexpr char kTextSection[] = "RES_STR";
inline constexpr char kLabelKey[] = "IDS_LABEL"; // the chooser's label, without a built-in text
inline constexpr char kCountKey[] = "Number of menu";
inline constexpr char kItemTextKey[] = "MenuItemString";
inline constexpr char kItemTypeKey[] = "MenuItemType";
inline constexpr char kItemExecuteKey[] = "MenuItemExecute";
inline constexpr char kItemTitleKey[] = "MenuItemTitle";
inline constexpr char kItemDiskIdKey[] = "MenuItemDiskID";
std::string ItemKey(const char* name, int index);

// A corrupt entry count must not make a page read or allocate without bound.
constexpr int kMaxMenuItems = 256;
// Every value of the configuration file is read into a buffer of this size.
constexpr std::size_t kValueBufferSize = 256;

// The configuration file of a language in the launcher directory: Inst.inf for English and
// for any index that names no language, Inst<suffix>.inf for the others.
std::string FilePath(const std::string& launcherDir, int languageIndex);

// What a page shows of its configuration file.
struct PageContent {
    CTextTable texts;  // a text the file lacks or leaves empty is the built-in one
    std::string label; // the chooser's label; empty when the file has none
    MenuItemList items;
};

// The keys of the RES_STR section that the menu reads: its texts and the chooser's label.
std::vector<std::string> TextKeys();

// A key of the RES_STR section with a built-in text: the number of that text, and whether it is
// one of the program's messages. A message is read only when it keeps the built-in text's
// blanks (text::SameBlanks); the page's other texts are shown as the file writes them.
struct TextKey {
    const char* key;
    unsigned builtinId;
    bool message;
};
// Every such key, in the order the page reads them.
std::vector<TextKey> KeyedTexts();

// The text of `texts` that stands for the built-in text `builtinId`; empty when no key of the
// section stands for it.
std::string TextFor(const CTextTable& texts, unsigned builtinId);

// The program's texts as a page in its language shows them: the language's text where a key
// stands for the built-in one, else the built-in text. Reads `texts` as it stands at each call.
class PageStrings final : public platform::IStringTable {
public:
    PageStrings(const platform::IStringTable& builtin, const CTextTable& texts)
        : m_builtin(builtin), m_texts(texts) {}
    std::string Load(unsigned id) const override;

private:
    const platform::IStringTable& m_builtin;
    const CTextTable& m_texts;
};

// How a page shows, by its name: the page named "Lumo Dialog" shows over a background of its
// own, and continues in the language of the page that opened it, its chooser hidden; every other
// page shows over the main background with a chooser of its own.
struct PageStyle {
    bool ownBackground = false;
    bool takesOverLanguage = false;
    bool operator==(const PageStyle& other) const {
        return ownBackground == other.ownBackground && takesOverLanguage == other.takesOverLanguage;
    }
};
inline constexpr char kLumoPage[] = "Lumo Dialog";
PageStyle StyleOf(const std::string& pageName);

// Reads the texts of `file`, written in `codePage`, and the entries of its section `pageName`.
// A missing file or section gives the built-in texts and no entries.
PageContent ReadPage(const platform::IProfileFile& profile, const platform::IStringTable& strings,
                     const std::string& file, unsigned codePage, const std::string& pageName);

} // namespace config
