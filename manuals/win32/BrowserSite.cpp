#include "manuals/win32/BrowserSite.h"

namespace {

// The download manager's interface, whose id is also its service's.
const GUID kDownloadManager = {
    0x988934a4, 0x064b, 0x11d3, {0xbb, 0x80, 0x00, 0x10, 0x4b, 0x35, 0xe7, 0xf9}};

// The command group through which the browser asks its host about script errors.
const GUID kDocHostCommandHandler = {
    0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};

template <typename Pointer> HRESULT NoObject(Pointer** object, HRESULT result) {
    if (object != nullptr) {
        *object = nullptr;
    }
    return result;
}

} // namespace

STDMETHODIMP CBrowserSite::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
        return Give(static_cast<IOleClientSite*>(this), object);
    }
    if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
        return Give(static_cast<IOleInPlaceSite*>(this), object);
    }
    if (IsEqualIID(iid, IID_IDocHostUIHandler)) {
        return Give(static_cast<IDocHostUIHandler*>(this), object);
    }
    if (IsEqualIID(iid, IID_IOleCommandTarget)) {
        return Give(static_cast<IOleCommandTarget*>(this), object);
    }
    if (IsEqualIID(iid, IID_IDispatch)) {
        return Give(static_cast<IDispatch*>(this), object);
    }
    if (IsEqualIID(iid, IID_IServiceProvider)) {
        return Give(static_cast<IServiceProvider*>(this), object);
    }
    if (IsEqualIID(iid, kDownloadManager)) {
        return Give(static_cast<IDownloadManager*>(this), object);
    }
    return NoObject(object, E_NOINTERFACE);
}

STDMETHODIMP CBrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    return NoObject(moniker, E_NOTIMPL);
}

STDMETHODIMP CBrowserSite::GetContainer(IOleContainer** container) {
    return NoObject(container, E_NOINTERFACE);
}

STDMETHODIMP CBrowserSite::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = m_owner != nullptr ? m_owner->SiteWindow() : nullptr;
    return *window != nullptr ? S_OK : E_FAIL;
}

STDMETHODIMP CBrowserSite::GetWindowContext(IOleInPlaceFrame** frame,
                                            IOleInPlaceUIWindow** document, LPRECT position,
                                            LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) {
    if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr ||
        frameInfo == nullptr) {
        return E_POINTER;
    }
    *frame = nullptr;
    *document = nullptr; // the frame serves as the document window too
    if (m_owner == nullptr || m_owner->SiteWindow() == nullptr ||
        m_owner->InPlaceFrame() == nullptr) {
        return E_FAIL;
    }
    *frame = m_owner->InPlaceFrame();
    (*frame)->AddRef();
    GetClientRect(m_owner->SiteWindow(), position);
    *clip = *position;
    frameInfo->cb = sizeof *frameInfo;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = GetAncestor(m_owner->SiteWindow(), GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP CBrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    info->dwFlags = DOCHOSTUIFLAG_DISABLE_HELP_MENU | DOCHOSTUIFLAG_LOCAL_MACHINE_ACCESS_CHECK |
                    DOCHOSTUIFLAG_DISABLE_UNTRUSTEDPROTOCOL;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
    return S_OK;
}

STDMETHODIMP CBrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    return NoObject(key, S_FALSE);
}

STDMETHODIMP CBrowserSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
    return NoObject(target, E_NOTIMPL);
}

STDMETHODIMP CBrowserSite::GetExternal(IDispatch** dispatch) {
    return NoObject(dispatch, S_FALSE);
}

STDMETHODIMP CBrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
    return NoObject(translated, S_FALSE);
}

STDMETHODIMP CBrowserSite::FilterDataObject(IDataObject*, IDataObject** filtered) {
    return NoObject(filtered, S_FALSE);
}

STDMETHODIMP CBrowserSite::Exec(const GUID* group, DWORD command, DWORD, VARIANT*, VARIANT* out) {
    if (group == nullptr || !IsEqualGUID(*group, kDocHostCommandHandler)) {
        return OLECMDERR_E_UNKNOWNGROUP;
    }
    if (command != OLECMDID_SHOWSCRIPTERROR) {
        return OLECMDERR_E_NOTSUPPORTED;
    }
    // Handled: no dialog, and the page's scripts go on.
    if (out != nullptr) {
        VariantClear(out);
        V_VT(out) = VT_BOOL;
        V_BOOL(out) = VARIANT_TRUE;
    }
    return S_OK;
}

STDMETHODIMP CBrowserSite::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP CBrowserSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    return NoObject(info, E_NOTIMPL);
}

STDMETHODIMP CBrowserSite::Invoke(DISPID dispId, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                  EXCEPINFO*, UINT*) {
    if (dispId != DISPID_AMBIENT_DLCONTROL) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (result == nullptr) {
        return E_POINTER;
    }
    VariantInit(result);
    V_VT(result) = VT_I4;
    V_I4(result) = kDownloadControl;
    return S_OK;
}

STDMETHODIMP CBrowserSite::QueryService(REFGUID service, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualGUID(service, kDownloadManager)) {
        return QueryInterface(iid, object);
    }
    return NoObject(object, E_NOINTERFACE);
}
