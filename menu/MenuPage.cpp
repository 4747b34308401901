#include "menu/MenuPage.h"

#include "framework/text/Unicode.h"
#include "menu/AccessKeys.h"
#include "menu/EntryColumn.h"
#include "menu/LanguageChoice.h"
#include "menu/Languages.h"
#include "menu/Prerequisites.h"
#include "res/resource.h"

#include <utility>

namespace {
constexpr unsigned kDiscPromptStyle =
    platform::mb::kRetryCancel | platform::mb::kIconExclamation | platform::mb::kSetForeground;
} // namespace

CMenuPage::CMenuPage(PageContext context, const MenuPageServices& services, IPageWindow& window)
    : m_strPageName(std::move(context.pageName)), m_strLauncherDir(std::move(context.launcherDir)),
      m_openerLanguage(context.openerLanguage), m_style(config::StyleOf(m_strPageName)),
      m_services(services), m_window(window) {}

void CMenuPage::OnInitDialog(platform::WindowRef owner) {
    m_owner = owner;
    FillLanguageChooser();
    SelectInitialLanguage();
}

void CMenuPage::LayOut(int backgroundWidth, int backgroundHeight, const geometry::Rect& client,
                       const layout::Scale& scale) {
    m_scale = scale;
    m_nEntryLeft = layout::EntryColumnLeft(backgroundWidth);
    m_rcHelpArea = layout::HelpArea(backgroundHeight, client, scale);
}

// --- Configuration --------------------------------------------------------------------------

void CMenuPage::LoadConfiguration() {
    m_menuItems.clear();
    m_helpTexts.assign(1, ComposeHelpText(std::string(), m_texts.m_strNoneSelectText));
    if (m_strLauncherDir.empty()) {
        m_strConfigPath.clear();
        return;
    }
    const int language = LanguageIndex();
    m_strConfigPath = config::FilePath(m_strLauncherDir, language);
    m_nConfigCodePage = languages::CodePage(language);
    config::PageContent content = config::ReadPage(
        m_services.profile, m_services.strings, m_strConfigPath, m_nConfigCodePage, m_strPageName);
    m_texts = std::move(content.texts);
    m_window.SetLabelText(content.label);
    m_menuItems = std::move(content.items);
    m_helpTexts.clear();
    for (const auto& item : m_menuItems) {
        m_helpTexts.push_back(ComposeHelpText(item->m_strTitle, m_texts.m_strNoneSelectText));
    }
    m_helpTexts.push_back(ComposeHelpText(std::string(), m_texts.m_strNoneSelectText));
}

// --- Entry column and hover feedback -----------------------------------------------------------

geometry::Rect CMenuPage::EntryRect(int index) const {
    return layout::EntryRect(m_nEntryLeft, index, m_scale);
}

const HelpTextLayout& CMenuPage::HelpFor(int hotEntry) const {
    if (m_helpTexts.empty()) { // not read yet
        static const HelpTextLayout nothing{std::string(), layout::kHelpTextTopOneLine};
        return nothing;
    }
    const bool named = hotEntry >= 0 && hotEntry < static_cast<int>(m_helpTexts.size()) - 1;
    return m_helpTexts[named ? static_cast<std::size_t>(hotEntry) : m_helpTexts.size() - 1];
}

void CMenuPage::DrawHelpArea() {
    if (m_nEntryLeft != layout::kNotLaidOut) {
        m_window.DrawHelpArea(m_rcHelpArea, HelpFor(m_nHotEntry));
    }
}

void CMenuPage::DrawEntryAt(int index, bool hot) {
    if (m_nEntryLeft != layout::kNotLaidOut) {
        m_window.DrawEntry(EntryRect(index), m_menuItems[index]->m_strText, hot,
                           hot && m_bColumnFocused && m_bFocusCues, m_bAccessKeys);
    }
}

