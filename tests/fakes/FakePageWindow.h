#pragma once
// A menu page's window that records what the page asks of it (the chooser and its label, what
// it draws, the windows it opens), and a page on it over the fake platform and language files
// written into a folder of its own, so that tests can drive the page's handlers and see what
// they would do.

#include "PageCoordinates.h"
#include "fakes/FakeDriverStore.h"
#include "fakes/FakePlatform.h"
#include "menu/MenuPage.h"
#include "menu/PageWindow.h"
#include "platform/profile/ProfileReader.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fakes {

struct Drawn {
    enum Kind { kEntry, kHelpArea, kRepaint } kind;
    geometry::Rect rect;
    std::string text; // entry text, or the help area's text as composed
    bool hot = false;
    bool focused = false;    // with the focus frame
    bool accessKeys = false; // with its access key underlined
    bool operator==(const Drawn& other) const {
        return kind == other.kind && rect == other.rect && text == other.text && hot == other.hot &&
               focused == other.focused && accessKeys == other.accessKeys;
    }
};

class FakePageWindow : public IPageWindow {
public:
    void ShowLanguages(const std::vector<std::string>& names) override { chooser = names; }
    void SelectLanguage(int position) override { selection = position; }
    void EnableLanguageChooser(bool enable) override { chooserEnabled = enable; }
    void SetLabelText(const std::string& text) override { label = text; }
    void DrawHelpArea(const geometry::Rect& rect, const HelpTextLayout& help) override {
        drawn.push_back({Drawn::kHelpArea, rect, help.text, false});
    }
    void DrawEntry(const geometry::Rect& rect, const std::string& text, bool hot, bool focused,
                   bool accessKeys) override {
        drawn.push_back({Drawn::kEntry, rect, text, hot, focused, accessKeys});
    }
    void RepaintArea(const geometry::Rect& rect) override {
        drawn.push_back({Drawn::kRepaint, rect, "", false});
    }
    void RunSubPage(const std::string& pageName, int languageIndex,
                    const std::string& launcherDir) override {
        actions.push_back("page " + pageName + " " + std::to_string(languageIndex));
        openedFrom.push_back(launcherDir);
    }
    void OpenManualsWindow(const std::string& languageName, const std::string& caption,
                           const std::string& launcherDir) override {
        actions.push_back("manuals " + languageName + " " + caption);
        openedFrom.push_back(launcherDir);
    }
    void OpenUsbDriverDialog(const CTextTable& texts, const std::string& launcherDir) override {
        actions.push_back("usb " + texts.m_strUsbTitle);
        openedFrom.push_back(launcherDir);
    }
    void EndPage() override { actions.push_back("end"); }
    void AnnounceFocus(int index) override { announced.push_back(index); }

    std::vector<std::string> chooser;
    int selection = -1;
    std::optional<bool> chooserEnabled;
    std::string label = "(untouched)";
    std::vector<Drawn> drawn;
    std::vector<std::string> actions;    // windows opened, pages closed
    std::vector<std::string> openedFrom; // the launcher directory of each page or manuals opened
    std::vector<int> announced;          // entries the focus moved to
};

// The platform a page talks to, with the portable reader for its configuration files.
struct FakeMenuServices {
    platform::ProfileReader profile;
    FakeStringTable strings;
    FakeRegistry registry;
    FakeLocale locale;
    FakeFileSystem files;
    FakeProcesses processes;
    FakeShell shell;
    FakeUserInterface ui;
    FakeSystemErrors errors;
    FakeDriverStore drivers;
    MenuPageServices Get() {
        return {profile, strings, registry, locale, files, processes, shell, ui, errors, drivers};
    }
};

// A page of a disc in a folder of its own, on a recording window.
class PageOnDisc {
public:
    PageOnDisc();
    PageOnDisc(const PageOnDisc&) = delete;
    PageOnDisc& operator=(const PageOnDisc&) = delete;
    ~PageOnDisc();

    // The disc's folder, ending in a separator: the page's launcher directory.
    const std::string& Disc() const { return m_disc; }
    // Writes the language file of `language` with `content` (written as it stands).
    void WriteLanguageFile(int language, const std::string& content) const;

    // Opens the page named `name` as its window's initialisation does, and lays it out over
    // the sample background; the owner of its message boxes is the recording window.
    CMenuPage& Open(const std::string& name = "Main Dialog",
                    std::optional<int> openerLanguage = std::nullopt, bool layOut = true);
    CMenuPage& page() { return *m_page; }
    platform::WindowRef Owner() { return &window; }

    FakeMenuServices services;
    FakePageWindow window;

private:
    std::filesystem::path m_folder;
    std::string m_disc;
    std::unique_ptr<CMenuPage> m_page;
};

} // namespace fakes
