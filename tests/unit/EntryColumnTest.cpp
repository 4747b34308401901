// The entry column: which entry lies under the pointer, what a move of the pointer redraws, and
// which entry becomes current after a key.

#include "menu/EntryColumn.h"
#include "PageCoordinates.h"
#include "menu/AccessKeys.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(EntryColumn, WhichEntryBecomesCurrentAfterAKey) {
    using K = entries::Key;
    const std::vector<bool> plain = {false, false, false};
    const std::vector<bool> gaps = {true, false, true, false, true}; // blank first and last
    struct Case {
        const std::vector<bool>& blank;
        int current;
        K key;
        int expected;
    };
    const std::vector<bool> none;
    const std::vector<bool> allBlank = {true, true};
    const Case cases[] = {
        {plain, -1, K::kDown, 0},                             // from no entry: the first
        {plain, -1, K::kUp, 2},                               // or the last
        {plain, 0, K::kDown, 1},     {plain, 2, K::kDown, 0}, // wraps at the bottom
        {plain, 0, K::kUp, 2},                                // and at the top
        {plain, 1, K::kHome, 0},     {plain, 1, K::kEnd, 2},
        {plain, 7, K::kDown, 0}, // a stale index after a reload counts as none
        {gaps, -1, K::kDown, 1}, // blank entries are passed over
        {gaps, 1, K::kDown, 3},      {gaps, 3, K::kDown, 1},
        {gaps, 1, K::kUp, 3},        {gaps, 2, K::kDown, 3}, // from a blank entry under the pointer
        {gaps, 2, K::kUp, 1},        {gaps, 3, K::kHome, 1},
        {gaps, 1, K::kEnd, 3},       {none, -1, K::kDown, -1}, // a page without entries
        {none, -1, K::kHome, -1},    {allBlank, 0, K::kDown, -1},
        {allBlank, -1, K::kEnd, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(entries::AfterKey(c.blank, c.current, c.key), c.expected)
            << c.blank.size() << " entries, from " << c.current << ", key "
            << static_cast<int>(c.key);
    }
}

TEST(EntryColumn, WhatAnAccessKeyDoes) {
    const std::vector<char32_t> keys = {U'i', U'r', U'i', 0, U'\u0443'};
    struct Case {
        int current;
        char32_t key;
        entries::AccessKeyMove expected;
    };
    const Case cases[] = {
        {-1, U'r', {1, true}},      // its own key carries the entry out
        {0, U'r', {1, true}},       // from wherever the current entry is
        {-1, U'i', {0, false}},     // a shared key makes the first current
        {0, U'i', {2, false}},      // and the next one on each press
        {2, U'i', {0, false}},      // wrapping around
        {1, U'x', {1, false}},      // a key no entry has: nothing moves
        {-1, U'x', {-1, false}},    //
        {-1, 0, {-1, false}},       // blank entries have none
        {-1, U'\u0443', {4, true}}, // any script
        {9, U'r', {1, true}},       // a stale index counts as none
    };
    for (const Case& c : cases) {
        EXPECT_EQ(entries::AfterAccessKey(keys, c.current, c.key), c.expected)
            << "from " << c.current << ", key " << static_cast<unsigned>(c.key);
    }
}

TEST(EntryColumn, AccessKeysAndPlainTextsOfEntryTexts) {
    struct Case {
        const char* text;
        const char* plain;
        char32_t key;
        bool blank;
    };
    const Case cases[] = {
        {"Install", "Install", U'i', false},                    // the first letter
        {"Read &me", "Read me", U'm', false},                   // the author's mark
        {"Tom && Jerry", "Tom & Jerry", U't', false},           // a literal ampersand
        {"A && &B", "A & B", U'b', false},                      // both
        {"  Setup", "  Setup", U's', false},                    // leading spaces are no key
        {"End&", "End", U'e', false},                           // a mark with nothing to mark
        {"", "", 0, true},                                      //
        {"   ", "   ", 0, true},                                //
        {"&", "", 0, true},                                     //
        {"\xC3\x89tat", "\xC3\x89tat", 0xE9, false},            // Latin-1 capitals fold
        {"\xD0\xA3\xD1\x81", "\xD0\xA3\xD1\x81", 0x443, false}, // and Cyrillic
        {"\xCE\xA3", "\xCE\xA3", 0x3C3, false},                 // and Greek
        {"\xE5\xAE\x89\xE8\xA3\x85", "\xE5\xAE\x89\xE8\xA3\x85", 0x5B89, false}, // as it stands
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", 0x1F600, false},                // past U+FFFF
    };
    for (const Case& c : cases) {
        EXPECT_EQ(accesskeys::PlainText(c.text), c.plain) << c.text;
        EXPECT_EQ(accesskeys::AccessKey(c.text), c.key) << c.text;
        EXPECT_EQ(accesskeys::IsBlank(c.text), c.blank) << c.text;
    }
    EXPECT_EQ(accesskeys::Fold(0xD7), 0xD7u) << "the multiplication sign has no lower case";
}

} // namespace
