// The page as screen readers see it: the IAccessible object of the page's client area, a push
// button for each entry and the language chooser by its label, answered from the page's state.

#include "menu/win32/PageAccessible.h"

#include "framework/win32/Boundary.h"
#include "framework/win32/WideText.h"

#include <utility>

namespace {

// The accessibility library is no known DLL: it is loaded from the system folder alone, and
// stays loaded once it is.
HMODULE AccessibilityLibrary() {
    static const HMODULE library = [] {
        wchar_t system[MAX_PATH + 1] = {}; // GetSystemDirectoryW's limit
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return HMODULE{nullptr};
        }
        return LoadLibraryW((std::wstring(system, length) + L"\\oleacc.dll").c_str());
    }();
    return library;
}

template <typename Function> Function AccessibilityFunction(const char* name) {
    const HMODULE library = AccessibilityLibrary();
    return library != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}

// A new string for the caller to free.
BSTR NewString(const std::string& utf8) {
    const std::wstring wide = text::Wide(utf8);
    return SysAllocStringLen(wide.c_str(), static_cast<UINT>(wide.size()));
}

HRESULT GiveString(const std::string& utf8, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = NewString(utf8);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetId(VARIANT* out, long id) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = id;
}

// What the questions answer for a child that has no such property.
constexpr HRESULT kNotSupported = DISP_E_MEMBERNOTFOUND;

void Clear(BSTR* out) {
    *out = nullptr;
}
void Clear(VARIANT* out) {
    VariantInit(out);
}
void Clear(long* out) {
    *out = 0;
}
void Clear(IDispatch** out) {
    *out = nullptr;
}

// Whether a question can be answered once the page has gone.
enum class Needs { Nothing, Page };

// What every question of a screen reader does before and around its answer: each of its
// out-parameters must be given and is cleared; one that needs the page fails as disconnected
// once the page has gone; and `body`, which builds strings and lists, lets no exception
// through to the reader's side of the call: it is reported, and the answer is E_UNEXPECTED.
template <typename Body, typename... Outs>
HRESULT Reply(Needs needs, const IAccessiblePage* page, Body&& body, Outs*... outs) noexcept {
    if (((outs == nullptr) || ...)) {
        return E_POINTER;
    }
    (Clear(outs), ...);
    if (needs == Needs::Page && page == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    return Guarded(std::forward<Body>(body), HRESULT{E_UNEXPECTED});
}

} // namespace

CPageAccessible::CPageAccessible(HWND window, IAccessiblePage& page)
    : m_hWnd(window), m_page(&page) {
    using CreateFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    if (const auto create = AccessibilityFunction<CreateFn>("CreateStdAccessibleObject")) {
        create(window, OBJID_CLIENT, __uuidof(IAccessible), m_standard.put_void());
    }
}

LRESULT CPageAccessible::Answer(WPARAM wParam) {
    using ResultFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    const auto result = AccessibilityFunction<ResultFn>("LresultFromObject");
    return result != nullptr ? result(__uuidof(IAccessible), wParam, this) : 0;
}

CPageAccessible::Child CPageAccessible::Resolve(const VARIANT& child) const {
    if (child.vt != VT_I4) {
        return {};
    }
    if (child.lVal == CHILDID_SELF) {
        return {Child::kSelf};
    }
    const long entries = m_page != nullptr ? static_cast<long>(m_page->Entries().size()) : 0;
    if (child.lVal >= 1 && child.lVal <= entries) {
        return {Child::kEntry, static_cast<int>(child.lVal - 1)};
    }
    if (child.lVal == entries + 1 && m_page != nullptr && m_page->Chooser() != nullptr) {
        return {Child::kChooser};
    }
    return {};
}

long CPageAccessible::ChildCount() const {
    if (m_page == nullptr) {
        return 0;
    }
    return static_cast<long>(m_page->Entries().size()) + (m_page->Chooser() != nullptr ? 1 : 0);
}

// --- IUnknown and IDispatch --------------------------------------------------------------------

STDMETHODIMP CPageAccessible::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
        return Give(static_cast<IAccessible*>(this), object);
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CPageAccessible::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP CPageAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CPageAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

STDMETHODIMP CPageAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) {
    return E_NOTIMPL;
}

// --- IAccessible -------------------------------------------------------------------------------

STDMETHODIMP CPageAccessible::get_accParent(IDispatch** parent) {
    return Reply(
        Needs::Nothing, m_page,
        [&] { return m_standard ? m_standard->get_accParent(parent) : S_FALSE; }, parent);
}

STDMETHODIMP CPageAccessible::get_accChildCount(long* count) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            *count = ChildCount();
            return S_OK;
        },
        count);
}

