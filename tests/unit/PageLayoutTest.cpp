// The geometry of a page (its entries, help area, window, chooser and label, the underline of
// the hot entry) and the layout of its help text.

#include "menu/PageLayout.h"
#include "PageCoordinates.h"
#include "menu/HelpText.h"

#include <gtest/gtest.h>

namespace {

using geometry::Rect;
using page::Entry;
using page::kHelpArea;
constexpr int kLeft = page::kEntryLeft;

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
