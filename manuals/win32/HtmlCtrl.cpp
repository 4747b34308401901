#include "manuals/win32/HtmlCtrl.h"

#include "framework/win32/Boundary.h"
#include "framework/win32/ComObject.h"
#include "framework/win32/WideText.h"
#include "manuals/AppLink.h"

#include <exdispid.h>

namespace {

const wchar_t kWindowClass[] = L"discmenu.HtmlCtrl";

// The arguments of BeforeNavigate2 and NewWindow3, by position: they arrive in reverse order.
enum BeforeNavigate2Argument : UINT {
    kArgFrame = 0,
    kArgUrl = 1,
    kArgFlags = 2,
    kArgTargetFrameName = 3,
    kArgPostData = 4,
    kArgHeaders = 5,
    kArgCancel = 6,
    kBeforeNavigate2ArgumentCount = 7,
};
enum NewWindow3Argument : UINT {
    kNewWindowCancel = 1,
    kNewWindowUrl = 4,
    kNewWindow3ArgumentCount = 5,
};
// NewWindow2, which the browser raises instead before XP SP2, has only the first two and no URL.
constexpr UINT kNewWindow2ArgumentCount = 2;

// The cancel flag of an event, as the browser passes it: a Boolean by reference.
VARIANT_BOOL* CancelFlagOf(const DISPPARAMS& params, UINT position) {
    const VARIANT* argument = &params.rgvarg[params.cArgs - 1 - position];
    return V_VT(argument) == (VT_BYREF | VT_BOOL) ? V_BOOLREF(argument) : nullptr;
}

// The system's restrictions for pages of the local machine and for what any page may install
// or download, for the whole process. They came with Windows XP SP2, whose urlmon has them (the
// headers declare them only for that version, so their numbers stand here); on a system
// without them nothing happens. urlmon comes from the system folder alone.
enum BrowserFeature : int {
    kZoneElevation = 1,
    kPopUpManagement = 5,
    kNoMkProtocol = 7,
    kLocalMachineLockdown = 8,
    kRestrictActiveXInstall = 10,
    kRestrictFileDownload = 12,
};
constexpr DWORD kSetFeatureOnProcess = 0x2;

void RestrictBrowsingInThisProcess() {
    static const bool done = [] {
        using SetFeatureFn = HRESULT(WINAPI*)(int, DWORD, BOOL);
        wchar_t system[MAX_PATH + 1] = {}; // GetSystemDirectoryW's limit
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return false;
        }
        const std::wstring path = std::wstring(system, length) + L"\\urlmon.dll";
        HMODULE urlmon = LoadLibraryW(path.c_str());
        const auto set = urlmon != nullptr
                             ? reinterpret_cast<SetFeatureFn>(reinterpret_cast<void*>(
                                   GetProcAddress(urlmon, "CoInternetSetFeatureEnabled")))
                             : nullptr;
        if (set == nullptr) {
            return false;
        }
        for (const BrowserFeature feature :
             {kLocalMachineLockdown, kRestrictActiveXInstall, kRestrictFileDownload, kZoneElevation,
              kNoMkProtocol, kPopUpManagement}) {
            set(feature, kSetFeatureOnProcess, TRUE);
        }
        return true; // urlmon stays loaded: the browser uses it anyway
    }();
    (void)done;
}

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

// The argument at `position` of an event call, followed through by-reference variants.
const VARIANT* Argument(const DISPPARAMS& params, UINT position) {
    if (params.rgvarg == nullptr || position >= params.cArgs) {
        return nullptr;
    }
    const VARIANT* argument = &params.rgvarg[params.cArgs - 1 - position];
    while (argument != nullptr && V_VT(argument) == (VT_BYREF | VT_VARIANT)) {
        argument = V_VARIANTREF(argument);
    }
    return argument;
}

std::string TextOf(const VARIANT* argument) {
    BSTR text = nullptr;
    if (argument != nullptr && V_VT(argument) == VT_BSTR) {
        text = V_BSTR(argument);
    } else if (argument != nullptr && V_VT(argument) == (VT_BYREF | VT_BSTR) &&
               V_BSTRREF(argument) != nullptr) {
        text = *V_BSTRREF(argument);
    }
    return text != nullptr ? text::FromWide(text, SysStringLen(text)) : std::string();
}

