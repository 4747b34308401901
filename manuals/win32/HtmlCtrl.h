#pragma once
// An HTML page as a plain child control of a dialog: the system's WebBrowser control hosted
// in a child window of our own. It is created in place of a placeholder static control, takes
// no part in frame activation, and is a member of its parent window's object: destroying its
// window releases the browser but never the object.
//
// Application links: a navigation to a URL that begins with "app:" (in any case) is cancelled
// and the rest of the URL goes to OnAppLink. Everything else is navigated normally, unless a
// derived control's filter says otherwise. The browser is locked down (BrowserSite.h), and the
// system's restrictions for pages of the local machine are switched on for the process.
//
// The browser is a COM object: OLE must be initialised (OleInitialize) on the thread that
// creates the control, and the control is used from that thread only.

#include "framework/win32/ComPtr.h"
#include "framework/win32/Dialog.h"
#include "manuals/win32/BrowserSite.h"

#include <windows.h>
// After windows.h, which they need.
#include <exdisp.h>
#include <ocidl.h>
#include <ole2.h>

#include <string>

class CHtmlCtrl : public CWnd, private IBrowserSiteOwner {
public:
    CHtmlCtrl();
    ~CHtmlCtrl() override;

    // Replaces the static control `nID` of `hWndParent` by this control, at the same place
    // in the parent's client area and under the same id. False when there is no such control,
    // or when the window or the browser in it cannot be made.
    bool CreateInPlaceOfStatic(UINT nID, HWND hWndParent);
    bool CreateInPlaceOfStatic(UINT nID, const CDialog* pParent);

    // Creates the control window (WS_CHILD | WS_VISIBLE) at `rect` of `hWndParent`'s client
    // area, with the browser filling it.
    bool Create(const RECT& rect, HWND hWndParent, UINT nID);

    // Starts a navigation to `url`, for example the full path of a local file.
    bool Navigate(const std::string& url);

    // The browser, while the control's window exists; null before and after.
    IWebBrowser2* GetBrowser() const { return m_browser.get(); }

    // Hands a key message for a window of the control to the browser, as a browser's host
    // does: the page then moves between its links with Tab and follows one with Enter. True
    // when the browser took it, and the message must go no further.
    bool TranslateKey(MSG& message) const;

    // A navigation that the browser is about to make; texts are UTF-8.
    struct Navigation {
        std::string url;
        unsigned long flags = 0;
        std::string targetFrameName;
        std::string postData;
        std::string headers;
        std::string frameUrl; // what the navigating frame shows now; empty when nothing yet
        bool topLevel = true; // the control's own page, not a frame in it
    };

protected:
    // Called before every navigation the browser is about to make; setting `cancel` stops it.
    // Filters out the application links.
    virtual void OnBeforeNavigate2(const Navigation& navigation, bool& cancel);

    // An application link: `command` is the URL without its first four characters.
    virtual void OnAppLink(const std::string& command, const Navigation& navigation);

    // A page asks for a new window (a pop-up, a link to another frame's target) showing
    // `url` (empty where the browser does not say, as before XP SP2); setting `cancel` keeps it
    // from opening. By default it opens.
    virtual void OnNewWindow(const std::string& url, bool& cancel);

    // The event sink through which the browser reports navigations (DWebBrowserEvents2);
    // null while the control has no browser.
    IDispatch* GetEventSink() const;

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The objects the browser calls back: its site (client site and in-place site,
    // BrowserSite.h), the in-place frame, and the sink of its events. Each lives as long as
    // anybody holds it and forgets the control when the control's window goes.
    class CFrame;
    class CEventSink;

    bool CreateBrowser();
    void ReleaseBrowser();
    void OnSize() const;
    void HandleBrowserEvent(DISPID dispId, const DISPPARAMS& params);
    void HandleBeforeNavigate2(const DISPPARAMS& params);
    void HandleNewWindow(const DISPPARAMS& params); // NewWindow3, or NewWindow2 without a URL
    // What the frame (a browser object of the page, or the control's own) shows now, and
    // whether it is the control's own.
    std::string LocationOf(IDispatch* frame) const;
    bool IsOwnBrowser(IDispatch* frame) const;
    // What the site asks of the control.
    HWND SiteWindow() const override { return m_hWnd; }
    IOleInPlaceFrame* InPlaceFrame() const override;

    CComPtr<CBrowserSite> m_site;
    CComPtr<CFrame> m_frame;
    CComPtr<CEventSink> m_sink;
    CComPtr<IOleObject> m_oleObject;
    CComPtr<IWebBrowser2> m_browser;
    CComPtr<IConnectionPoint> m_connectionPoint;
    DWORD m_dwAdviseCookie = 0;
};
