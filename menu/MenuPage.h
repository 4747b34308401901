#pragma once
// A menu page apart from its window: it calls the decisions (configuration, language choice,
// entry column, click action, prerequisite and disc checks) and carries out what they return
// through the effects its window provides: the chooser and its label, the drawing of entries
// and help area, the mouse capture, and the windows a click opens.

#include "menu/ClickAction.h"
#include "menu/Configuration.h"
#include "menu/Geometry.h"
#include "menu/MenuItem.h"
#include "menu/MenuPageServices.h"

#include <optional>
#include <string>

class CMenuPage {
public:
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
    // Opens what a type-0 entry names; says so when it cannot be started.
    void OpenEntryTarget(const click::Action& action);
    // Whether the product is installed in the version the USB drivers belong to; says so
    // when it is not.
    bool IsProductInstalled();

    std::string m_strLauncherDir;
    int m_nHotEntry = -1;
    int m_nEntryLeft = -1; // the entry column's left edge once laid out
    MenuItemList m_menuItems;
    geometry::Rect m_rcHelpArea;
    std::string m_strPageName;
    CTextTable m_texts;
    std::string m_strConfigPath;
    unsigned m_nConfigCodePage = 0; // the code page the configuration file is written in

protected:
    // The chooser: the item data of its selection (any value outside 0 to 5, such as none
    // selected, reads the English file), its entries, its selection and its label.
    virtual int GetSelectedLanguageIndex() const = 0;
    virtual void SetLabelText(const std::string& text) = 0;
    virtual void ResetLanguageChooser() = 0;
    virtual void AddLanguage(const std::string& name, int languageIndex) = 0;
    virtual void SetChooserSelection(int position) = 0;
    // Selects the first entry, searching from the second on and wrapping, whose text begins
    // with `text` regardless of letter case; no change when there is none.
    virtual void SelectChooserEntryStartingWith(const std::string& text) = 0;
    virtual void EnableLanguageChooser(bool enable) = 0;
    // The chooser position of the page that opened this one; empty when it has none.
    virtual std::optional<int> GetOpeningPageSelection() const = 0;

    // The window: its size, what it draws, the capture.
    virtual int GetBackgroundHeight() const = 0;
    virtual geometry::Rect GetClientArea() const = 0;
    virtual void DrawHelpArea(const geometry::Rect& rect, const std::string& help) = 0;
    virtual void DrawEntry(const geometry::Rect& rect, const std::string& text, bool hot) = 0;
    // Paints `rect` anew as the window shows it (background, and whatever lies in it).
    virtual void RepaintArea(const geometry::Rect& rect) = 0;
    virtual void ReleaseMouseCapture() = 0; // when the page holds it
    virtual bool HasMouseCapture() const = 0;
    virtual void TakeMouseCapture() = 0;

    // The windows a click opens, and closing this page.
    virtual platform::WindowRef GetWindowRef() const = 0;
    virtual void RunSubPage(const std::string& pageName) = 0;
    virtual void EndPage() = 0;
    virtual void OpenManualsWindow(const std::string& languageName) = 0;
    virtual void OpenUsbDriverDialog() = 0;

    MenuPageServices m_services;

private:
    // The help text of the hot entry, empty when none is hot.
    std::string HotHelp() const;
    void DrawEntryAt(int index, bool hot);
};