unsigned long NumberOf(const VARIANT* argument) {
    if (argument == nullptr) {
        return 0;
    }
    switch (V_VT(argument)) {
    case VT_I4:
        return static_cast<unsigned long>(V_I4(argument));
    case VT_UI4:
        return V_UI4(argument);
    case VT_BYREF | VT_I4:
        return V_I4REF(argument) != nullptr ? static_cast<unsigned long>(*V_I4REF(argument)) : 0;
    default:
        return 0;
    }
}

// Posted form data: an array of bytes.
std::string BytesOf(const VARIANT* argument) {
    if (argument == nullptr || V_VT(argument) != (VT_ARRAY | VT_UI1) ||
        V_ARRAY(argument) == nullptr) {
        return {};
    }
    SAFEARRAY* array = V_ARRAY(argument);
    LONG lower = 0;
    LONG upper = -1;
    void* data = nullptr;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)) || upper < lower ||
        FAILED(SafeArrayAccessData(array, &data))) {
        return {};
    }
    std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(upper - lower + 1));
    SafeArrayUnaccessData(array);
    return bytes;
}

} // namespace

// The in-place frame: the dialog that holds the control. It has no menus, tool space or
// status line to offer.
class CHtmlCtrl::CFrame final : public CComObject<IOleInPlaceFrame> {
public:
    explicit CFrame(CHtmlCtrl& owner) : m_owner(&owner) {}
    void Detach() { m_owner = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
            IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
            return Give(static_cast<IOleInPlaceFrame*>(this), object);
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override {
        if (window == nullptr) {
            return E_POINTER;
        }
        *window = m_owner != nullptr && m_owner->m_hWnd != nullptr
                      ? GetAncestor(m_owner->m_hWnd, GA_ROOT)
                      : nullptr;
        return *window != nullptr ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~CFrame() override = default;

    CHtmlCtrl* m_owner;
};

// The sink of the browser's events (the DWebBrowserEvents2 dispatch interface).
class CHtmlCtrl::CEventSink final : public CComObject<IDispatch> {
public:
    explicit CEventSink(CHtmlCtrl& owner) : m_owner(&owner) {}
    void Detach() { m_owner = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
            return Give(static_cast<IDispatch*>(this), object);
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    // The events come by number alone: no type information, no names.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) {
            *info = nullptr;
        }
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID dispId, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override {
        if (result != nullptr) {
            VariantInit(result);
        }
        if (m_owner == nullptr || params == nullptr) {
            return S_OK;
        }
        return Guarded(
            [&] {
                m_owner->HandleBrowserEvent(dispId, *params);
                return S_OK;
            },
            E_UNEXPECTED);
    }

private:
    ~CEventSink() override = default;

    CHtmlCtrl* m_owner;
};

CHtmlCtrl::CHtmlCtrl() = default;

CHtmlCtrl::~CHtmlCtrl() {
    // Normally the parent's destruction took the window (and the browser) already.
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
    ReleaseBrowser();
}

bool CHtmlCtrl::CreateInPlaceOfStatic(UINT nID, const CDialog* pParent) {
    return pParent != nullptr && CreateInPlaceOfStatic(nID, pParent->GetSafeHwnd());
}

bool CHtmlCtrl::CreateInPlaceOfStatic(UINT nID, HWND hWndParent) {
    const CWindowRef placeholder =
        hWndParent != nullptr ? CWindowRef(hWndParent).Item(static_cast<int>(nID)) : CWindowRef();
    if (placeholder == nullptr) {
        return false;
    }
    const RECT rect = placeholder.RectIn(hWndParent);
    DestroyWindow(placeholder);
    return Create(rect, hWndParent, nID);
}

bool CHtmlCtrl::Create(const RECT& rect, HWND hWndParent, UINT nID) {
    if (m_hWnd != nullptr) {
        return false;
    }
    if (!RegisterBoundClass(kWindowClass, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1))) {
        return false;
    }
    // The id of a child window travels in the menu argument.
    CreateWindowExW(0, kWindowClass, nullptr, WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, hWndParent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), Instance(), this);
    if (m_hWnd == nullptr) {
        return false;
    }
    if (!CreateBrowser()) {
        DestroyWindow(m_hWnd);
        return false;
    }
    return true;
}

