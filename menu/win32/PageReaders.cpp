// What screen readers hear of a menu page (see PageReaders.h).

#include "menu/win32/PageReaders.h"

#include "framework/win32/WideText.h"
#include "menu/AccessKeys.h"
#include "res/resource.h"

void CPageReaders::ReadScreenReader() {
    BOOL running = FALSE;
    m_bScreenReader =
        SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) != FALSE && running != FALSE;
}

bool CPageReaders::OnGetObject(WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) {
        return false;
    }
    if (!m_accessible) {
        m_accessible = CComPtr<CPageAccessible>(new CPageAccessible(m_window.GetSafeHwnd(), *this));
    }
    // A failure (a negative result) leaves the question to the system's default.
    result = m_accessible->Answer(wParam);
    return result > 0;
}

void CPageReaders::OnDestroy() {
    if (m_accessible) {
        m_accessible->Disconnect();
    }
}

void CPageReaders::AnnounceFocus(int index, bool keyboardUsed) {
    // The focus follows the pointer too while the column has it.
    if (!keyboardUsed && !ScreenReaderListens()) {
        return;
    }
    NotifyWinEvent(EVENT_OBJECT_FOCUS, m_window.GetSafeHwnd(), OBJID_CLIENT,
                   CPageAccessible::ChildId(index));
}

HWND CPageReaders::Chooser() const {
    return m_page.Style().takesOverLanguage ? nullptr : m_chooser.m_hWnd;
}

std::string CPageReaders::EntryAction() const {
    return m_page.Strings().Load(IDS_BUILTIN_PRESS);
}

std::string CPageReaders::ChooserName() const {
    const int length = GetWindowTextLengthW(m_label);
    std::wstring label(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(m_label, label.data(), length + 1);
    return accesskeys::PlainText(text::FromWide(label.data(), static_cast<std::size_t>(copied)));
}

void CPageReaders::PressEntry(int index) {
    PostMessageA(m_window.GetSafeHwnd(), kPressEntry, static_cast<WPARAM>(index), 0);
}
