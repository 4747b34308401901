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
geometry::Rect PlaceControl(int bw, int bh, double x, double y, double width, int height,
                            const Scale& scale) {
    const int left = Scaled(x, bw);
    const int top = scale.Px(Scaled(y, bh));
    return {scale.Px(left), top, scale.Px(left + Scaled(width, bw)), top + height};
}

} // namespace

int Scale::Px(int designPixels) const {
    const long long product = static_cast<long long>(designPixels) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                         : -((-product + half) / kDesignDpi));
}

geometry::Rect Scale::Of(const geometry::Rect& design) const {
    return {Px(design.left), Px(design.top), Px(design.right), Px(design.bottom)};
}

Scale ScaleForDpi(int dpi) {
    return {dpi > 0 ? dpi : kDesignDpi};
}

int PictureFactor(const Scale& scale, bool doublePictureExists) {
    return scale.dpi > kDesignDpi && doublePictureExists ? 2 : 1;
}

geometry::Rect EntryRect(int columnLeft, int index, const Scale& scale) {
    if (columnLeft == kNotLaidOut) {
        return {};
    }
    const int top = kEntryTop + kEntryPitch * index;
    return scale.Of({columnLeft, top, columnLeft + kEntryWidth, top + kEntryHeight});
}

geometry::Rect HelpArea(int backgroundHeight, const geometry::Rect& client, const Scale& scale) {
    return {0, scale.Px(backgroundHeight), client.right, client.bottom};
}

geometry::Rect BackgroundRect(int backgroundWidth, int backgroundHeight, const Scale& scale) {
    return scale.Of({0, 0, backgroundWidth, backgroundHeight});
}

geometry::Rect ClientRect(int backgroundWidth, int backgroundHeight, const Scale& scale) {
    return scale.Of(
        {0, 0, backgroundWidth + kColumnAndMargins, backgroundHeight + kHelpAreaHeight});
}

geometry::Rect PageWindowRect(int backgroundWidth, int backgroundHeight,
                              const FrameMetrics& metrics, const geometry::Rect& screen,
                              const Scale& scale) {
    const geometry::Rect client = ClientRect(backgroundWidth, backgroundHeight, scale);
    const int width = client.Width() + 2 * (metrics.cxEdge + metrics.cxBorder);
    const int height =
        client.Height() + metrics.cyCaption + 2 * (metrics.cyEdge + metrics.cyBorder);
    const int left = (screen.right - width) / 2;
    const int top = (screen.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

geometry::Rect ChooserRect(int backgroundWidth, int backgroundHeight, int height,
                           const Scale& scale) {
    return PlaceControl(backgroundWidth, backgroundHeight, 0.04, 0.87, 0.44, height, scale);
}

geometry::Rect LabelRect(int backgroundWidth, int backgroundHeight, int height,
                         const Scale& scale) {
    return PlaceControl(backgroundWidth, backgroundHeight, 0.04, 0.76, 0.5, height, scale);
}

HorizontalLine UnderlineSpan(const geometry::Rect& entry, int textWidth, int lineBottom,
                             const Scale& scale) {
    const int centre = entry.left + entry.Width() / 2;
    // Under a text wider than the face the line stops at the face's edges.
    return {std::max(entry.left, centre - (textWidth / 2 + scale.Px(2))),
            std::min(entry.right, centre + (textWidth - textWidth / 2)), lineBottom};
}

geometry::Rect FocusFrame(const geometry::Rect& entry, const Scale& scale) {
    const int inset = scale.Px(kFocusFrameInset);
    return {entry.left + inset, entry.top + inset, entry.right - inset, entry.bottom - inset};
}

} // namespace layout
