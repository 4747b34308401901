#pragma once
// The site of the HTML control's browser: where it lives (its window and place), and what it
// may do there. The site locks the browser down as a program's own help window should be:
// - no context menu, no script error dialogs, no window.external;
// - no ActiveX controls, Java applets, behaviours or meta refreshes, and no file downloads;
// - its navigations and new windows go through the control's filter (HtmlCtrl.h).
// Only the control's thread calls it; it forgets the control (Detach) when the control's window
// goes.

#include "framework/win32/ComObject.h"

#include <windows.h>
// After windows.h, which they need.
#include <docobj.h>
#include <downloadmgr.h>
#include <mshtmdid.h>
#include <mshtmhst.h>
#include <servprov.h>

// What the site asks of the control it belongs to.
class IBrowserSiteOwner {
public:
    // The control's window, which the browser fills; null while there is none.
    virtual HWND SiteWindow() const = 0;
    // The in-place frame the browser is given; null while there is none.
    virtual IOleInPlaceFrame* InPlaceFrame() const = 0;

protected:
    ~IBrowserSiteOwner() = default;
};

class CBrowserSite final
    : public CComObject<IOleClientSite, IOleInPlaceSite, IDocHostUIHandler, IOleCommandTarget,
                        IDispatch, IServiceProvider, IDownloadManager> {
public:
    // The download-control flags the site answers the browser's ambient property with.
    static constexpr LONG kDownloadControl =
        DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS |
        DLCTL_NO_DLACTIVEXCTLS | DLCTL_NO_BEHAVIORS | DLCTL_NO_CLIENTPULL | DLCTL_SILENT;

    explicit CBrowserSite(IBrowserSiteOwner& owner) : m_owner(&owner) {}
    void Detach() { m_owner = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;

    // IOleClientSite: the page is never saved and lives in no container.
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite: the browser fills the control's client area.
    STDMETHODIMP CanInPlaceActivate() override { return m_owner != nullptr ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IDocHostUIHandler: the browser's own user interface, kept to the page.
    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_OK; }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override {
        return S_OK;
    }
    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override;
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override;
    STDMETHODIMP GetExternal(IDispatch** dispatch) override;
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) override;
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** filtered) override;

    // IOleCommandTarget: script errors are not shown.
    STDMETHODIMP QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override {
        return OLECMDERR_E_UNKNOWNGROUP;
    }
    STDMETHODIMP Exec(const GUID* group, DWORD command, DWORD, VARIANT*, VARIANT* out) override;

    // IDispatch: the ambient properties, of which the site sets the download control alone.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID dispId, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

    // IServiceProvider: the download manager is the site itself.
    STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** object) override;

    // IDownloadManager: every download is taken over, and nothing is fetched.
    STDMETHODIMP Download(IMoniker*, IBindCtx*, DWORD, LONG, BINDINFO*, LPCOLESTR, LPCOLESTR,
                          UINT) override {
        return S_OK;
    }

private:
    ~CBrowserSite() override = default;

    IBrowserSiteOwner* m_owner;
};
