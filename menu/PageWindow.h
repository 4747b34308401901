#pragma once
// The window side of a menu page: what the page shows and opens on screen. The page decides and
// asks; the window carries it out (menu/win32/MenuDlg), or a test records it.

#include "menu/Configuration.h"
#include "menu/Geometry.h"
#include "menu/HelpText.h"

#include <string>
#include <vector>

class IPageWindow {
public:
    virtual ~IPageWindow() = default;

    // The language chooser: its entries in order, its selection (a position; -1 for none),
    // whether the user may change it, and the label above it.
    virtual void ShowLanguages(const std::vector<std::string>& names) = 0;
    virtual void SelectLanguage(int position) = 0;
    virtual void EnableLanguageChooser(bool enable) = 0;
    virtual void SetLabelText(const std::string& text) = 0;

    // Drawing over whatever the window shows; a change that leaves part of the page empty
    // paints that part anew as the window shows it (background, and whatever lies in it).
    virtual void DrawHelpArea(const geometry::Rect& rect, const HelpTextLayout& help) = 0;
    // An entry's face: hot, with the focus frame when it is `focused` (current with the
    // keyboard in the column and focus cues shown), and its access key underlined when
    // `accessKeys`.
    virtual void DrawEntry(const geometry::Rect& rect, const std::string& text, bool hot,
                           bool focused, bool accessKeys) = 0;
    virtual void RepaintArea(const geometry::Rect& rect) = 0;

    // The windows a click opens, each for the time of its modal run, and closing this page. A
    // sub-page named `pageName` opens in the style its name gives it; `languageIndex` is this
    // page's language, which it may take over. All three read the disc at `launcherDir`, this
    // page's launcher directory; the USB driver dialog starts the disc's own program where the
    // packages need administrator rights.
    virtual void RunSubPage(const std::string& pageName, int languageIndex,
                            const std::string& launcherDir) = 0;
    virtual void OpenManualsWindow(const std::string& languageName, const std::string& caption,
                                   const std::string& launcherDir) = 0;
    virtual void OpenUsbDriverDialog(const CTextTable& texts, const std::string& launcherDir) = 0;
    virtual void EndPage() = 0;

    // The entry `index` became current while the keyboard is in the column: assistive
    // technology is told that the focus moved to it.
    virtual void AnnounceFocus(int index) = 0;
};
