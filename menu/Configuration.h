#pragma once
// The configuration file of a language: the texts of its RES_STR section, with built-in
// fallbacks, and the entries of a page's section. Read with the profile functions, as they
// stand on existing discs.

#include "menu/MenuItem.h"
#include "platform/ProfileFile.h"
#include "platform/StringTable.h"

#include <cstddef>
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
};

namespace config {

// The names the file uses: the section of the main page and of the texts, the entry count of a
// page's section, and the keys of its entry n (the name followed by n in decimal).
inline constexpr char kMainPage[] = "Main Dialog";
inline constexpr char kTextSection[] = "RES_STR";
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
