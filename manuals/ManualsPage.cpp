#include "manuals/ManualsPage.h"

namespace manuals {

namespace {
const char kDocumentationFolder[] = "Documentation";
const char kListPage[] = "\\HTML\\manulist.htm";
const char kMissingPageText[] = "Can not find HTML file.\r\n\r\n";
const char kMissingPageCaption[] = "Error";
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
    services.ui.ShowMessage(owner, kMissingPageText + page, std::string(kMissingPageCaption),
                            platform::mb::kOk);
    return false;
}

} // namespace manuals
