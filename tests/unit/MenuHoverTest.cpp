// The entry column, the drawing of the menu, and hover feedback.

#include "fakes/FakeMenuPage.h"
#include "menu/HelpText.h"
#include "menu/PageLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using fakes::Drawn;
using geometry::Rect;

Rect Entry(int i) {
    return {408, 15 + 41 * i, 593, 52 + 41 * i};
}
const Rect kHelpArea{0, 300, 597, 340};

class MenuHoverTest : public ::testing::Test {
protected:
    MenuHoverTest() { SetEntries(3); }

    void SetEntries(int count) {
        page.m_menuItems.clear();
        for (int i = 0; i < count; ++i) {
            auto item = std::make_unique<CMenuItem>();
            item->m_strText = "Entry " + std::to_string(i);
            item->m_strTitle = "Help " + std::to_string(i);
            page.m_menuItems.push_back(std::move(item));
        }
    }
    std::vector<Drawn> Move(int x, int y) {
        page.drawn.clear();
        page.OnMouseMove(x, y);
        return page.drawn;
    }

    fakes::FakeMenuServices services;
    fakes::FakeMenuPage page{"Main Dialog", services};
};

TEST_F(MenuHoverTest, EntryRectanglesFormAColumnThatGoesOnIntoTheHelpArea) {
    EXPECT_EQ(page.GetEntryRect(0), Rect{}) << "no rectangle before the layout";
    page.LayOut();
    EXPECT_EQ(page.GetEntryRect(0), Entry(0));
    EXPECT_EQ(page.GetEntryRect(6), (Rect{408, 261, 593, 298}));
    EXPECT_EQ(page.GetEntryRect(7).top, 302);
}

TEST_F(MenuHoverTest, DrawMenuDrawsTheHelpAreaThenEveryEntry) {
    page.LayOut();
    page.DrawMenu();
    const std::vector<Drawn> expected = {{Drawn::kHelpArea, kHelpArea, "", false},
                                         {Drawn::kEntry, Entry(0), "Entry 0", false},
                                         {Drawn::kEntry, Entry(1), "Entry 1", false},
                                         {Drawn::kEntry, Entry(2), "Entry 2", false}};
    EXPECT_EQ(page.drawn, expected);
    EXPECT_EQ(page.m_rcHelpArea, kHelpArea);
}

TEST_F(MenuHoverTest, EnteringLeavingAndMovingWithinAnEntry) {
    page.LayOut();
    page.DrawMenu();
    EXPECT_EQ(Move(500, 60), (std::vector<Drawn>{{Drawn::kEntry, Entry(1), "Entry 1", true},
                                                 {Drawn::kHelpArea, kHelpArea, "Help 1", false}}));
    EXPECT_EQ(page.m_nHotEntry, 1);
    EXPECT_TRUE(Move(520, 70).empty()) << "moving within the entry draws nothing";
    // Into the gap below entry 1.
    EXPECT_EQ(Move(520, 94), (std::vector<Drawn>{{Drawn::kEntry, Entry(1), "Entry 1", false},
                                                 {Drawn::kHelpArea, kHelpArea, "", false}}));
    EXPECT_EQ(page.m_nHotEntry, -1);
    EXPECT_TRUE(Move(100, 100).empty());
    EXPECT_GE(page.captureReleases, 4) << "the capture is released at every move";
}

TEST_F(MenuHoverTest, EdgesOfAnEntry) {
    page.LayOut();
    Move(408, 15);
    EXPECT_EQ(page.m_nHotEntry, 0) << "left and top edges are inside";
    Move(592, 51);
    EXPECT_EQ(page.m_nHotEntry, 0);
    Move(593, 30);
    EXPECT_EQ(page.m_nHotEntry, -1) << "right edge is outside";
    Move(500, 52);
    EXPECT_EQ(page.m_nHotEntry, -1) << "bottom edge is outside";
}

TEST_F(MenuHoverTest, AJumpDrawsTheOldNormalTheNewHotAndTheHelpAreaOnce) {
    page.LayOut();
    page.DrawMenu();
    Move(500, 20);
    page.m_menuItems.push_back(std::make_unique<CMenuItem>());
    EXPECT_EQ(Move(500, 100), (std::vector<Drawn>{{Drawn::kEntry, Entry(0), "Entry 0", false},
                                                  {Drawn::kEntry, Entry(2), "Entry 2", true},
                                                  {Drawn::kHelpArea, kHelpArea, "Help 2", false}}));
    EXPECT_EQ(Move(500, 30), (std::vector<Drawn>{{Drawn::kEntry, Entry(0), "Entry 0", true},
                                                 {Drawn::kEntry, Entry(2), "Entry 2", false},
                                                 {Drawn::kHelpArea, kHelpArea, "Help 0", false}}))
        << "in entry order, whatever the direction";
}

