// The page layout, the entry column under the pointer, the drawing of the menu, and the help
// text.

#include "menu/EntryColumn.h"
#include "fakes/FakeMenuPage.h"
#include "menu/HelpText.h"
#include "menu/PageLayout.h"

#include <gtest/gtest.h>

namespace {

using fakes::Drawn;
using geometry::Rect;

constexpr int kLeft = layout::EntryColumnLeft(400);
Rect Entry(int i) {
    return layout::EntryRect(kLeft, i);
}
const Rect kHelpArea{0, 300, 597, 340};

TEST(PageLayout, EntryRectanglesFormAColumnThatGoesOnIntoTheHelpArea) {
    EXPECT_EQ(kLeft, 408);
    EXPECT_EQ(Entry(0), (Rect{408, 15, 593, 52}));
    EXPECT_EQ(Entry(6), (Rect{408, 261, 593, 298}));
    EXPECT_EQ(Entry(7).top, 302);
    EXPECT_EQ(layout::EntryRect(layout::kNotLaidOut, 0), Rect{}) << "not laid out";
    EXPECT_EQ(layout::HelpArea(300, {0, 0, 597, 340}), kHelpArea);
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

TEST(PageLayout, TheUnderlineStaysUnderTheTextAndInsideTheEntry) {
    EXPECT_EQ(layout::UnderlineSpan(Entry(0), 100, 44), (layout::HorizontalLine{448, 550, 44}));
    EXPECT_EQ(layout::UnderlineSpan(Entry(0), 99, 44), (layout::HorizontalLine{449, 550, 44}));
    EXPECT_EQ(layout::UnderlineSpan({0, 0, 10, 37}, 0, 3), (layout::HorizontalLine{3, 5, 3}));
    EXPECT_EQ(layout::UnderlineSpan(Entry(0), 300, 44), (layout::HorizontalLine{408, 593, 44}))
        << "a text wider than the face";
}

TEST(EntryColumn, WhatAMoveOfThePointerRedraws) {
    struct Case {
        int count, hot, x, y;
        entries::MoveEffect expected;
    };
    const Case cases[] = {
        {3, -1, 500, 60, {1, {{1, true}}, true}},             // into an entry
        {3, 1, 520, 70, {1, {}, false}},                      // within it
        {3, 1, 520, 94, {-1, {{1, false}}, true}},            // into the gap below
        {3, -1, 100, 100, {-1, {}, false}},                   // over the background
        {3, 0, 500, 100, {2, {{0, false}, {2, true}}, true}}, // a jump down
        {3, 2, 500, 30, {0, {{0, true}, {2, false}}, true}},  // a jump up: in entry order
        {3, -1, 408, 15, {0, {{0, true}}, true}},             // left and top edges inside
        {3, -1, 592, 51, {0, {{0, true}}, true}},
        {3, -1, 593, 30, {-1, {}, false}}, // right edge outside
        {3, -1, 500, 52, {-1, {}, false}}, // bottom edge outside
        {1, 2, 100, 100, {-1, {}, true}},  // a stale index after a reload
        {0, 3, 500, 20, {-1, {}, true}},
        {8, -1, 500, 310, {7, {{7, true}}, true}}, // the eighth, in the help area
    };
    for (const Case& c : cases) {
        const entries::MoveEffect effect = entries::OnMove(kLeft, c.count, c.hot, c.x, c.y);
        EXPECT_EQ(effect.hotEntry, c.expected.hotEntry) << c.x << "," << c.y;
        EXPECT_EQ(effect.redraw, c.expected.redraw) << c.x << "," << c.y;
        EXPECT_EQ(effect.redrawHelpArea, c.expected.redrawHelpArea) << c.x << "," << c.y;
    }
    EXPECT_EQ(entries::OnMove(layout::kNotLaidOut, 3, -1, 0, 0).hotEntry, -1)
        << "before the layout nothing is hit";
}

class MenuDrawingTest : public ::testing::Test {
protected:
    MenuDrawingTest() {
        for (int i = 0; i < 3; ++i) {
            auto item = std::make_unique<CMenuItem>();
            item->m_strText = "Entry " + std::to_string(i);
            item->m_strTitle = "Help " + std::to_string(i);
            page.m_menuItems.push_back(std::move(item));
        }
        page.LayOut();
    }
    std::vector<Drawn> Move(int x, int y) {
        page.drawn.clear();
        page.OnMouseMove(x, y);
        return page.drawn;
    }

    fakes::FakeMenuServices services;
    fakes::FakeMenuPage page{"Main Dialog", services};
};

TEST_F(MenuDrawingTest, TheHelpAreaThenEveryEntryAndOnAMoveOnlyWhatChanges) {
    page.DrawMenu();
    EXPECT_EQ(page.drawn, (std::vector<Drawn>{{Drawn::kHelpArea, kHelpArea, "", false},
                                              {Drawn::kEntry, Entry(0), "Entry 0", false},
                                              {Drawn::kEntry, Entry(1), "Entry 1", false},
                                              {Drawn::kEntry, Entry(2), "Entry 2", false}}));
    EXPECT_EQ(Move(500, 60), (std::vector<Drawn>{{Drawn::kEntry, Entry(1), "Entry 1", true},
                                                 {Drawn::kHelpArea, kHelpArea, "Help 1", false}}));
    EXPECT_EQ(Move(520, 94), (std::vector<Drawn>{{Drawn::kEntry, Entry(1), "Entry 1", false},
                                                 {Drawn::kHelpArea, kHelpArea, "", false}}));
    EXPECT_EQ(page.captureReleases, 2) << "the capture is released at every move";
}

TEST_F(MenuDrawingTest, AfterAReloadTheEntryUnderTheRestingPointerIsDrawnHot) {
    page.DrawMenu();
    Move(500, 100);
    page.m_menuItems.resize(1);
    page.drawn.clear();
    page.DrawMenu();
    EXPECT_EQ(page.drawn.front(), (Drawn{Drawn::kHelpArea, kHelpArea, "", false}))
        << "an index that names no entry counts as none";
    while (page.m_menuItems.size() < 4) {
        page.m_menuItems.push_back(std::make_unique<CMenuItem>());
    }
    page.m_menuItems[2]->m_strTitle = "Help 2";
    page.drawn.clear();
    page.DrawMenu();
    EXPECT_EQ(page.drawn[0].text, "Help 2");
    EXPECT_TRUE(page.drawn[3].hot);
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
    // What fits the strip: whole lines only.
    EXPECT_EQ(FirstLines("one\ntwo\nthree\n\n", 2), "one\ntwo");
    EXPECT_EQ(FirstLines("one\n\n", 2), "one\n");
    EXPECT_EQ(FirstLines("one", 5), "one");
    EXPECT_EQ(FirstLines("one\ntwo", 0), "");
}

} // namespace
