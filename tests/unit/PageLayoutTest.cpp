// The geometry of a page (its entries, help area, window, chooser and label, the underline of
// the hot entry) and the layout of its help text.

#include "menu/PageLayout.h"
#include "PageCoordinates.h"
#include "menu/HelpText.h"
#include "menu/PageColours.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct ScaleRow {
    int dpi;
    Rect client;
    Rect firstEntry;
    Rect helpArea;
    Rect chooser;      // of a 21-pixel chooser
    int underlineLeft; // under a 100-pixel text in the first entry
};

TEST(PageLayout, EveryLengthFollowsTheScreensDpi) {
    const std::vector<ScaleRow> rows{
        {96, {0, 0, 597, 340}, {408, 15, 593, 52}, {0, 300, 597, 340}, {16, 261, 192, 282}, 448},
        {144, {0, 0, 896, 510}, {612, 23, 890, 78}, {0, 450, 896, 510}, {24, 392, 288, 413}, 698},
        {192,
         {0, 0, 1194, 680},
         {816, 30, 1186, 104},
         {0, 600, 1194, 680},
         {32, 522, 384, 543},
         947},
    };
    for (const ScaleRow& row : rows) {
        SCOPED_TRACE(row.dpi);
        const layout::Scale scale = layout::ScaleForDpi(row.dpi);
        const Rect client = layout::ClientRect(400, 300, scale);
        EXPECT_EQ(client, row.client);
        EXPECT_EQ(layout::EntryRect(kLeft, 0, scale), row.firstEntry);
        EXPECT_EQ(layout::HelpArea(300, client, scale), row.helpArea);
        EXPECT_EQ(layout::ChooserRect(400, 300, 21, scale), row.chooser);
        EXPECT_EQ(layout::BackgroundRect(400, 300, scale),
                  (Rect{0, 0, row.helpArea.top * 4 / 3, row.helpArea.top}));
        EXPECT_EQ(layout::UnderlineSpan(row.firstEntry, 100, 40, scale).x1, row.underlineLeft);
        // The entries' gaps grow too: no two entries touch at any scale.
        EXPECT_LT(layout::EntryRect(kLeft, 0, scale).bottom,
                  layout::EntryRect(kLeft, 1, scale).top);
        const layout::FrameMetrics metrics{2, 1, 2, 1, 19};
        EXPECT_EQ(layout::PageWindowRect(400, 300, metrics, {0, 0, 4000, 3000}, scale).Width(),
                  row.client.right + 6);
    }
    EXPECT_EQ(layout::ScaleForDpi(0).dpi, 96) << "a DPI the system could not tell";
}

TEST(PageLayout, TheDoublePictureIsTakenWhereverThePageIsDrawnLarger) {
    EXPECT_EQ(layout::PictureFactor(layout::ScaleForDpi(96), true), 1);
    EXPECT_EQ(layout::PictureFactor(layout::ScaleForDpi(120), true), 2);
    EXPECT_EQ(layout::PictureFactor(layout::ScaleForDpi(192), true), 2);
    EXPECT_EQ(layout::PictureFactor(layout::ScaleForDpi(192), false), 1);
    EXPECT_EQ(layout::PictureFactor(layout::ScaleForDpi(72), true), 1);
}

TEST(PageColours, HighContrastDrawsInTheSystemsColoursWithFrames) {
    using colours::AreaColours;
    using colours::Rgb;
    const colours::SystemColours black{Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(0, 0, 0),
                                       Rgb(0, 255, 255)};
    const colours::SystemColours white{Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 255, 255),
                                       Rgb(55, 0, 110)};
    // A brand's texts: dark on pale faces, a green label.
    const colours::TextColours brand{Rgb(0, 70, 78), Rgb(255, 250, 240), Rgb(10, 20, 30),
                                     Rgb(0, 128, 64)};
    const colours::TextColours sample = colours::kDesignTextColours;
    struct Row {
        bool highContrast;
        colours::SystemColours system;
        colours::TextColours text;
        AreaColours entry, hotEntry, help;
        colours::Colour label;
    };
    const AreaColours designEntry{true, 0, Rgb(255, 255, 255), {}, {}, {}};
    const AreaColours designHot{
        true, 0, Rgb(255, 255, 255), Rgb(127, 127, 127), {}, Rgb(255, 255, 0)};
    const AreaColours designHelp{true, 0, Rgb(62, 89, 126), Rgb(255, 255, 255), {}, {}};
    const AreaColours blackEntry{false, Rgb(0, 0, 0),       Rgb(255, 255, 255),
                                 {},    Rgb(255, 255, 255), {}};
    const AreaColours blackHot{false, Rgb(0, 255, 255), Rgb(0, 0, 0),
                               {},    Rgb(0, 0, 0),     Rgb(0, 0, 0)};
    const std::vector<Row> rows{
        {false, black, sample, designEntry, designHot, designHelp, Rgb(18, 54, 200)},
        {false, white, sample, designEntry, designHot, designHelp, Rgb(18, 54, 200)},
        {false,
         white,
         brand,
         {true, 0, Rgb(0, 70, 78), {}, {}, {}},
         {true, 0, Rgb(255, 250, 240), Rgb(127, 127, 127), {}, Rgb(255, 255, 0)},
         {true, 0, Rgb(10, 20, 30), Rgb(255, 255, 255), {}, {}},
         Rgb(0, 128, 64)},
        {true, black, sample, blackEntry, blackHot, blackEntry, Rgb(255, 255, 255)},
        {true, black, brand, blackEntry, blackHot, blackEntry, Rgb(255, 255, 255)},
        {true,
         white,
         sample,
         {false, Rgb(255, 255, 255), Rgb(0, 0, 0), {}, Rgb(0, 0, 0), {}},
         {false, Rgb(55, 0, 110), Rgb(255, 255, 255), {}, Rgb(255, 255, 255), Rgb(255, 255, 255)},
         {false, Rgb(255, 255, 255), Rgb(0, 0, 0), {}, Rgb(0, 0, 0), {}},
         Rgb(0, 0, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.highContrast) + " " + std::to_string(row.system.window) +
                     " " + std::to_string(row.text.entry));
        const colours::PageColours chosen =
            colours::ChoosePageColours(row.highContrast, row.system, row.text);
        EXPECT_EQ(chosen.entry, row.entry);
        EXPECT_EQ(chosen.hotEntry, row.hotEntry);
        EXPECT_EQ(chosen.help, row.help);
        EXPECT_EQ(chosen.label, row.label);
    }
    EXPECT_EQ(colours::DesignColours().help, designHelp) << "without a brand's, the sample's";
    EXPECT_EQ(colours::DesignColours().label, Rgb(18, 54, 200));
    EXPECT_EQ(Rgb(1, 2, 3), 0x030201u) << "as the system stores a colour";
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
