#include "menu/EntryColumn.h"

#include "menu/PageLayout.h"

namespace entries {

int EntryAt(int columnLeft, int count, int x, int y, const layout::Scale& scale) {
    for (int i = 0; i < count; ++i) {
        if (layout::EntryRect(columnLeft, i, scale).Contains(x, y)) {
            return i;
        }
    }
    return -1;
}

MoveEffect OnMove(int columnLeft, int count, int hotEntry, int x, int y,
                  const layout::Scale& scale) {
    MoveEffect effect;
    effect.hotEntry = EntryAt(columnLeft, count, x, y, scale);
    for (int i = 0; i < count; ++i) {
        if (i == effect.hotEntry && i != hotEntry) {
            effect.redraw.push_back({i, true});
        } else if (i == hotEntry && i != effect.hotEntry) {
            effect.redraw.push_back({i, false});
        }
    }
    effect.redrawHelpArea = effect.hotEntry != hotEntry;
    return effect;
}

namespace {

// The first entry with a text from `start` on, stepping by `step` (+1 or -1) through `count`
// entries, wrapping around; -1 when none has one.
int FirstWithText(const std::vector<bool>& blank, int start, int step) {
    const int count = static_cast<int>(blank.size());
    for (int i = 0; i < count; ++i) {
        const int index = ((start + step * i) % count + count) % count;
        if (!blank[index]) {
            return index;
        }
    }
    return -1;
}

} // namespace

int AfterKey(const std::vector<bool>& blank, int current, Key key) {
    const int count = static_cast<int>(blank.size());
    if (count == 0) {
        return -1;
    }
    const bool none = current < 0 || current >= count;
    switch (key) {
    case Key::kHome:
        return FirstWithText(blank, 0, 1);
    case Key::kEnd:
        return FirstWithText(blank, count - 1, -1);
    case Key::kDown:
        return FirstWithText(blank, none ? 0 : current + 1, 1);
    case Key::kUp:
        return FirstWithText(blank, none ? count - 1 : current - 1, -1);
    }
    return -1;
}

AccessKeyMove AfterAccessKey(const std::vector<char32_t>& keys, int current, char32_t key) {
    const int count = static_cast<int>(keys.size());
    const bool none = current < 0 || current >= count;
    int first = -1;
    int matches = 0;
    for (int i = 0; i < count; ++i) {
        const int index = none ? i : (current + 1 + i) % count;
        if (key != 0 && keys[index] == key) {
            ++matches;
            if (first < 0) {
                first = index;
            }
        }
    }
    if (matches == 0) {
        return {none ? -1 : current, false};
    }
    return {first, matches == 1};
}

} // namespace entries
