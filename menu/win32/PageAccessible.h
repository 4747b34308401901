#pragma once
// The menu page as assistive technology sees it (Active Accessibility): the page's client area
// with a push button for each entry, read from the page as it stands at each question, and the
// language chooser named by its label. The page window hands this object out for WM_GETOBJECT;
// questions about the client area itself go to the system's own object for it. A reader may
// keep the object after the window is gone: it then answers that it is disconnected.

#include "framework/win32/ComObject.h"
#include "framework/win32/ComPtr.h"
#include "menu/MenuPage.h"

#include <windows.h>
// After windows.h, which it needs.
#include <oleacc.h>

#include <string>
#include <vector>

// What the accessible page asks its window.
class IAccessiblePage {
public:
    virtual ~IAccessiblePage() = default;
    virtual std::vector<AccessibleEntry> Entries() const = 0;
    // The chooser's window (null while hidden), and the text that names it.
    virtual HWND Chooser() const = 0;
    virtual std::string ChooserName() const = 0;
    // The name of an entry's action, in the page's language.
    virtual std::string EntryAction() const = 0;
    // Carries out the entry `index` once the question that asked for it is answered.
    virtual void PressEntry(int index) = 0;
};

class CPageAccessible final : public CComObject<IAccessible> {
public:
    // The client area of `window` as `page` tells it.
    CPageAccessible(HWND window, IAccessiblePage& page);

    // The window is going: every later question is answered as disconnected.
    void Disconnect() { m_page = nullptr; }

    // The answer to WM_GETOBJECT for the client area: 0 when the system's library for it is
    // missing, an error (negative) when it cannot hand the object out.
    LRESULT Answer(WPARAM wParam);

    // The answer that a reader's focus question gets when the entry `index` has the focus.
    static LONG ChildId(int index) { return index + 1; }

    // IUnknown and IDispatch
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override;

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(long* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                             VARIANT child) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT, BSTR) override;
    STDMETHODIMP put_accValue(VARIANT, BSTR) override;

private:
    // What a child id names: the client area itself, an entry, the chooser, or nothing.
    struct Child {
        enum Kind { kSelf, kEntry, kChooser, kNone } kind = kNone;
        int index = -1; // of the entry
    };
    Child Resolve(const VARIANT& child) const;
    long ChildCount() const;

    HWND m_hWnd;
    IAccessiblePage* m_page;
    CComPtr<IAccessible> m_standard; // the system's object for the client area, or empty
};
