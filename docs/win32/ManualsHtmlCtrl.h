#pragma once
// The HTML control of the manuals window. Its pages have two kinds of application link:
// "app:return" closes the window, and "app:<document>" opens a document (relative to the
// language's document folder, or a path of its own when it has a backslash) in the program
// associated with its type.

#include "docs/DocumentServices.h"
#include "docs/win32/HtmlCtrl.h"

#include <string>
#include <utility>

class CManualsHtmlCtrl : public CHtmlCtrl {
public:
    explicit CManualsHtmlCtrl(const DocumentServices& services);
    ~CManualsHtmlCtrl() override;

    // The folder that relative document names are taken in, without a trailing backslash.
    void SetDocumentDir(std::string documentDir) { m_strDocumentDir = std::move(documentDir); }
    const std::string& GetDocumentDir() const { return m_strDocumentDir; }

    // Opens `path` in its associated program; without one, warns (naming the path) and
    // returns false.
    bool OpenDocument(const std::string& path);

protected:
    void OnAppLink(const std::string& command) override;

private:
    DocumentServices m_services;
    std::string m_strDocumentDir;
};
