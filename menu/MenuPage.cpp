#include "menu/MenuPage.h"

#include "menu/ClickAction.h"
#include "menu/EntryColumn.h"
#include "menu/LanguageChoice.h"
#include "menu/Languages.h"
#include "menu/PageLayout.h"
#include "menu/Prerequisites.h"
#include "res/resource.h"

#include <utility>

namespace {
const char kErrorCaption[] = "Error";
constexpr unsigned kDiscPromptStyle =
    platform::mb::kRetryCancel | platform::mb::kIconExclamation | platform::mb::kSetForeground;
} // namespace

CMenuPage::CMenuPage(std::string pageName, const MenuPageServices& services)
    : m_strPageName(std::move(pageName)), m_services(services) {}

CMenuPage::~CMenuPage() {
    FreeMenuItems();
}

// --- Configuration --------------------------------------------------------------------------

void CMenuPage::LoadConfiguration(std::string pageName, MenuItemList& items) {
    const std::string launcherDir = GetLauncherDir();
    if (launcherDir.empty()) {
        m_strConfigPath.clear();
        return;
    }
    const int language = GetSelectedLanguageIndex();
    m_strConfigPath = config::FilePath(launcherDir, language);
    m_nConfigCodePage = languages::CodePage(language);
    config::PageContent content = config::ReadPage(m_services.profile, m_services.strings,
                                                   m_strConfigPath, m_nConfigCodePage, pageName);
    m_texts = std::move(content.texts);
    SetLabelText(content.label);
    for (auto& item : content.items) {
        items.push_back(std::move(item));
    }
}

void CMenuPage::FreeMenuItems() {
    m_menuItems.clear();
}

// --- Entry column and hover feedback -----------------------------------------------------------

geometry::Rect CMenuPage::GetEntryRect(int index) const {
    return layout::EntryRect(m_nEntryLeft, index);
}

std::string CMenuPage::HotHelp() const {
    const bool named = m_nHotEntry >= 0 && m_nHotEntry < static_cast<int>(m_menuItems.size());
    return named ? m_menuItems[m_nHotEntry]->m_strTitle : std::string();
}

void CMenuPage::DrawEntryAt(int index, bool hot) {
    DrawEntry(GetEntryRect(index), m_menuItems[index]->m_strText, hot);
}

void CMenuPage::DrawMenu() {
    m_rcHelpArea = layout::HelpArea(GetBackgroundHeight(), GetClientArea());
    DrawHelpArea(m_rcHelpArea, HotHelp());
    for (int i = 0; i < static_cast<int>(m_menuItems.size()); ++i) {
        DrawEntryAt(i, i == m_nHotEntry);
    }
}

void CMenuPage::OnMouseMove(int x, int y) {
    ReleaseMouseCapture();
    const entries::MoveEffect effect =
        entries::OnMove(m_nEntryLeft, static_cast<int>(m_menuItems.size()), m_nHotEntry, x, y);
    for (const entries::Redraw& redraw : effect.redraw) {
        DrawEntryAt(redraw.index, redraw.hot);
    }
    m_nHotEntry = effect.hotEntry;
    if (effect.redrawHelpArea) {
        DrawHelpArea(m_rcHelpArea, HotHelp());
    }
}

// --- Language selection ------------------------------------------------------------------------

bool CMenuPage::GetForcedLanguage(std::string& forced) const {
    const auto value = languages::ReadForcedLanguage(m_services.registry);
    if (value) {
        forced = *value;
    }
    return value.has_value();
}

void CMenuPage::FillLanguageChooser() {
    ResetLanguageChooser();
    for (int i = 0; i < languages::kCount; ++i) {
        AddLanguage(m_services.strings.Load(languages::NameTextId(i)), i);
    }
}

void CMenuPage::SelectInitialLanguage() {
    if (IsLumoPage()) {
        // This page hides its chooser and continues in its opener's language.
        if (const auto openerSelection = GetOpeningPageSelection()) {
            SetChooserSelection(*openerSelection);
            OnSelendokLanguage();
        }
        return;
    }
    const auto forced = languages::ReadForcedLanguage(m_services.registry);
    const auto locale =
        forced ? std::nullopt
               : m_services.locale.GetAbbreviatedLanguageName(languages::kLocaleBufferSize);
    const languages::InitialChoice choice =
        languages::ChooseInitialLanguage(forced, locale, m_services.strings);
    SelectChooserEntryStartingWith(choice.chooserPrefix);
    OnSelendokLanguage();
    EnableLanguageChooser(!choice.locked);
}

