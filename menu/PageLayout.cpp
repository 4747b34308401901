#include "menu/PageLayout.h"

#include <algorithm>

namespace layout {

namespace {

// `fraction` × `size` in double precision, truncated toward zero. The product goes through
// memory so that it is rounded to a double first: the 32-bit x86 floating-point unit computes
// with more precision, and 0.87 × 300 would truncate to 260 there instead of 261.
int Scaled(double fraction, int size) {
    const volatile double product = fraction * size;
    return static_cast<int>(product);
}

// A control at fractions of the background size.
geometry::Rect PlaceControl(int bw, int bh, double x, double y, double width, int height) {
    const int left = Scaled(x, bw);
    const int top = Scaled(y, bh);
    return {left, top, left + Scaled(width, bw), top + height};
}

} // namespace

geometry::Rect EntryRect(int columnLeft, int index) {
    if (columnLeft == kNotLaidOut) {
        return {};
    }
    const int top = kEntryTop + kEntryPitch * index;
    return {columnLeft, top, columnLeft + kEntryWidth, top + kEntryHeight};
}

geometry::Rect HelpArea(int backgroundHeight, const geometry::Rect& client) {
    return {0, backgroundHeight, client.right, client.bottom};
}

geometry::Rect PageWindowRect(int backgroundWidth, int backgroundHeight,
                              const FrameMetrics& metrics, const geometry::Rect& screen) {
    const int width = backgroundWidth + kColumnAndMargins + 2 * (metrics.cxEdge + metrics.cxBorder);
    const int height = backgroundHeight + kHelpAreaHeight + metrics.cyCaption +
                       2 * (metrics.cyEdge + metrics.cyBorder);
    const int left = (screen.right - width) / 2;
    const int top = (screen.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

geometry::Rect ChooserRect(int backgroundWidth, int backgroundHeight, int height) {
    return PlaceControl(backgroundWidth, backgroundHeight, 0.04, 0.87, 0.44, height);
}

geometry::Rect LabelRect(int backgroundWidth, int backgroundHeight, int height) {
    return PlaceControl(backgroundWidth, backgroundHeight, 0.04, 0.76, 0.5, height);
}

HorizontalLine UnderlineSpan(const geometry::Rect& entry, int textWidth, int lineBottom) {
    const int centre = entry.left + entry.Width() / 2;
    // Under a text wider than the face the line stops at the face's edges.
    return {std::max(entry.left, centre - (textWidth / 2 + 2)),
            std::min(entry.right, centre + (textWidth - textWidth / 2)), lineBottom};
}

geometry::Rect FocusFrame(const geometry::Rect& entry) {
    return {entry.left + kFocusFrameInset, entry.top + kFocusFrameInset,
            entry.right - kFocusFrameInset, entry.bottom - kFocusFrameInset};
}

} // namespace layout
