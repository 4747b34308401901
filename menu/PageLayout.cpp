#include "menu/PageLayout.h"

namespace layout {

namespace {

// A control at fractions of the background size, each product truncated toward zero.
geometry::Rect PlaceControl(int bw, int bh, double x, double y, double width, int height) {
    const int left = static_cast<int>(x * bw);
    const int top = static_cast<int>(y * bh);
    return {left, top, left + static_cast<int>(width * bw), top + height};
}

} // namespace

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

} // namespace layout
