#include "manuals/win32/ManualsHtmlCtrl.h"

CManualsHtmlCtrl::CManualsHtmlCtrl(const DocumentServices& services) : m_services(services) {}

CManualsHtmlCtrl::~CManualsHtmlCtrl() = default;

void CManualsHtmlCtrl::OnBeforeNavigate2(const Navigation& navigation, bool& cancel) {
    if (applink::CommandOf(navigation.url)) {
        CHtmlCtrl::OnBeforeNavigate2(navigation, cancel); // and so to OnAppLink
        return;
    }
    if (!CarryOut(
            applink::DecideNavigation(m_strDocumentDir, navigation.url, navigation.topLevel))) {
        cancel = true;
    }
}

void CManualsHtmlCtrl::OnAppLink(const std::string& command, const Navigation& navigation) {
    CarryOut(applink::DecideCommand(m_strDocumentDir, navigation.frameUrl, command));
}

void CManualsHtmlCtrl::OnNewWindow(const std::string& url, bool& cancel) {
    // No window of the browser's own: a page of the folder shows here, a web page in the
    // user's browser; a window whose address the browser does not tell opens nowhere.
    cancel = true;
    const applink::Action action = applink::DecideNavigation(m_strDocumentDir, url, true);
    if (action.kind == applink::Action::Kind::Navigate) {
        Navigate(url);
    } else {
        CarryOut(action);
    }
}

bool CManualsHtmlCtrl::CarryOut(const applink::Action& action) {
    using Kind = applink::Action::Kind;
    switch (action.kind) {
    case Kind::Navigate:
        return true;
    case Kind::Close:
        // The window closes before the browser learns that its navigation is cancelled.
        CWindowRef(GetParent(m_hWnd)).Send(WM_CLOSE);
        break;
    case Kind::Open:
        OpenDocument(action.path);
        break;
    case Kind::Browse:
        m_services.shell.Open(GetActiveWindow(), action.path, std::nullopt);
        break;
    case Kind::Refuse:
        applink::ShowRefusal(m_services, m_hWnd, action);
        break;
    case Kind::Ignore:
        break;
    }
    return false;
}

bool CManualsHtmlCtrl::OpenDocument(const std::string& path) {
    return applink::OpenDocument(m_services, GetActiveWindow(), m_hWnd, path);
}