void CMenuPage::DrawMenu() {
    DrawHelpArea();
    for (int i = 0; i < static_cast<int>(m_menuItems.size()); ++i) {
        DrawEntryAt(i, i == m_nHotEntry);
    }
}

void CMenuPage::OnPaint() {
    // The registry may have changed since the last paint.
    m_window.EnableLanguageChooser(
        !languages::IsLocked(languages::ReadForcedLanguage(m_services.registry)));
    DrawMenu();
}

void CMenuPage::OnMouseMove(int x, int y) {
    const entries::MoveEffect effect = entries::OnMove(
        m_nEntryLeft, static_cast<int>(m_menuItems.size()), m_nHotEntry, x, y, m_scale);
    for (const entries::Redraw& redraw : effect.redraw) {
        DrawEntryAt(redraw.index, redraw.hot);
    }
    m_nHotEntry = effect.hotEntry;
    if (effect.redrawHelpArea) {
        DrawHelpArea();
        if (m_bColumnFocused && m_nHotEntry >= 0) {
            m_window.AnnounceFocus(m_nHotEntry);
        }
    }
}

// --- Keyboard ----------------------------------------------------------------------------------

void CMenuPage::MakeCurrent(int index) {
    const int count = static_cast<int>(m_menuItems.size());
    const int old = m_nHotEntry;
    m_nHotEntry = index;
    if (old >= 0 && old < count && old != index) {
        DrawEntryAt(old, false);
    }
    if (index >= 0 && index < count) {
        DrawEntryAt(index, true);
        if (m_bColumnFocused) {
            m_window.AnnounceFocus(index);
        }
    }
    if (old != index) {
        DrawHelpArea();
    }
}

void CMenuPage::OnColumnFocus(bool focused) {
    m_bColumnFocused = focused;
    if (focused && m_bFocusCues && m_nHotEntry < 0) {
        MakeCurrent(entries::AfterKey(BlankEntries(), -1, entries::Key::kHome));
        return;
    }
    // The frame comes or goes, and the entry that has the focus is announced.
    MakeCurrent(m_nHotEntry);
}

void CMenuPage::OnUiState(bool focusCues, bool accessKeys) {
    if (accessKeys != m_bAccessKeys) {
        m_bAccessKeys = accessKeys;
        DrawMenu();
    }
    if (focusCues == m_bFocusCues) {
        return;
    }
    m_bFocusCues = focusCues;
    // The frame comes or goes; the key that showed the cues chooses the entry, if any.
    MakeCurrent(m_nHotEntry);
}

std::vector<bool> CMenuPage::BlankEntries() const {
    std::vector<bool> blank;
    blank.reserve(m_menuItems.size());
    for (const auto& item : m_menuItems) {
        blank.push_back(accesskeys::IsBlank(item->m_strText));
    }
    return blank;
}

void CMenuPage::OnKey(entries::Key key) {
    MakeCurrent(entries::AfterKey(BlankEntries(), m_nHotEntry, key));
}

bool CMenuPage::OnAccessKey(char32_t key) {
    std::vector<char32_t> keys;
    keys.reserve(m_menuItems.size());
    for (const auto& item : m_menuItems) {
        keys.push_back(accesskeys::AccessKey(item->m_strText));
    }
    const int old = m_nHotEntry;
    const entries::AccessKeyMove move = entries::AfterAccessKey(keys, old, key);
    if (!move.carryOut && move.current == old) {
        return false;
    }
    MakeCurrent(move.current);
    if (move.carryOut) {
        CarryOut(move.current);
    }
    return true;
}

