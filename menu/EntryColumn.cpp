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

} // namespace entries
