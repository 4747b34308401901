#pragma once
// A menu page on screen: the main page and every sub-page. A fixed-size dialog whose face is
// a picture: the background bitmap, the entry column to its right, the help area below, and
// the language chooser with its label over the background.

#include "framework/win32/Dialog.h"
#include "framework/win32/Gdi.h"
#include "menu/MenuPage.h"
#include "menu/PageLayout.h"
#include "menu/win32/PageFaces.h"
#include "menu/win32/PageFonts.h"

#include <windows.h>

#include <optional>

class CMenuDlg : public CDialog, public CMenuPage {
public:
    // The About command of the system menu, with its low four bits cleared.
    static constexpr UINT kAboutCommand = 0x0010;
    // The window property that marks the main page, by which a later start of the program
    // finds the running menu to bring it forward.
    static constexpr const char* kMainPageMark = "discmenu.MainPage";

    CMenuDlg(std::string pageName, UINT nBitmapID, CMenuDlg* pParentPage,
             const MenuPageServices& services);
    ~CMenuDlg() override;

    // The position of the chooser's selection, or -1 when none.
    int GetLanguagePosition() const;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    HBRUSH OnCtlColor(HDC hDC, HWND hWndCtl, UINT nCtlColor) override;

    void OnPaint();
    HCURSOR OnQueryDragIcon() const { return m_hIcon; }
    void OnSysCommand(UINT nID, LPARAM lParam);

    // What the page decides, carried out on the window.
    int GetSelectedLanguageIndex() const override;
    void SetLabelText(const std::string& text) override;
    void ResetLanguageChooser() override;
    void AddLanguage(const std::string& name, int languageIndex) override;
    void SetChooserSelection(int position) override;
    void SelectChooserEntryStartingWith(const std::string& text) override;
    void EnableLanguageChooser(bool enable) override;
    std::optional<int> GetOpeningPageSelection() const override;
    int GetBackgroundHeight() const override;
    geometry::Rect GetClientArea() const override;
    void DrawHelpArea(const geometry::Rect& rect, const std::string& help) override;
    void DrawEntry(const geometry::Rect& rect, const std::string& text, bool hot) override;
    void RepaintArea(const geometry::Rect& rect) override;
    void ReleaseMouseCapture() override;
    bool HasMouseCapture() const override { return m_bCapture; }
    void TakeMouseCapture() override;
    platform::WindowRef GetWindowRef() const override { return m_hWnd; }
    void RunSubPage(const std::string& pageName) override;
    void EndPage() override { EndDialog(IDCANCEL); }
    void OpenManualsWindow(const std::string& languageName) override;
    void OpenUsbDriverDialog() override;

    HICON m_hIcon;
    UINT m_nBitmapID;
    CComboBox m_comboLanguage;
    CWindow m_staticLabel;
    CPageFont m_fontHelp{layout::kHelpFontHeight, FW_NORMAL};
    CPageFont m_fontEntry{layout::kEntryFontHeight, FW_BOLD};
    std::optional<CPageFont> m_fontLabel; // the dialog's font, from the initialisation on
    CMenuDlg* m_pParentPage;

private:
    void LayOutWindow(int backgroundWidth, int backgroundHeight);
    HINSTANCE Instance() const;
    // Shows a face of the page (see CPageFaces). The drawings of one pointer move share one
    // device context of the window, taken at the first of them and released when the move is
    // handled; other drawing takes a context of its own.
    void ShowFace(const std::string& key, const geometry::Rect& rect,
                  const CPageFaces::Painter& paint);

    int m_nBackgroundHeight = 0; // of the background picture, from the initialisation on
    CBrush m_brushLabel;         // white, behind the label's text
    CPageFaces m_faces;
    // Whether the page holds the pointer capture, followed here because asking the system
    // costs a call into it on every pointer move. While a window of this thread holds the
    // capture, pointer messages go to that window alone: the page sees them only when it
    // holds the capture itself.
    bool m_bCapture = false;
    bool m_bMoving = false;
    std::optional<CClientDC> m_movingDC;
};
