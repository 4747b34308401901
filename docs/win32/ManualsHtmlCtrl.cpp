#include "docs/win32/ManualsHtmlCtrl.h"

#include "docs/AppLink.h"

CManualsHtmlCtrl::CManualsHtmlCtrl(const DocumentServices& services) : m_services(services) {}

CManualsHtmlCtrl::~CManualsHtmlCtrl() = default;

void CManualsHtmlCtrl::OnAppLink(const std::string& command) {
    const applink::Action action = applink::DecideCommand(m_strDocumentDir, command);
    if (action.kind == applink::Action::Kind::Close) {
        // The window closes before the browser learns that its navigation is cancelled.
        CWindow(GetParent(m_hWnd)).Send(WM_CLOSE);
        return;
    }
    OpenDocument(action.path);
}

bool CManualsHtmlCtrl::OpenDocument(const std::string& path) {
    return applink::OpenDocument(m_services, GetActiveWindow(), m_hWnd, path);
}