std::vector<AccessibleEntry> CMenuPage::AccessibleEntries() const {
    std::vector<AccessibleEntry> accessible;
    accessible.reserve(m_menuItems.size());
    for (int i = 0; i < static_cast<int>(m_menuItems.size()); ++i) {
        const CMenuItem& item = *m_menuItems[i];
        AccessibleEntry entry;
        entry.name = accesskeys::PlainText(item.m_strText);
        entry.description = ComposeHelpText(item.m_strTitle, std::string()).text;
        // Read on one line: the lines' breaks become spaces, and the blank lines that keep
        // the text's place in the help area go.
        for (char& c : entry.description) {
            c = c == '\n' ? ' ' : c;
        }
        entry.description.erase(entry.description.find_last_not_of(' ') + 1);
        if (const char32_t key = accesskeys::AccessKey(item.m_strText)) {
            text::AppendUtf8(entry.accessKey, key);
        }
        entry.face = EntryRect(i);
        entry.hot = i == m_nHotEntry;
        entry.focused = entry.hot && m_bColumnFocused;
        accessible.push_back(std::move(entry));
    }
    return accessible;
}

// --- Language selection ------------------------------------------------------------------------

int CMenuPage::LanguageIndex() const {
    // With no selection the chooser names no language, which reads the English file.
    return m_nSelection >= 0 && m_nSelection < static_cast<int>(m_chooserLanguages.size())
               ? m_chooserLanguages[m_nSelection]
               : -1;
}

void CMenuPage::FillLanguageChooser() {
    std::vector<bool> present(languages::kCount, false);
    for (int i = 0; i < languages::kCount; ++i) {
        present[i] = !m_strLauncherDir.empty() &&
                     m_services.files.Exists(config::FilePath(m_strLauncherDir, i));
    }
    m_chooserLanguages = languages::ListedLanguages(present);
    std::vector<std::string> names;
    for (const int language : m_chooserLanguages) {
        names.push_back(m_services.strings.Load(languages::NameTextId(language)));
    }
    m_nSelection = -1;
    m_window.ShowLanguages(names);
}

void CMenuPage::SelectInitialLanguage() {
    if (m_style.takesOverLanguage) {
        // This page hides its chooser and continues in its opener's language.
        if (m_openerLanguage) {
            OnSelendokLanguage(languages::ChooserPosition(m_chooserLanguages, *m_openerLanguage));
        }
        return;
    }
    const auto forced = languages::ReadForcedLanguage(m_services.registry);
    // The locale is asked only when no language is forced.
    std::optional<std::string> locale;
    if (!forced) {
        if (const auto name =
                m_services.locale.GetAbbreviatedLanguageName(languages::kLocaleBufferSize)) {
            locale = *name;
        }
    }
    const languages::InitialChoice choice =
        languages::ChooseInitialLanguage(forced, locale, m_services.strings);
    std::vector<std::string> allNames;
    allNames.reserve(languages::kCount);
    for (int i = 0; i < languages::kCount; ++i) {
        allNames.push_back(m_services.strings.Load(languages::NameTextId(i)));
    }
    OnSelendokLanguage(
        languages::FirstPosition(allNames, m_chooserLanguages, choice.chooserPrefix));
    m_window.EnableLanguageChooser(!choice.locked);
}

void CMenuPage::OnSelendokLanguage(int position) {
    if (position != m_nSelection) {
        m_nSelection = position;
        m_window.SelectLanguage(position);
    }
    const int oldCount = static_cast<int>(m_menuItems.size());
    LoadConfiguration();
    DrawMenu();
    // Entries the new language has no more of leave the column: their place is painted anew.
    const int newCount = static_cast<int>(m_menuItems.size());
    if (oldCount > newCount && m_nEntryLeft != layout::kNotLaidOut) {
        const geometry::Rect first = EntryRect(newCount);
        m_window.RepaintArea({first.left, first.top, first.right, EntryRect(oldCount - 1).bottom});
    }
}

// --- Clicks ------------------------------------------------------------------------------------

bool CMenuPage::OnLButtonDown(int x, int y) {
    return CarryOut(
        entries::EntryAt(m_nEntryLeft, static_cast<int>(m_menuItems.size()), x, y, m_scale));
}

