// What a screen reader reads out of each child of the page's accessible object: the names,
// values, descriptions, roles, states, keyboard shortcuts and default actions of the entries
// and the chooser, from the page as it stands.

#include "menu/win32/PageAccessible.h"

#include "framework/win32/WideText.h"
#include "menu/win32/AccessibleReply.h"

#include <string>

using namespace accessible;

STDMETHODIMP CPageAccessible::get_accName(VARIANT child, BSTR* name) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            const Child resolved = Resolve(child);
            switch (resolved.kind) {
            case Child::kSelf:
                return m_standard ? m_standard->get_accName(child, name) : S_FALSE;
            case Child::kEntry:
                return GiveString(m_page->Entries().at(resolved.index).name, name);
            case Child::kChooser:
                return GiveString(m_page->ChooserName(), name);
            case Child::kNone:
                break;
            }
            return E_INVALIDARG;
        },
        name);
}

STDMETHODIMP CPageAccessible::get_accValue(VARIANT child, BSTR* value) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            const Child resolved = Resolve(child);
            if (resolved.kind == Child::kChooser) {
                const HWND chooser = m_page->Chooser();
                const int length = GetWindowTextLengthW(chooser);
                std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
                GetWindowTextW(chooser, text.data(), length + 1);
                *value = SysAllocString(text.c_str());
                return *value != nullptr ? S_OK : E_OUTOFMEMORY;
            }
            if (resolved.kind == Child::kSelf && m_standard) {
                return m_standard->get_accValue(child, value);
            }
            return resolved.kind == Child::kNone ? E_INVALIDARG : kNotSupported;
        },
        value);
}

STDMETHODIMP CPageAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            const Child resolved = Resolve(child);
            if (resolved.kind == Child::kEntry) {
                return GiveString(m_page->Entries().at(resolved.index).description, description);
            }
            if (resolved.kind == Child::kSelf && m_standard) {
                return m_standard->get_accDescription(child, description);
            }
            return resolved.kind == Child::kNone ? E_INVALIDARG : kNotSupported;
        },
        description);
}

STDMETHODIMP CPageAccessible::get_accRole(VARIANT child, VARIANT* role) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            switch (Resolve(child).kind) {
            case Child::kSelf:
                if (m_standard) {
                    return m_standard->get_accRole(child, role);
                }
                SetId(role, ROLE_SYSTEM_CLIENT);
                return S_OK;
            case Child::kEntry:
                SetId(role, ROLE_SYSTEM_PUSHBUTTON);
                return S_OK;
            case Child::kChooser:
                SetId(role, ROLE_SYSTEM_COMBOBOX);
                return S_OK;
            case Child::kNone:
                break;
            }
            return E_INVALIDARG;
        },
        role);
}

STDMETHODIMP CPageAccessible::get_accState(VARIANT child, VARIANT* state) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            const Child resolved = Resolve(child);
            switch (resolved.kind) {
            case Child::kSelf:
                if (m_standard) {
                    return m_standard->get_accState(child, state);
                }
                SetId(state, 0);
                return S_OK;
            case Child::kEntry: {
                const AccessibleEntry entry = m_page->Entries().at(resolved.index);
                SetId(state, STATE_SYSTEM_FOCUSABLE | (entry.focused ? STATE_SYSTEM_FOCUSED : 0) |
                                 (entry.hot ? STATE_SYSTEM_HOTTRACKED : 0));
                return S_OK;
            }
            case Child::kChooser: {
                const HWND chooser = m_page->Chooser();
                const bool focused = GetFocus() == chooser || IsChild(chooser, GetFocus());
                SetId(state, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HASPOPUP |
                                 (focused ? STATE_SYSTEM_FOCUSED : 0) |
                                 (IsWindowEnabled(chooser) ? 0 : STATE_SYSTEM_UNAVAILABLE));
                return S_OK;
            }
            case Child::kNone:
                break;
            }
            return E_INVALIDARG;
        },
        state);
}

STDMETHODIMP CPageAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return Reply(
        Needs::Nothing, m_page,
        [&] { return Resolve(child).kind == Child::kNone ? E_INVALIDARG : kNotSupported; }, help);
}

STDMETHODIMP CPageAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return Reply(
        Needs::Nothing, m_page,
        [&] { return Resolve(child).kind == Child::kNone ? E_INVALIDARG : kNotSupported; }, file,
        topic);
}

STDMETHODIMP CPageAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            const Child resolved = Resolve(child);
            if (resolved.kind == Child::kEntry) {
                const std::string key = m_page->Entries().at(resolved.index).accessKey;
                if (key.empty()) {
                    return S_FALSE;
                }
                std::wstring wide = L"Alt+" + text::Wide(key);
                CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
                *shortcut = SysAllocStringLen(wide.c_str(), static_cast<UINT>(wide.size()));
                return *shortcut != nullptr ? S_OK : E_OUTOFMEMORY;
            }
            if (resolved.kind == Child::kSelf && m_standard) {
                return m_standard->get_accKeyboardShortcut(child, shortcut);
            }
            return resolved.kind == Child::kNone ? E_INVALIDARG : S_FALSE;
        },
        shortcut);
}

STDMETHODIMP CPageAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            const Child resolved = Resolve(child);
            if (resolved.kind == Child::kEntry) {
                return GiveString(m_page->EntryAction(), action);
            }
            if (resolved.kind == Child::kSelf && m_standard) {
                return m_standard->get_accDefaultAction(child, action);
            }
            return resolved.kind == Child::kNone ? E_INVALIDARG : kNotSupported;
        },
        action);
}
