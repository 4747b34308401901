#pragma once
// The HTML control of the manuals window. It shows the pages of the language's documentation
// folder and nothing else: "app:return" closes the window, "app:<document>" opens a document
// of the folder in the program associated with its type, a web page opens in the user's
// browser, and whatever else a page asks for is refused (applink::DecideUrl).

#include "manuals/AppLink.h"
#include "manuals/DocumentServices.h"
#include "manuals/win32/HtmlCtrl.h"

#include <string>
#include <utility>

class CManualsHtmlCtrl : public CHtmlCtrl {
public:
    explicit CManualsHtmlCtrl(const DocumentServices& services);
    ~CManualsHtmlCtrl() override;

    // The folder of the documents, a full path without a trailing backslash.
    void SetDocumentDir(std::string documentDir) { m_strDocumentDir = std::move(documentDir); }
    const std::string& GetDocumentDir() const { return m_strDocumentDir; }

    // Opens `path` in its associated program; without one, warns (naming the path) and
    // returns false.
    bool OpenDocument(const std::string& path);

protected:
    void OnBeforeNavigate2(const Navigation& navigation, bool& cancel) override;
    void OnAppLink(const std::string& command, const Navigation& navigation) override;
    void OnNewWindow(const std::string& url, bool& cancel) override;

private:
    // Does what the decision says; true when the navigation goes ahead.
    bool CarryOut(const applink::Action& action);

    DocumentServices m_services;
    std::string m_strDocumentDir;
};
