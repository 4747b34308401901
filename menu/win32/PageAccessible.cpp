// The page as screen readers see it: the IAccessible object of the page's client area, a push
// button for each entry and the language chooser by its label, answered from the page's state;
// here its children, how a reader moves among them and what it does with them (what it reads
// out of each: PageAccessibleTexts.cpp).

#include "menu/win32/PageAccessible.h"

#include "menu/win32/AccessibleReply.h"

#include <vector>

using namespace accessible;

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
