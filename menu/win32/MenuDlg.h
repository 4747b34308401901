#pragma once
// A menu page on screen: the main page and every sub-page. A fixed-size dialog whose face is
// a picture: the background bitmap, the entry column to its right, the help area below, and
// the language chooser with its label over the background. The page itself (CMenuPage) decides
// what happens; this window tells it what the user does and carries out what it asks.

#include "framework/win32/Dialog.h"
#include "framework/win32/Gdi.h"
#include "menu/MenuPage.h"
#include "menu/PageLayout.h"
#include "menu/PageWindow.h"
#include "menu/win32/EntryColumnKeys.h"
#include "menu/win32/PageAccessible.h"
#include "menu/win32/PageSurface.h"
#include "menu/win32/PointerTracker.h"

#include <windows.h>

#include <optional>
#include <string>

class CMenuDlg : public CDialog,
                 private IPageWindow,
                 private IEntryColumnKeys,
                 private IAccessiblePage {
public:
    // The About command of the system menu, with its low four bits cleared.
    static constexpr UINT kAboutCommand = 0x0010;
    // The window property that marks the main page, by which a later start of the program
    // finds the running menu to bring it forward.
    static constexpr const char* kMainPageMark = "discmenu.MainPage";
    // Posted to carry out an entry (wParam, its index) that assistive technology pressed.
    static constexpr UINT kPressEntry = WM_APP + 0x40;

    // A page shown over the window `pParentWnd` (none for the main page).
    CMenuDlg(PageContext context, CDialog* pParentWnd, const MenuPageServices& services);

    const CMenuPage& Page() const { return m_page; }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    HBRUSH OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor) override;

    void OnPaint();
    HCURSOR OnQueryDragIcon() const { return m_hIcon; }
    void OnSysCommand(UINT nID, LPARAM lParam);
    // Enter in the chooser keeps the language it shows (the selection is already made): only
    // Escape, the close box and the exit entry end a page.
    void OnOK() override {}

    HICON m_hIcon;
    CComboBox m_comboLanguage;
    CWindowRef m_staticLabel;

private:
    // What the page asks of its window.
    void ShowLanguages(const std::vector<std::string>& names) override;
    void SelectLanguage(int position) override;
    void EnableLanguageChooser(bool enable) override;
    void SetLabelText(const std::string& text) override;
    void DrawHelpArea(const geometry::Rect& rect, const HelpTextLayout& help) override;
    void DrawEntry(const geometry::Rect& rect, const std::string& text, bool hot, bool focused,
                   bool accessKeys) override;
    void RepaintArea(const geometry::Rect& rect) override;
    void RunSubPage(const std::string& pageName, int languageIndex,
                    const std::string& launcherDir) override;
    void OpenManualsWindow(const std::string& languageName, const std::string& caption,
                           const std::string& launcherDir) override;
    void OpenUsbDriverDialog(const CTextTable& texts, const std::string& launcherDir) override;
    void EndPage() override { EndDialog(IDCANCEL); }
    void AnnounceFocus(int index) override;

    // What the keyboard does in the entry column.
    void OnColumnFocus(bool focused) override;
    void OnColumnKey(UINT virtualKey) override;
    bool OnColumnCharacter(char32_t character) override;

    // What assistive technology reads of the page.
    std::vector<AccessibleEntry> Entries() const override { return m_page.AccessibleEntries(); }
    HWND Chooser() const override;
    std::string ChooserName() const override;
    std::string EntryAction() const override;
    void PressEntry(int index) override;

    // The user works with the keyboard: focus cues and access keys are shown from now on, as
    // far as the system's state for them allows.
    void KeyboardUsed();
    // Tells the page the system's state of focus cues and access key underlines.
    void ReadUiState();
    // Carries out the entry `index` for assistive technology.
    void CarryOut(int index);

    // Sizes, centres (or puts at the system's `suggested` rectangle) and lays out the window
    // and its page at `scale`.
    void LayOutWindow(const std::optional<RECT>& suggested, const layout::Scale& scale);
    // The window's screen changed its resolution to `dpi`, or the window moved to one of another.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // Whether a screen reader runs, as the system tells, or a client asked for the page's
    // accessible objects.
    bool ScreenReaderListens() const;
    void ReadScreenReader();

    CMenuPage m_page;
    std::string m_strLabelText; // drawn anew in another font when the DPI changes
    CPageSurface m_surface;
    CPointerTracker m_pointer{*this, m_page};

    CEntryColumnKeys m_column{*this};
    CComPtr<CPageAccessible> m_accessible; // made at the first question
    bool m_bKeyboardUsed = false;          // a key was pressed in this page
    bool m_bScreenReader = false;          // the system says a screen reader runs
    bool m_bActivating = false;            // the window is being activated, and restores its focus
};