bool CHtmlCtrl::CreateBrowser() {
    RestrictBrowsingInThisProcess();
    // Made by CoCreateInstance rather than OleCreate: the browser needs no storage, and the
    // client site is given to it once our window exists, so it can take that as its parent.
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                m_oleObject.put_void()))) {
        return false;
    }
    m_site = CComPtr<CBrowserSite>(new CBrowserSite(*this));
    m_frame = CComPtr<CFrame>(new CFrame(*this));
    m_sink = CComPtr<CEventSink>(new CEventSink(*this));
    m_browser = m_oleObject.Query<IWebBrowser2>(IID_IWebBrowser2);
    if (!m_browser || FAILED(m_oleObject->SetClientSite(m_site.get()))) {
        ReleaseBrowser();
        return false;
    }
    // The browser reads the site's download control now, and shows no dialogs of its own.
    if (const auto control = m_oleObject.Query<IOleControl>(IID_IOleControl)) {
        control->OnAmbientPropertyChange(DISPID_AMBIENT_DLCONTROL);
    }
    m_browser->put_Silent(VARIANT_TRUE);
    const auto container =
        m_oleObject.Query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container ||
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, m_connectionPoint.put())) ||
        FAILED(
            m_connectionPoint->Advise(static_cast<IDispatch*>(m_sink.get()), &m_dwAdviseCookie))) {
        ReleaseBrowser();
        return false;
    }
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (FAILED(m_oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site.get(), 0, m_hWnd,
                                   &client))) {
        ReleaseBrowser();
        return false;
    }
    return true;
}

void CHtmlCtrl::ReleaseBrowser() {
    if (m_connectionPoint) {
        m_connectionPoint->Unadvise(m_dwAdviseCookie);
        m_connectionPoint.reset();
        m_dwAdviseCookie = 0;
    }
    if (m_oleObject) {
        m_oleObject->Close(OLECLOSE_NOSAVE);
        m_oleObject->SetClientSite(nullptr);
    }
    m_browser.reset();
    m_oleObject.reset();
    // Whatever the browser still holds must not reach back into this object.
    if (m_site) {
        m_site->Detach();
        m_site.reset();
    }
    if (m_frame) {
        m_frame->Detach();
        m_frame.reset();
    }
    if (m_sink) {
        m_sink->Detach();
        m_sink.reset();
    }
}

bool CHtmlCtrl::Navigate(const std::string& url) {
    if (!m_browser) {
        return false;
    }
    const CBstr address(url);
    VARIANT flags;
    VariantInit(&flags);
    V_VT(&flags) = VT_I4;
    V_I4(&flags) = 0;
    VARIANT none; // no target frame, post data or headers
    VariantInit(&none);
    return SUCCEEDED(m_browser->Navigate(address.get(), &flags, &none, &none, &none));
}

IDispatch* CHtmlCtrl::GetEventSink() const {
    return m_sink.get();
}

void CHtmlCtrl::OnBeforeNavigate2(const Navigation& navigation, bool& cancel) {
    if (const auto command = applink::CommandOf(navigation.url)) {
        OnAppLink(*command, navigation);
        cancel = true;
    }
}

void CHtmlCtrl::OnAppLink(const std::string&, const Navigation&) {}

void CHtmlCtrl::OnNewWindow(const std::string&, bool&) {}

void CHtmlCtrl::HandleBrowserEvent(DISPID dispId, const DISPPARAMS& params) {
    if (dispId == DISPID_BEFORENAVIGATE2 && params.cArgs == kBeforeNavigate2ArgumentCount) {
        HandleBeforeNavigate2(params);
    } else if ((dispId == DISPID_NEWWINDOW3 && params.cArgs == kNewWindow3ArgumentCount) ||
               (dispId == DISPID_NEWWINDOW2 && params.cArgs == kNewWindow2ArgumentCount)) {
        HandleNewWindow(params);
    }
}

