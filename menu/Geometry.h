#pragma once
// Client-area geometry of a menu page: rectangles with the right and bottom edges outside.

namespace geometry {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Left and top edges inside, right and bottom edges outside.
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const Rect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

} // namespace geometry
