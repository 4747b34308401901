#pragma once
// What a menu page knows apart from its window: its launcher directory, its name (the section
// of its menu), the texts and entries read from the configuration file of its language, and
// the path of that file. The window (CMenuDlg) answers the questions the page asks of it:
// which language is selected, and what the label above the chooser says.

#include "menu/MenuItem.h"
#include "platform/ProfileFile.h"
#include "platform/StringTable.h"

#include <cstddef>
#include <memory>
#include <string>

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

class CMenuPage {
public:
    // A corrupt entry count must not make a page read or allocate without bound.
    static constexpr int kMaxMenuItems = 256;
    // Every value of the configuration file is read into a buffer of this size.
    static constexpr std::size_t kValueBufferSize = 256;

    CMenuPage(std::string pageName, const platform::IProfileFile& profile,
              const platform::IStringTable& strings);
    CMenuPage(const CMenuPage&) = delete;
    CMenuPage& operator=(const CMenuPage&) = delete;
    virtual ~CMenuPage();

    // Reads the text table and appends the entries of section `pageName` of the selected
    // language's configuration file to `items`. Without a launcher directory nothing is read.
    void LoadConfiguration(std::string pageName, MenuItemList& items);
    std::string GetLauncherDir() const { return m_strLauncherDir; }
    void FreeMenuItems();

    std::string m_strLauncherDir;
    std::string m_strPageName;
    MenuItemList m_menuItems;
    CTextTable m_texts;
    std::string m_strConfigPath;

protected:
    // The item data of the language chooser's selection; any value outside 0 to 5 (none
    // selected) reads the English file.
    virtual int GetSelectedLanguageIndex() const = 0;
    virtual void SetLabelText(const std::string& text) = 0;

    const platform::IProfileFile& m_profile;
    const platform::IStringTable& m_strings;

private:
    void LoadTextTable();
    std::unique_ptr<CMenuItem> ReadMenuItem(const std::string& section, int index) const;
    std::string ReadString(const std::string& section, const std::string& key) const;
};

// The configuration file of a language in the launcher directory: Inst.inf for English and
// for any index that names no language, Inst<suffix>.inf for the others.
std::string ConfigurationFilePath(const std::string& launcherDir, int languageIndex);
