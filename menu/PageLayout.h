#pragma once
// The geometry of a menu page, in client-area pixels: the background at the origin, the entry
// column to its right, the help area below it; chooser and label over the background; the
// window centred on the screen; the underline of the hot entry. The page is designed for a
// screen of 96 DPI; on another screen every length grows with the screen's DPI, and the
// functions below that take a Scale give the pixels of that screen.

#include "menu/Geometry.h"

namespace layout {

// The screen resolution that the page's lengths are given for.
constexpr int kDesignDpi = 96;

// The page's lengths on a screen of `dpi` dots per inch. Edges are scaled, not sizes, so that
// neighbouring rectangles stay neighbours; halves round away from zero (597 x 340 at 96 DPI
// becomes 896 x 510 at 144 and 1194 x 680 at 192).
struct Scale {
    int dpi = kDesignDpi;

    int Px(int designPixels) const;
    geometry::Rect Of(const geometry::Rect& design) const;
    bool IsDesign() const { return dpi == kDesignDpi; }
    bool operator==(const Scale& other) const { return dpi == other.dpi; }
};

// A scale for a DPI the system reports; nonsense (0 or less) counts as the design's.
Scale ScaleForDpi(int dpi);

// Pictures come at the design's size (1x) and may come at twice that (2x). The 2x picture is
// used wherever the page is drawn larger than designed and one exists: shrinking it keeps more
// detail than enlarging the 1x one.
int PictureFactor(const Scale& scale, bool doublePictureExists);

// The entry column: 185 x 37 entries on a 41-pixel pitch, 15 pixels below the top, 8 pixels
// right of the background.
constexpr int kEntryWidth = 185;
constexpr int kEntryHeight = 37;
constexpr int kEntryPitch = 41;
constexpr int kEntryTop = 15;
constexpr int kEntryColumnGap = 8;
// The client area: the background, plus the column with its gap and right margin, plus the
// help area.
constexpr int kColumnAndMargins = 197;
constexpr int kHelpAreaHeight = 40;

// The background is painted as a 400 x 300 picture at the client origin.
constexpr int kBackgroundWidth = 400;
constexpr int kBackgroundHeight = 300;
// The help text: 18 pixels from the left of the help area; one line 12 pixels from its top,
// several lines 5 pixels.
constexpr int kHelpTextIndent = 18;
constexpr int kHelpTextTopOneLine = 12;
constexpr int kHelpTextTopSeveralLines = 5;
// The help text stays above the strip's bottom frame, which takes its last 7 rows.
constexpr int kHelpTextBottomMargin = 7;

// The fonts of the page, Arial: bold for the entries, normal for the help text; the heights are
// those of a LOGFONT (negative: the character height in pixels).
constexpr int kEntryFontHeight = -14;
constexpr int kHelpFontHeight = -12;

// No entry column yet: the page is not laid out, and no entry is drawn or hit.
constexpr int kNotLaidOut = -1;

// The left edge of the entry column beside a background `backgroundWidth` pixels wide.
constexpr int EntryColumnLeft(int backgroundWidth) {
    return backgroundWidth + kEntryColumnGap;
}

// The rectangle of entry `index` in a column at `columnLeft` (in design pixels); empty while
// not laid out.
geometry::Rect EntryRect(int columnLeft, int index, const Scale& scale = {});

// The help area: from the bottom of the background to the bottom right of the client area.
geometry::Rect HelpArea(int backgroundHeight, const geometry::Rect& client,
                        const Scale& scale = {});

// Where the background picture is drawn: at the client origin, at its designed size scaled.
geometry::Rect BackgroundRect(int backgroundWidth, int backgroundHeight, const Scale& scale = {});

// The client area of a page with a background of that size.
geometry::Rect ClientRect(int backgroundWidth, int backgroundHeight, const Scale& scale = {});

struct FrameMetrics {
    int cxEdge, cxBorder, cyEdge, cyBorder, cyCaption;
};

// The page's outer window rectangle, centred on `screen` (divisions truncate toward zero).
geometry::Rect PageWindowRect(int backgroundWidth, int backgroundHeight,
                              const FrameMetrics& metrics, const geometry::Rect& screen,
                              const Scale& scale = {});

// Chooser and label, placed by fractions of the background size, keeping their heights
// (which follow their fonts, already of the screen's size).
geometry::Rect ChooserRect(int backgroundWidth, int backgroundHeight, int height,
                           const Scale& scale = {});
geometry::Rect LabelRect(int backgroundWidth, int backgroundHeight, int height,
                         const Scale& scale = {});

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
// the row `lineBottom` (the bottom edge of the centred text line). It starts 2 design pixels
// left of the text and ends at the text's right end, but never leaves the entry.
HorizontalLine UnderlineSpan(const geometry::Rect& entry, int textWidth, int lineBottom,
                             const Scale& scale = {});

// The focus frame of the entry that has the keyboard focus: 3 pixels inside its face.
constexpr int kFocusFrameInset = 3;
geometry::Rect FocusFrame(const geometry::Rect& entry, const Scale& scale = {});

} // namespace layout
