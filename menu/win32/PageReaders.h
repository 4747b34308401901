#pragma once
// What screen readers hear of a menu page: the page's accessible object (CPageAccessible),
// made at the first question, what it reads of the page and its chooser, whether a reader
// listens at all, and the event that the focus moved to an entry.

#include "framework/win32/ComPtr.h"
#include "framework/win32/Window.h"
#include "menu/MenuPage.h"
#include "menu/win32/PageAccessible.h"

#include <windows.h>

#include <string>
#include <vector>

class CPageReaders final : private IAccessiblePage {
public:
    // Posted to the window to carry out an entry (wParam, its index) that a reader pressed.
    static constexpr UINT kPressEntry = WM_APP + 0x40;

    // The readers of `window` showing `page`, with its language `chooser` named by `label`
    // (both the dialog's, bound at its initialisation).
    CPageReaders(const CWnd& window, const CMenuPage& page, const CComboBox& chooser,
                 const CWindowRef& label)
        : m_window(window), m_page(page), m_chooser(chooser), m_label(label) {}

    // Reads whether the system says a screen reader runs.
    void ReadScreenReader();
    // WM_GETOBJECT: true when it is answered with `result`.
    bool OnGetObject(WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The window is going: the accessible object, which a reader may keep, is told.
    void OnDestroy();
    // The entry `index` became current; told only where it can matter (a key was pressed in
    // the page when `keyboardUsed`, or a reader listens), so that a move costs no call into
    // the system for nobody.
    void AnnounceFocus(int index, bool keyboardUsed);

private:
    std::vector<AccessibleEntry> Entries() const override { return m_page.AccessibleEntries(); }
    HWND Chooser() const override;
    std::string ChooserName() const override;
    std::string EntryAction() const override;
    void PressEntry(int index) override;

    // Whether a screen reader runs, as the system tells, or a client asked for the page's
    // accessible objects.
    bool ScreenReaderListens() const { return m_accessible || m_bScreenReader; }

    const CWnd& m_window;
    const CMenuPage& m_page;
    const CComboBox& m_chooser;
    const CWindowRef& m_label;
    CComPtr<CPageAccessible> m_accessible; // made at the first question
    bool m_bScreenReader = false;          // the system says a screen reader runs
};
