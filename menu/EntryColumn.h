#pragma once
// The entry column of a page under the pointer: which entry a point hits, and what a move of
// the pointer redraws (only the entries whose state changes, and the help area when the hot
// entry changes).

#include "menu/PageLayout.h"

#include <vector>

namespace entries {

// The index of the entry at (x, y) among `count` entries of a column at `columnLeft` (in design
// pixels) drawn at `scale`; -1 when none is there (or the page is not laid out).
int EntryAt(int columnLeft, int count, int x, int y, const layout::Scale& scale = {});

struct Redraw {
    int index;
    bool hot;
    bool operator==(const Redraw& other) const { return index == other.index && hot == other.hot; }
};

struct MoveEffect {
    int hotEntry = -1;           // the entry under the pointer now, or -1
    std::vector<Redraw> redraw;  // in entry order
    bool redrawHelpArea = false; // the hot entry changed
};

// The pointer moved to (x, y) while `hotEntry` was hot (an index that names no entry counts
// as none).
MoveEffect OnMove(int columnLeft, int count, int hotEntry, int x, int y,
                  const layout::Scale& scale = {});

} // namespace entries
