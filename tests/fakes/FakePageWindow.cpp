#include "fakes/FakePageWindow.h"

#include "menu/Configuration.h"

#include <fstream>
#include <random>

namespace fakes {

namespace fs = std::filesystem;

PageOnDisc::PageOnDisc() {
    std::random_device random;
    m_folder = fs::temp_directory_path() / ("discmenu-page-" + std::to_string(random()));
    fs::create_directories(m_folder);
    m_disc = m_folder.string() + "/";
}

PageOnDisc::~PageOnDisc() {
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
}

void PageOnDisc::WriteLanguageFile(int language, const std::string& content) const {
    std::ofstream(config::FilePath(m_disc, language), std::ios::binary) << content;
}

CMenuPage& PageOnDisc::Open(const std::string& name, std::optional<int> openerLanguage,
                            bool layOut) {
    m_page = std::make_unique<CMenuPage>(PageContext{name, m_disc, openerLanguage}, services.Get(),
                                         window);
    m_page->OnInitDialog(Owner());
    if (layOut) {
        m_page->LayOut(layout::kBackgroundWidth, layout::kBackgroundHeight, page::kClient);
    }
    return *m_page;
}

} // namespace fakes
