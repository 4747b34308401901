#pragma once
// Where the sample disc's pages put things, in client coordinates: a 400 x 300 background, the
// entry column beside it, the help area below; what the tests point at and look at.

#include "menu/Geometry.h"
#include "menu/PageLayout.h"

namespace page {

constexpr int kEntryLeft = layout::EntryColumnLeft(layout::kBackgroundWidth); // 408
inline const geometry::Rect kClient{0, 0, 597, 340};
inline const geometry::Rect kHelpArea{0, 300, 597, 340};

// Entry `index`, and a point well inside it.
inline geometry::Rect Entry(int index) {
    return layout::EntryRect(kEntryLeft, index);
}
struct Point {
    int x;
    int y;
};
inline Point Inside(int index) {
    return {kEntryLeft + 92, layout::kEntryTop + layout::kEntryPitch * index + 10};
}

} // namespace page
