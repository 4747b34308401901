#pragma once
// Where a menu page and its controls go: the client area is the background plus the entry
// column to its right and the help area below it, and the window is centred on the screen.

#include "menu/Geometry.h"

namespace layout {

constexpr int kColumnAndMargins = 197; // entry column, its gap and the right margin
constexpr int kHelpAreaHeight = 40;
constexpr int kEntryColumnGap = 8;

struct FrameMetrics {
    int cxEdge, cxBorder, cyEdge, cyBorder, cyCaption;
};

// The page's outer window rectangle, centred on `screen` (divisions truncate toward zero).
geometry::Rect PageWindowRect(int backgroundWidth, int backgroundHeight,
                              const FrameMetrics& metrics, const geometry::Rect& screen);

// Chooser and label, placed by fractions of the background size, keeping their heights.
geometry::Rect ChooserRect(int backgroundWidth, int backgroundHeight, int height);
geometry::Rect LabelRect(int backgroundWidth, int backgroundHeight, int height);

} // namespace layout
