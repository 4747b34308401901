// Where the manuals window looks for its page and its documents, and what it says when the
// page is missing.

#include "manuals/ManualsPage.h"
#include "fakes/FakeDocumentServices.h"

#include <gtest/gtest.h>

namespace {

TEST(ManualsPaths, FollowTheLauncherDirectoryWithoutAnExtraSeparator) {
    EXPECT_EQ(manuals::DocumentDir("X:\\", "English"), "X:\\Documentation\\English");
    EXPECT_EQ(manuals::ListPage("X:\\", "English"),
              "X:\\Documentation\\English\\HTML\\manulist.htm");
    EXPECT_EQ(manuals::ListPage("D:\\Disc\\", "Deutsch"),
              "D:\\Disc\\Documentation\\Deutsch\\HTML\\manulist.htm");
}

TEST(ManualsPaths, KeepTheLanguageNameAsTheChooserShowsIt) {
    EXPECT_EQ(manuals::ListPage("X:\\", "Fran\xe7"
                                        "ais"),
              "X:\\Documentation\\Fran\xe7"
              "ais\\HTML\\manulist.htm");
}

TEST(ManualsPaths, AnEmptyLauncherDirectoryGivesARelativePath) {
    EXPECT_EQ(manuals::ListPage("", "English"), "Documentation\\English\\HTML\\manulist.htm");
    EXPECT_EQ(manuals::DocumentDir("", "English"), "Documentation\\English");
}

class CheckListPageTest : public ::testing::Test {
protected:
    fakes::FakeDocumentServices fakes;
    DocumentServices services = fakes.Get();
    platform::WindowRef window = reinterpret_cast<platform::WindowRef>(0x4321);
    const std::string page = "X:\\Documentation\\English\\HTML\\manulist.htm";
};

TEST_F(CheckListPageTest, AnExistingPageIsFoundSilently) {
    fakes.files.files[page] = "<html></html>";
    EXPECT_TRUE(manuals::CheckListPage(services, window, page));
    EXPECT_TRUE(fakes.ui.shown.empty());
}

TEST_F(CheckListPageTest, AMatchOfTheFindFileSearchCounts) {
    fakes.files.patterns.insert(page);
    EXPECT_TRUE(manuals::CheckListPage(services, window, page));
}

TEST_F(CheckListPageTest, AMissingPageIsReportedWithItsFullPath) {
    EXPECT_FALSE(manuals::CheckListPage(services, window, page));
    ASSERT_EQ(fakes.ui.shown.size(), 1u);
    EXPECT_EQ(fakes.ui.shown[0].owner, window);
    EXPECT_EQ(fakes.ui.shown[0].text,
              "Can not find HTML file.\r\n\r\nX:\\Documentation\\English\\HTML\\manulist.htm");
    EXPECT_EQ(fakes.ui.shown[0].caption, std::optional<std::string>("Error"));
    EXPECT_EQ(fakes.ui.shown[0].style, 0u) << "OK alone, no icon";
}

} // namespace
