#pragma once
// Where the underline of the hot entry goes: a horizontal line under the centred entry text.

#include "menu/Geometry.h"

namespace geometry {

// A horizontal line at row y from x1 up to x2, x2 excluded.
struct HorizontalLine {
    int x1 = 0;
    int x2 = 0;
    int y = 0;

    bool operator==(const HorizontalLine& other) const {
        return x1 == other.x1 && x2 == other.x2 && y == other.y;
    }
};

// The underline of a text of width `textWidth` centred in the entry rectangle `entry`, along
// the row `lineBottom` (the bottom edge of the centred text line). It starts 2 pixels left of
// the text and ends at the text's right end.
inline HorizontalLine UnderlineSpan(const Rect& entry, int textWidth, int lineBottom) {
    const int centre = entry.left + entry.Width() / 2;
    return {centre - (textWidth / 2 + 2), centre + (textWidth - textWidth / 2), lineBottom};
}

} // namespace geometry