TEST_F(MenuHoverTest, AStaleHotIndexAfterAReloadToAShorterMenu) {
    page.LayOut();
    page.DrawMenu();
    Move(500, 100);
    ASSERT_EQ(page.m_nHotEntry, 2);
    SetEntries(1);
    page.drawn.clear();
    page.DrawMenu();
    EXPECT_EQ(page.drawn.front(), (Drawn{Drawn::kHelpArea, kHelpArea, "", false}))
        << "an index that names no entry counts as none";
    EXPECT_FALSE(page.drawn.back().hot);
    EXPECT_EQ(Move(100, 100), (std::vector<Drawn>{{Drawn::kHelpArea, kHelpArea, "", false}}));
    EXPECT_EQ(page.m_nHotEntry, -1);

    SetEntries(0);
    page.m_nHotEntry = 3;
    EXPECT_EQ(Move(500, 20), (std::vector<Drawn>{{Drawn::kHelpArea, kHelpArea, "", false}}));
}

TEST_F(MenuHoverTest, AfterAReloadTheEntryUnderTheRestingPointerIsDrawnHot) {
    page.LayOut();
    Move(500, 100);
    SetEntries(4);
    page.drawn.clear();
    page.DrawMenu();
    EXPECT_EQ(page.drawn[0].text, "Help 2");
    EXPECT_TRUE(page.drawn[3].hot);
}

TEST_F(MenuHoverTest, TheEighthEntryLiesInTheHelpArea) {
    SetEntries(8);
    page.LayOut();
    Move(500, 310);
    EXPECT_EQ(page.m_nHotEntry, 7);
}

TEST_F(MenuHoverTest, BeforeTheLayoutNothingIsHit) {
    EXPECT_TRUE(Move(0, 0).empty());
    EXPECT_EQ(page.m_nHotEntry, -1);
}

TEST(HelpText, BackslashesSeparateLines) {
    EXPECT_EQ(ComposeHelpText("Installs\\the product", "none").text, "Installs\nthe product\n\n");
    EXPECT_EQ(ComposeHelpText("Installs\\the product", "none").topOffset, 5);
    EXPECT_EQ(ComposeHelpText("One line", "none").text, "One line\n\n");
    EXPECT_EQ(ComposeHelpText("One line", "none").topOffset, 12);
    EXPECT_EQ(ComposeHelpText("", "Point at an entry").text, "Point at an entry");
    EXPECT_EQ(ComposeHelpText("", "Point at an entry").topOffset, 12);
    EXPECT_EQ(ComposeHelpText("\\", "none").text, "\n\n\n") << "shows an empty help area";
    EXPECT_EQ(ComposeHelpText("a\\\\b", "none").text, "a\n\nb\n\n") << "empty lines are kept";
}

TEST(PageLayout, ThePageIsCentredWithTruncation) {
    const layout::FrameMetrics metrics{2, 1, 2, 1, 19};
    const Rect window = layout::PageWindowRect(400, 300, metrics, {0, 0, 1024, 768});
    EXPECT_EQ(window.Width(), 603);
    EXPECT_EQ(window.Height(), 365);
    EXPECT_EQ(window.left, (1024 - 603) / 2);
    EXPECT_EQ(window.top, (768 - 365) / 2);
    // Wider and taller than the screen: a 3-pixel excess gives -1.
    EXPECT_EQ(layout::PageWindowRect(400, 300, metrics, {0, 0, 600, 362}).left, -1);
    EXPECT_EQ(layout::PageWindowRect(400, 300, metrics, {0, 0, 600, 362}).top, -1);
}

TEST(PageLayout, ChooserAndLabelByFractionsOfTheBackground) {
    EXPECT_EQ(layout::ChooserRect(400, 300, 21), (Rect{16, 261, 192, 282}));
    EXPECT_EQ(layout::LabelRect(400, 300, 29), (Rect{16, 228, 216, 257}));
    EXPECT_EQ(layout::ChooserRect(401, 299, 20), (Rect{16, 260, 192, 280})) << "truncated";
}

} // namespace