bool CMenuPage::CarryOut(int index) {
    const int language = LanguageIndex();
    index = index < static_cast<int>(m_menuItems.size()) ? index : -1;
    // Decided before anything runs: a sub-page may change this page's model while it runs.
    const click::Action action =
        index >= 0 ? click::Decide(*m_menuItems[index], m_strLauncherDir, language)
                   : click::Action{};
    if (click::NeedsDisc(action) && !CheckDisk(action.diskId)) {
        return false;
    }
    using Kind = click::Action::Kind;
    switch (action.kind) {
    case Kind::Open:
        OpenEntryTarget(action);
        break;
    case Kind::JavaRuntime:
        InstallJavaRuntime();
        break;
    case Kind::Manuals:
        m_window.OpenManualsWindow(m_services.strings.Load(languages::NameTextId(language)),
                                   m_texts.m_strCaption, m_strLauncherDir);
        break;
    case Kind::SubPage:
        m_window.RunSubPage(action.pageName, language, m_strLauncherDir);
        break;
    case Kind::Close:
        m_window.EndPage();
        break;
    case Kind::Usb:
        if (IsProductInstalled()) {
            m_window.OpenUsbDriverDialog(m_texts, m_strLauncherDir);
        }
        break;
    case Kind::Nothing:
        break;
    }
    return true;
}

void CMenuPage::OpenEntryTarget(const click::Action& action) {
    const platform::Outcome opened =
        click::NamesAFile(action.path)
            ? m_services.shell.Open(nullptr, action.path, action.parameters)
            : platform::Outcome::Failure(platform::errors::kFileNotFound);
    if (opened) {
        return;
    }
    const bool tooLong = opened.error.code == platform::errors::kFileNameTooLong;
    m_services.ui.ShowMessage(
        m_owner,
        click::StartFailureMessage(
            m_strings.Load(IDS_BUILTIN_CANNOT_START), action.path, tooLong,
            tooLong ? m_services.errors.Describe(opened.error.code, m_strings) : std::string()),
        m_strings.Load(IDS_BUILTIN_ERROR_CAPTION), platform::mb::kOk);
}

// --- Checks ------------------------------------------------------------------------------------

bool CMenuPage::CheckDisk(const std::string& diskId) {
    if (diskId.empty()) {
        return false;
    }
    const std::string path = m_strLauncherDir + diskId;
    while (!m_services.files.Exists(path)) {
        const std::string noMedia = m_texts.m_strNoMediaInDevice.empty()
                                        ? m_strings.Load(IDS_BUILTIN_NOMEDIAINDEVICE)
                                        : m_texts.m_strNoMediaInDevice;
        const std::string prompt = prerequisites::DiscPrompt(m_services.profile, m_strConfigPath,
                                                             m_nConfigCodePage, diskId, noMedia);
        if (m_services.ui.ShowMessage(m_owner, prompt, m_texts.m_strTitle, kDiscPromptStyle) ==
            platform::mb::kIdCancel) {
            return false;
        }
    }
    return true;
}

void CMenuPage::InstallJavaRuntime() {
    if (!prerequisites::IsBrowserRecentEnough(m_services.registry)) {
        m_services.ui.ShowMessage(m_owner, m_texts.m_strWarning, m_texts.m_strTitle,
                                  platform::mb::kOk | platform::mb::kIconHand);
        return;
    }
    if (const auto failure = prerequisites::InstallJavaRuntime(
            m_strLauncherDir,
            {m_services.files, m_services.processes, m_strings, m_services.errors})) {
        m_services.ui.ShowMessage(m_owner, *failure, m_strings.Load(IDS_BUILTIN_ERROR_CAPTION),
                                  platform::mb::kOk);
    }
}

bool CMenuPage::IsProductInstalled() {
    const bool installed = prerequisites::IsProductInstalled(m_services.registry);
    if (!installed) {
        m_services.ui.ShowMessage(m_owner, m_texts.m_strNoVdInstall, std::nullopt,
                                  platform::mb::kOk);
    }
    return installed;
}
