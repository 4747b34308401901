#include "manuals/ManualsPage.h"

#include "res/resource.h"

namespace manuals {

namespace {
const char kDocumentationFolder[] = "Documentation";
const char kListPage[] = "\\HTML\\manulist.htm";
} // namespace

std::string DocumentDir(const std::string& launcherDir, const std::string& languageName) {
    // The launcher directory brings its own backslash.
    return launcherDir + kDocumentationFolder + "\\" + languageName;
}

std::string ListPage(const std::string& launcherDir, const std::string& languageName) {
    return DocumentDir(launcherDir, languageName) + kListPage;
}

bool CheckListPage(const DocumentServices& services, platform::WindowRef owner,
                   const std::string& page) {
    if (services.files.Exists(page)) {
        return true;
    }
    services.ui.ShowMessage(owner,
                            services.strings.Load(IDS_BUILTIN_NO_HTML_FILE) + "\r\n\r\n" + page,
                            services.strings.Load(IDS_BUILTIN_ERROR_CAPTION), platform::mb::kOk);
    return false;
}

} // namespace manuals
