#pragma once
// What a menu page decides apart from its window: its launcher directory, its name (the
// section of its menu), the texts and entries read from the configuration file of its
// language, the choice of that language, the entry column and the hover feedback. The window
// (CMenuDlg) carries out what the page decides through the operations it overrides: the
// language chooser and its label, the drawing of entries and help area, the mouse capture.

#include "menu/Geometry.h"
#include "menu/MenuItem.h"
#include "menu/MenuPageServices.h"

#include <cstddef>
#include <memory>
#include <optional>
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

    // The entry column: 37-pixel entries on a 41-pixel pitch, 15 pixels below the top.
    static constexpr int kEntryWidth = 185;
    static constexpr int kEntryHeight = 37;
    static constexpr int kEntryPitch = 41;
    static constexpr int kEntryTop = 15;
    // The page named so takes over its opener's language and hides its chooser.
    static constexpr const char* kLumoPageName = "Lumo Dialog";

    CMenuPage(std::string pageName, const MenuPageServices& services);
    CMenuPage(const CMenuPage&) = delete;
    CMenuPage& operator=(const CMenuPage&) = delete;
    virtual ~CMenuPage();

    // Reads the text table and appends the entries of section `pageName` of the selected
    // language's configuration file to `items`. Without a launcher directory nothing is read.
    void LoadConfiguration(std::string pageName, MenuItemList& items);
    std::string GetLauncherDir() const { return m_strLauncherDir; }
    void FreeMenuItems();

    // The rectangle of entry `index`; empty (nothing drawn, nothing hit) until the page is
    // laid out.
    geometry::Rect GetEntryRect(int index) const;
    // Draws the help area and every entry over whatever the window shows.
    void DrawMenu();
    // Hover feedback: redraws only the entries whose state changes, and the help area when
    // the hot entry changes.
    void OnMouseMove(int x, int y);

    // Language selection.
    bool GetForcedLanguage(std::string& forced) const;
    void FillLanguageChooser();
    void SelectInitialLanguage();
    void OnSelendokLanguage();
    // Disables the chooser while the registry forces one of the languages; read at every paint.
    void ApplyLanguageLock();

    bool IsLumoPage() const { return m_strPageName == kLumoPageName; }

    // A press of the left button at (x, y): executes the entry there. False when the handling
    // ended early, after a refused disc check, and the message must not go on.
    bool OnLButtonDown(int x, int y);

    // Whether the disc that holds `diskId` is in the drive, asking for it while it is not.
    bool CheckDisk(const std::string& diskId);
    // Installs the Java runtime from the disc when the browser is new enough.
    void InstallJavaRuntime();
    // Whether the product is installed in the version the USB drivers belong to; says so
    // when it is not.
    bool IsProductInstalled();

    std::string m_strLauncherDir;
    int m_nHotEntry = -1;
    int m_nEntryLeft = -1;
    MenuItemList m_menuItems;
    geometry::Rect m_rcHelpArea;
    std::string m_strPageName;
    CTextTable m_texts;
    std::string m_strConfigPath;

protected:
    // The item data of the language chooser's selection; any value outside 0 to 5 (none
    // selected) reads the English file.
    virtual int GetSelectedLanguageIndex() const = 0;
    virtual void SetLabelText(const std::string& text) = 0;

    // The language chooser.
    virtual void ResetLanguageChooser() = 0;
    virtual void AddLanguage(const std::string& name, int languageIndex) = 0;
    virtual int GetChooserSelection() const = 0; // position, or -1 for none
    virtual void SetChooserSelection(int position) = 0;
    // Selects the first entry, searching from the second on and wrapping, whose text begins
    // with `text` regardless of letter case; no change when there is none.
    virtual void SelectChooserEntryStartingWith(const std::string& text) = 0;
    virtual void EnableLanguageChooser(bool enable) = 0;
    // The chooser position of the page that opened this one; empty when it has none.
    virtual std::optional<int> GetOpeningPageSelection() const = 0;

    // The window.
    virtual int GetBackgroundHeight() const = 0;
    virtual geometry::Rect GetClientArea() const = 0;
    virtual void DrawHelpArea(const geometry::Rect& rect, const std::string& help) = 0;
    virtual void DrawEntry(const geometry::Rect& rect, const std::string& text, bool hot) = 0;
    virtual void ReleaseMouseCapture() = 0; // when any window of the program holds it
    virtual bool HasMouseCapture() const = 0;
    virtual void TakeMouseCapture() = 0;

    // The windows a click opens, and closing this page.
    virtual platform::WindowRef GetWindowRef() const = 0;
    virtual void RunSubPage(const std::string& pageName) = 0;
    virtual void EndPage() = 0;
    virtual void OpenManualsWindow(const std::string& languageName) = 0;
    virtual void OpenUsbDriverDialog() = 0;

    // The entry at `index`, or nullptr when the index names none.
    const CMenuItem* ItemAt(int index) const;

    MenuPageServices m_services;

private:
    void LoadTextTable();
    std::unique_ptr<CMenuItem> ReadMenuItem(const std::string& section, int index) const;
    std::string ReadString(const std::string& section, const std::string& key) const;
};

// The configuration file of a language in the launcher directory: Inst.inf for English and
// for any index that names no language, Inst<suffix>.inf for the others.
std::string ConfigurationFilePath(const std::string& launcherDir, int languageIndex);
