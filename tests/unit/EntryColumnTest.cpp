// The entry column: which entry lies under the pointer, and what a move of the pointer redraws.

#include "menu/EntryColumn.h"
#include "PageCoordinates.h"

#include <gtest/gtest.h>

namespace {

constexpr int kLeft = page::kEntryLeft;

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

} // namespace
