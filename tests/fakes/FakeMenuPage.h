#pragma once
// A menu page without a window: it records the effects the page asks of its window (the
// chooser and its label, what it draws, the capture, the windows it opens), so that tests can
// drive the page's handlers and see what they would do.

#include "fakes/FakeDriverStore.h"
#include "fakes/FakePlatform.h"
#include "menu/MenuPage.h"
#include "menu/PageLayout.h"
#include "platform/portable/ProfileReader.h"

#include <optional>
#include <string>
#include <vector>

namespace fakes {

struct Drawn {
    enum Kind { kEntry, kHelpArea, kRepaint } kind;
    geometry::Rect rect;
    std::string text; // entry text, or help text as handed over
    bool hot = false;
    bool operator==(const Drawn& other) const {
        return kind == other.kind && rect == other.rect && text == other.text && hot == other.hot;
    }
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

class FakeMenuPage : public CMenuPage {
public:
    FakeMenuPage(std::string name, FakeMenuServices& services)
        : CMenuPage(std::move(name), services.Get()) {}

    // Empties the model and loads it again, as a change of language does, without drawing.
    void Reload() {
        FreeMenuItems();
        LoadConfiguration(m_strPageName, m_menuItems);
    }
    // As the window's initialisation lays the page out for a 400 x 300 background.
    void LayOut() { m_nEntryLeft = layout::EntryColumnLeft(400); }

    // The chooser: entry texts with their item data, the selection, the enabled state.
    std::vector<std::pair<std::string, int>> chooser;
    int selection = -1;
    std::optional<bool> chooserEnabled;
    std::optional<int> openerSelection;
    int languageIndexOverride = -2; // when not -2, answers GetSelectedLanguageIndex directly
    std::string label = "(untouched)";
    std::vector<Drawn> drawn;
    int captureReleases = 0;

protected:
    int GetSelectedLanguageIndex() const override;
    void SetLabelText(const std::string& text) override { label = text; }
    void ResetLanguageChooser() override;
    void AddLanguage(const std::string& name, int languageIndex) override;
    void SetChooserSelection(int position) override;
    void SelectChooserEntryStartingWith(const std::string& text) override;
    void EnableLanguageChooser(bool enable) override { chooserEnabled = enable; }
    std::optional<int> GetOpeningPageSelection() const override { return openerSelection; }
    int GetBackgroundHeight() const override { return 300; }
    geometry::Rect GetClientArea() const override { return {0, 0, 597, 340}; }
    void DrawHelpArea(const geometry::Rect& rect, const std::string& help) override {
        drawn.push_back({Drawn::kHelpArea, rect, help, false});
    }
    void DrawEntry(const geometry::Rect& rect, const std::string& text, bool hot) override {
        drawn.push_back({Drawn::kEntry, rect, text, hot});
    }
    void RepaintArea(const geometry::Rect& rect) override {
        drawn.push_back({Drawn::kRepaint, rect, "", false});
    }
    void ReleaseMouseCapture() override {
        ++captureReleases;
        hasCapture = false;
    }
    bool HasMouseCapture() const override { return hasCapture; }
    void TakeMouseCapture() override { hasCapture = true; }

public:
    platform::WindowRef GetWindowRef() const override { return const_cast<FakeMenuPage*>(this); }

protected:
    void RunSubPage(const std::string& pageName) override { actions.push_back("page " + pageName); }
    void EndPage() override { actions.push_back("end"); }
    void OpenManualsWindow(const std::string& languageName) override {
        actions.push_back("manuals " + languageName);
    }
    void OpenUsbDriverDialog() override { actions.push_back("usb"); }

public:
    bool hasCapture = false;
    std::vector<std::string> actions; // windows opened, pages closed
};

} // namespace fakes