void CHtmlCtrl::HandleBeforeNavigate2(const DISPPARAMS& params) {
    VARIANT_BOOL* cancelFlag = CancelFlagOf(params, kArgCancel);
    bool cancel = cancelFlag != nullptr && *cancelFlag != VARIANT_FALSE;
    const VARIANT* frameArgument = Argument(params, kArgFrame);
    IDispatch* frame = frameArgument != nullptr && V_VT(frameArgument) == VT_DISPATCH
                           ? V_DISPATCH(frameArgument)
                           : nullptr;
    Navigation navigation;
    navigation.url = TextOf(Argument(params, kArgUrl));
    navigation.flags = NumberOf(Argument(params, kArgFlags));
    navigation.targetFrameName = TextOf(Argument(params, kArgTargetFrameName));
    navigation.postData = BytesOf(Argument(params, kArgPostData));
    navigation.headers = TextOf(Argument(params, kArgHeaders));
    navigation.topLevel = frame == nullptr || IsOwnBrowser(frame);
    navigation.frameUrl = LocationOf(frame != nullptr ? frame : m_browser.get());
    OnBeforeNavigate2(navigation, cancel);
    if (cancelFlag != nullptr) {
        *cancelFlag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
    }
}

void CHtmlCtrl::HandleNewWindow(const DISPPARAMS& params) {
    VARIANT_BOOL* cancelFlag = CancelFlagOf(params, kNewWindowCancel);
    bool cancel = cancelFlag != nullptr && *cancelFlag != VARIANT_FALSE;
    const bool withUrl = params.cArgs == kNewWindow3ArgumentCount;
    OnNewWindow(withUrl ? TextOf(Argument(params, kNewWindowUrl)) : std::string(), cancel);
    if (cancelFlag != nullptr) {
        *cancelFlag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
    }
}

IOleInPlaceFrame* CHtmlCtrl::InPlaceFrame() const {
    return m_frame.get();
}

std::string CHtmlCtrl::LocationOf(IDispatch* frame) const {
    CComPtr<IWebBrowser2> browser;
    BSTR location = nullptr;
    if (frame == nullptr || FAILED(frame->QueryInterface(IID_IWebBrowser2, browser.put_void())) ||
        FAILED(browser->get_LocationURL(&location)) || location == nullptr) {
        return {};
    }
    std::string text = text::FromWide(location, SysStringLen(location));
    SysFreeString(location);
    return text;
}

bool CHtmlCtrl::IsOwnBrowser(IDispatch* frame) const {
    // Objects are the same when their IUnknown interfaces are.
    CComPtr<IUnknown> theirs;
    CComPtr<IUnknown> ours;
    return m_browser && SUCCEEDED(frame->QueryInterface(IID_IUnknown, theirs.put_void())) &&
           SUCCEEDED(m_browser->QueryInterface(IID_IUnknown, ours.put_void())) &&
           theirs.get() == ours.get();
}

void CHtmlCtrl::OnSize() const {
    const auto inPlace = m_oleObject.Query<IOleInPlaceObject>(IID_IOleInPlaceObject);
    if (inPlace) {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        inPlace->SetObjectRects(&client, &client);
    }
}

bool CHtmlCtrl::TranslateKey(MSG& message) const {
    if (!m_oleObject || message.message < WM_KEYFIRST || message.message > WM_KEYLAST ||
        (message.hwnd != m_hWnd && !IsChild(m_hWnd, message.hwnd))) {
        return false;
    }
    const auto active = m_oleObject.Query<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    return active && active->TranslateAccelerator(&message) == S_OK;
}

bool CHtmlCtrl::OnWndMsg(UINT message, WPARAM, LPARAM, LRESULT&) {
    switch (message) {
    case WM_SIZE:
        OnSize();
        break;
    case WM_SETFOCUS:
        // The focus goes on into the page, which takes the keyboard as a browser's does.
        if (m_oleObject) {
            RECT client{};
            GetClientRect(m_hWnd, &client);
            m_oleObject->DoVerb(OLEIVERB_UIACTIVATE, nullptr, m_site.get(), 0, m_hWnd, &client);
        }
        break;
    case WM_DESTROY:
        ReleaseBrowser();
        break;
    default:
        break;
    }
    return false; // and the default handling
}
