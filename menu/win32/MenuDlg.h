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
#include "menu/win32/PageKeyboard.h"
#include "menu/win32/PageReaders.h"
#include "menu/win32/PageSurface.h"
#include "menu/win32/PointerTracker.h"

#include <windows.h>

#include <optional>
#include <string>

class CMenuDlg : public CDialog, private IPageWindow {
public:
    // The About command of the system menu, with its low four bits cleared.
    static constexpr UINT kAboutCommand = 0x0010;
    // The window property that marks the main page, by which a later start of the program
    // finds the running menu to bring it forward.
    static constexpr const char* kMainPageMark = "discmenu.MainPage";
    // Posted to carry out an entry (wParam, its index) that assistive technology pressed.
    static constexpr UINT kPressEntry = CPageReaders::kPressEntry;

    // A page shown over the window `pParentWnd` (none for the main page).
    CMenuDlg(PageContext context, CDialog* pParentWnd, const MenuPageServices& services);

    const CMenuPage& Page() const { return m_page; }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    HBRUSH OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor) override;

    // The handlers of the messages: true when the message is handled (its result set).
    bool OnPaint();
    bool OnQueryDragIcon(LRESULT& result) const {
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    }
    bool OnSysCommand(UINT nID, LPARAM lParam);
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

    // The handlers of the messages: true when the message is handled (its result set).
    bool OnLButtonDown(int x, int y, LRESULT& result);
    bool OnMouseMove(int x, int y, LRESULT& result);
    bool OnMouseLeave();
    bool OnCaptureChanged(HWND to);
    bool OnActivate(WORD state, LRESULT& result);
    bool OnUpdateUiState(WORD action, LRESULT& result);
    // Carries out the entry `index` for assistive technology.
    bool OnPressEntry(int index);
    bool OnSysColorChange();
    bool OnSettingChange(WPARAM setting);
    bool OnDisplayChange();
    bool OnDestroy();
    bool OnCommand(WORD id, WORD notification);

    // Sizes, centres (or puts at the system's `suggested` rectangle) and lays out the window
    // and its page at `scale`.
    void LayOutWindow(const std::optional<RECT>& suggested, const layout::Scale& scale);
    // The window's screen changed its resolution to `dpi`, or the window moved to one of another.
    bool OnDpiChanged(int dpi, const RECT& suggested, LRESULT& result);

    CMenuPage m_page;
    std::string m_strLabelText; // drawn anew in another font when the DPI changes
    CPageSurface m_surface;
    CPointerTracker m_pointer{*this, m_page};

    CPageKeyboard m_keyboard{*this, m_page, m_pointer};
    CPageReaders m_readers{*this, m_page, m_comboLanguage, m_staticLabel};
};
