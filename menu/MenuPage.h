#pragma once
// A menu page apart from its window: it calls the decisions (configuration, language choice,
// entry column, click action, prerequisite and disc checks) and carries out what they return
// through its window (IPageWindow): the chooser and its label, the drawing of entries and help
// area, and the windows a click opens. It owns the page's state; the window tells it what
// happens (a pointer move, a click, a new chooser selection) and asks it what to show.

#include "menu/ClickAction.h"
#include "menu/Configuration.h"
#include "menu/EntryColumn.h"
#include "menu/Geometry.h"
#include "menu/MenuItem.h"
#include "menu/MenuPageServices.h"
#include "menu/PageLayout.h"
#include "menu/PageWindow.h"

#include <optional>
#include <string>
#include <vector>

// What a page is opened with.
struct PageContext {
    std::string pageName;
    // The medium's directory, ending in a backslash; without it nothing is read.
    std::string launcherDir;
    // The language index of the page that opened this one; none for the main page.
    std::optional<int> openerLanguage;
};

// What assistive technology learns of an entry: its text without access key marks, its help
// text on one line, its access key (UTF-8; empty for none), its face, and whether it is hot
// and has the keyboard focus.
struct AccessibleEntry {
    std::string name;
    std::string description;
    std::string accessKey;
    geometry::Rect face;
    bool hot = false;
    bool focused = false;
};

class CMenuPage {
public:
    CMenuPage(PageContext context, const MenuPageServices& services, IPageWindow& window);
    CMenuPage(const CMenuPage&) = delete;
    CMenuPage& operator=(const CMenuPage&) = delete;

    // As the window is made: fills the chooser, selects the first language and loads the page
    // in it. Message boxes of the page are owned by `owner`.
    void OnInitDialog(platform::WindowRef owner);
    // Lays the page out beside a background of that size (in design pixels), in the client
    // area `client`, at the screen's `scale`; until then nothing is drawn or hit.
    void LayOut(int backgroundWidth, int backgroundHeight, const geometry::Rect& client,
                const layout::Scale& scale = {});
    // Paints the help area and every entry over the background, after the chooser's lock.
    void OnPaint();
    // Hover feedback: redraws only the entries whose state changes, and the help area when
    // the hot entry changes.
    void OnMouseMove(int x, int y);
    // A press of the left button at (x, y): executes the entry there. False when the handling
    // ended early, after a refused disc check, and the message must not go on.
    bool OnLButtonDown(int x, int y);
    // The chooser's selection changed to `position`: the page reloads in that language.
    void OnSelendokLanguage(int position);

    // The keyboard. Pointer and keyboard share one current entry, the hot one. The entry
    // column takes or loses the keyboard focus; focus cues and access key underlines are shown
    // or hidden as the system decides (hidden until the user first works with the keyboard).
    // The current entry has a focus frame while the column has the focus and cues are shown.
    // The focus coming to the column with cues shown makes the first entry current when none
    // is.
    void OnColumnFocus(bool focused);
    void OnUiState(bool focusCues, bool accessKeys);
    // Up, Down, Home or End in the column.
    void OnKey(entries::Key key);
    // An access key, folded (see accesskeys::Fold); false when no entry has it.
    bool OnAccessKey(char32_t key);
    // Carries out the entry `index` as a click on it does (nothing for an index that names no
    // entry). False when the handling ended early, after a refused disc check.
    bool CarryOut(int index);
    // Carries out the current entry, as Enter and Space in the entry column do.
    bool CarryOutCurrent() { return CarryOut(m_nHotEntry); }
    // Every entry as assistive technology reads it, in entry order.
    std::vector<AccessibleEntry> AccessibleEntries() const;

    // What the window shows of the page.
    const config::PageStyle& Style() const { return m_style; }
    // The program's texts in the page's language, for the messages of the windows it opens.
    const platform::IStringTable& Strings() const { return m_strings; }
    int HotEntry() const { return m_nHotEntry; }
    // The parts of the system the page reaches, for the windows it opens.
    const MenuPageServices& Services() const { return m_services; }
    // The scale of the screen the page was last laid out for, which it is drawn at.
    const layout::Scale& Scale() const { return m_scale; }

private:
    // The language of the chooser's selection; -1 while none is selected.
    int LanguageIndex() const;
    void FillLanguageChooser();
    void SelectInitialLanguage();
    // Reads the text table and the entries of this page in the selected language.
    void LoadConfiguration();
    void DrawMenu();
    void DrawHelpArea();
    void DrawEntryAt(int index, bool hot);
    geometry::Rect EntryRect(int index) const;
    // The help area's text while the hot entry is hot (none: -1), composed when the page is
    // read, so that a move of the pointer composes nothing.
    const HelpTextLayout& HelpFor(int hotEntry) const;
    // Makes `index` (-1 for none) the current entry, with the drawing and announcement that
    // goes with it.
    void MakeCurrent(int index);
    // Which entries have no text, in entry order.
    std::vector<bool> BlankEntries() const;

    // Whether the disc that holds `diskId` is in the drive, asking for it while it is not.
    bool CheckDisk(const std::string& diskId);
    void InstallJavaRuntime();
    void OpenEntryTarget(const click::Action& action);
    // Whether the product is installed in the version the USB drivers belong to; says so when
    // it is not.
    bool IsProductInstalled();

    const std::string m_strPageName;
    const std::string m_strLauncherDir;
    const std::optional<int> m_openerLanguage;
    const config::PageStyle m_style;
    MenuPageServices m_services;
    IPageWindow& m_window;
    platform::WindowRef m_owner = nullptr;

    std::vector<int> m_chooserLanguages; // the language index of each chooser entry
    int m_nSelection = -1;               // the chooser's selection, -1 for none
    CTextTable m_texts;
    config::PageStrings m_strings{m_services.strings, m_texts};
    MenuItemList m_menuItems;
    std::vector<HelpTextLayout> m_helpTexts; // of each entry, then of none
    std::string m_strConfigPath;
    unsigned m_nConfigCodePage = 0; // the code page the configuration file is written in
    int m_nHotEntry = -1;
    bool m_bColumnFocused = false;
    bool m_bFocusCues = false;
    bool m_bAccessKeys = false;             // access keys are underlined
    int m_nEntryLeft = layout::kNotLaidOut; // the entry column's left edge once laid out
    geometry::Rect m_rcHelpArea;
    layout::Scale m_scale; // of the screen the page was last laid out for
};
