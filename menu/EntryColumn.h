#pragma once
// The entry column of a page under the pointer and the keyboard: which entry a point hits,
// what a move of the pointer redraws (only the entries whose state changes, and the help area
// when the hot entry changes), and which entry becomes current after a key.

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

// The keys that move the current entry inside the column.
enum class Key { kUp, kDown, kHome, kEnd };

// The entry current after `key` while `current` is (an index that names no entry counts as
// none), among entries of which `blank` tells which have no text: those are passed over, and
// Up and Down wrap around at the ends. -1 when no entry has a text.
int AfterKey(const std::vector<bool>& blank, int current, Key key);

// What an access key does: the entry it makes current, and whether it carries that entry out
// (it does when it belongs to that entry alone; several entries sharing it take turns).
struct AccessKeyMove {
    int current = -1;
    bool carryOut = false;
    bool operator==(const AccessKeyMove& other) const {
        return current == other.current && carryOut == other.carryOut;
    }
};

// The access key `key` pressed while `current` is current, among entries whose access keys
// are `keys` (folded as AccessKeys folds them; 0 for none). Nothing moves when no entry has it.
AccessKeyMove AfterAccessKey(const std::vector<char32_t>& keys, int current, char32_t key);

} // namespace entries