STDMETHODIMP CPageAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return Reply(
        Needs::Nothing, m_page,
        [&] {
            const Child resolved = Resolve(child);
            if (resolved.kind == Child::kNone || resolved.kind == Child::kSelf) {
                return E_INVALIDARG;
            }
            return S_FALSE; // an element of this object, not an object of its own
        },
        object);
}

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

STDMETHODIMP CPageAccessible::get_accFocus(VARIANT* child) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            const std::vector<AccessibleEntry> entries = m_page->Entries();
            for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
                if (entries[i].focused) {
                    SetId(child, ChildId(i));
                    return S_OK;
                }
            }
            const HWND chooser = m_page->Chooser();
            const HWND focus = GetFocus();
            if (chooser != nullptr && focus != nullptr &&
                (focus == chooser || IsChild(chooser, focus))) {
                SetId(child, static_cast<long>(entries.size()) + 1);
                return S_OK;
            }
            if (focus != nullptr && (focus == m_hWnd || IsChild(m_hWnd, focus))) {
                SetId(child, CHILDID_SELF);
                return S_OK;
            }
            return S_FALSE;
        },
        child);
}

STDMETHODIMP CPageAccessible::get_accSelection(VARIANT* children) {
    return Reply(
        Needs::Nothing, m_page, [] { return S_FALSE; }, children);
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

STDMETHODIMP CPageAccessible::accSelect(long flags, VARIANT child) {
    return Reply(Needs::Page, m_page, [&] {
        const Child resolved = Resolve(child);
        if (resolved.kind == Child::kSelf && m_standard) {
            return m_standard->accSelect(flags, child);
        }
        return resolved.kind == Child::kNone ? E_INVALIDARG : kNotSupported;
    });
}

STDMETHODIMP CPageAccessible::accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            const Child resolved = Resolve(child);
            RECT rect{};
            switch (resolved.kind) {
            case Child::kSelf:
                if (m_standard) {
                    return m_standard->accLocation(left, top, width, height, child);
                }
                GetClientRect(m_hWnd, &rect);
                MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
                break;
            case Child::kEntry: {
                const geometry::Rect face = m_page->Entries().at(resolved.index).face;
                rect = {face.left, face.top, face.right, face.bottom};
                MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
                break;
            }
            case Child::kChooser:
                GetWindowRect(m_page->Chooser(), &rect);
                break;
            case Child::kNone:
                return E_INVALIDARG;
            }
            *left = rect.left;
            *top = rect.top;
            *width = rect.right - rect.left;
            *height = rect.bottom - rect.top;
            return S_OK;
        },
        left, top, width, height);
}

STDMETHODIMP CPageAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            const Child resolved = Resolve(start);
            const long count = ChildCount();
            long to = 0;
            if (resolved.kind == Child::kSelf) {
                if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) {
                    return m_standard ? m_standard->accNavigate(direction, start, end) : S_FALSE;
                }
                to = direction == NAVDIR_FIRSTCHILD ? 1 : count;
            } else if (resolved.kind != Child::kNone) {
                if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
                    to = start.lVal + 1;
                } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
                    to = start.lVal - 1;
                }
            } else {
                return E_INVALIDARG;
            }
            if (to < 1 || to > count) {
                return S_FALSE;
            }
            SetId(end, to);
            return S_OK;
        },
        end);
}

STDMETHODIMP CPageAccessible::accHitTest(long x, long y, VARIANT* child) {
    return Reply(
        Needs::Page, m_page,
        [&] {
            POINT point{x, y};
            const HWND chooser = m_page->Chooser();
            RECT chooserRect{};
            if (chooser != nullptr && GetWindowRect(chooser, &chooserRect) &&
                PtInRect(&chooserRect, point)) {
                SetId(child, ChildCount());
                return S_OK;
            }
            ScreenToClient(m_hWnd, &point);
            const std::vector<AccessibleEntry> entries = m_page->Entries();
            for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
                if (entries[i].face.Contains(point.x, point.y)) {
                    SetId(child, ChildId(i));
                    return S_OK;
                }
            }
            RECT client{};
            GetClientRect(m_hWnd, &client);
            if (!PtInRect(&client, point)) {
                return S_FALSE;
            }
            SetId(child, CHILDID_SELF);
            return S_OK;
        },
        child);
}

STDMETHODIMP CPageAccessible::accDoDefaultAction(VARIANT child) {
    return Reply(Needs::Page, m_page, [&] {
        const Child resolved = Resolve(child);
        if (resolved.kind == Child::kEntry) {
            m_page->PressEntry(resolved.index);
            return S_OK;
        }
        if (resolved.kind == Child::kSelf && m_standard) {
            return m_standard->accDoDefaultAction(child);
        }
        return resolved.kind == Child::kNone ? E_INVALIDARG : kNotSupported;
    });
}

STDMETHODIMP CPageAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

STDMETHODIMP CPageAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}