void CMenuPage::OnSelendokLanguage() {
    const int oldCount = static_cast<int>(m_menuItems.size());
    FreeMenuItems();
    LoadConfiguration(m_strPageName, m_menuItems);
    DrawMenu();
    // Entries the new language has no more of leave the column: their place is painted anew.
    const int newCount = static_cast<int>(m_menuItems.size());
    if (oldCount > newCount && m_nEntryLeft != layout::kNotLaidOut) {
        const geometry::Rect first = GetEntryRect(newCount);
        RepaintArea({first.left, first.top, first.right, GetEntryRect(oldCount - 1).bottom});
    }
}

void CMenuPage::ApplyLanguageLock() {
    EnableLanguageChooser(!languages::IsLocked(languages::ReadForcedLanguage(m_services.registry)));
}

// --- Clicks ------------------------------------------------------------------------------------

bool CMenuPage::OnLButtonDown(int x, int y) {
    const bool hadCapture = HasMouseCapture();
    if (hadCapture) {
        ReleaseMouseCapture();
    }
    const int language = GetSelectedLanguageIndex();
    const int index = entries::EntryAt(m_nEntryLeft, static_cast<int>(m_menuItems.size()), x, y);
    // Decided before anything runs: a sub-page may change this page's model while it runs.
    const click::Action action =
        index >= 0 ? click::Decide(*m_menuItems[index], GetLauncherDir(), language)
                   : click::Action{};
    using Kind = click::Action::Kind;
    if ((action.kind == Kind::Open || action.kind == Kind::Manuals) && !CheckDisk(action.diskId)) {
        return false;
    }
    switch (action.kind) {
    case Kind::Open:
        OpenEntryTarget(action);
        break;
    case Kind::JavaRuntime:
        InstallJavaRuntime();
        break;
    case Kind::Manuals:
        OpenManualsWindow(m_services.strings.Load(languages::NameTextId(language)));
        break;
    case Kind::SubPage:
        RunSubPage(action.pageName);
        break;
    case Kind::Close:
        EndPage();
        break;
    case Kind::Usb:
        if (IsProductInstalled()) {
            OpenUsbDriverDialog();
        }
        break;
    case Kind::Nothing:
        break;
    }
    if (hadCapture) {
        TakeMouseCapture();
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
    std::string message = "Can not start application " + action.path + ".";
    // A path longer than the system can open is said to be so, in the system's words.
    if (opened.error.code == platform::errors::kFileNameTooLong) {
        message += "\n\n" + m_services.errors.Describe(opened.error.code);
    }
    m_services.ui.ShowMessage(GetWindowRef(), message, std::string(kErrorCaption),
                              platform::mb::kOk);
}

// --- Checks ------------------------------------------------------------------------------------

bool CMenuPage::CheckDisk(const std::string& diskId) {
    if (diskId.empty()) {
        return false;
    }
    const std::string path = GetLauncherDir() + diskId;
    while (!m_services.files.Exists(path)) {
        const std::string noMedia = m_texts.m_strNoMediaInDevice.empty()
                                        ? m_services.strings.Load(IDS_BUILTIN_NOMEDIAINDEVICE)
                                        : m_texts.m_strNoMediaInDevice;
        const std::string prompt = prerequisites::DiscPrompt(m_services.profile, m_strConfigPath,
                                                             m_nConfigCodePage, diskId, noMedia);
        if (m_services.ui.ShowMessage(GetWindowRef(), prompt, m_texts.m_strTitle,
                                      kDiscPromptStyle) == platform::mb::kIdCancel) {
            return false;
        }
    }
    return true;
}

void CMenuPage::InstallJavaRuntime() {
    if (!prerequisites::IsBrowserRecentEnough(m_services.registry)) {
        m_services.ui.ShowMessage(GetWindowRef(), m_texts.m_strWarning, m_texts.m_strTitle,
                                  platform::mb::kOk | platform::mb::kIconHand);
        return;
    }
    if (const auto failure = prerequisites::InstallJavaRuntime(
            GetLauncherDir(), m_services.files, m_services.processes, m_services.errors)) {
        m_services.ui.ShowMessage(GetWindowRef(), *failure, std::string(kErrorCaption),
                                  platform::mb::kOk);
    }
}

bool CMenuPage::IsProductInstalled() {
    const bool installed = prerequisites::IsProductInstalled(m_services.registry);
    if (!installed) {
        m_services.ui.ShowMessage(GetWindowRef(), m_texts.m_strNoVdInstall, std::nullopt,
                                  platform::mb::kOk);
    }
    return installed;
}
