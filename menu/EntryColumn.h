#pragma once
// The entry column of a page under the pointer and the keyboard: which entry a point hits,
// what a move of the pointer redraws (only the entries whose state changes, and the help area
// when the hot entry changes), and which entry becomes current after a key.

#include "menu/PageLayout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
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

// The entries a move redraws: at most two, the one that was hot and the one that is, held in
// place so that a move allocates nothing.
class Redraws {
public:
    Redraws() = default;
    Redraws(std::initializer_list<Redraw> redraws) {
        for (const Redraw& redraw : redraws) {
            push_back(redraw);
        }
    }
    void push_back(const Redraw& redraw) {
        if (m_count < m_items.size()) {
            m_items[m_count++] = redraw;
        }
    }
    const Redraw* begin() const { return m_items.data(); }
    const Redraw* end() const { return m_items.data() + m_count; }
    std::size_t size() const { return m_count; }
    bool operator==(const Redraws& other) const {
        return std::equal(begin(), end(), other.begin(), other.end());
    }

private:
    std::array<Redraw, 2> m_items{};
    std::size_t m_count = 0;
};

struct MoveEffect {
    int hotEntry = -1;           // the entry under the pointer now, or -1
    Redraws redraw;              // in entry order
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
