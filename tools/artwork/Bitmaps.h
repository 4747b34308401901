#pragma once
// The pictures that Install.exe carries as resources, computed pixel by pixel:
//   130 main background, 131 normal entry face, 132 help strip, 133 "Lumo Dialog" background,
//   134 hot entry face, 135 spare background, and the disc emblem of icon 128.
// The entry faces and the help strip have exact colours that the menu's drawing relies on;
// the backgrounds are free designs except that the lower left of the main background, where
// the language label and chooser sit, is plain white.

#include "Canvas.h"
#include "ImageFiles.h"
#include "menu/PageLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace images {

// Entry faces (131, 134): body gradient and drop shadow.
constexpr int kFaceWidth = layout::kEntryWidth;
constexpr int kFaceHeight = layout::kEntryHeight + 3; // with the shadow below
constexpr int kFaceBodyRight = 181;                   // last body column
constexpr int kFaceBodyBottom = 35;                   // last body row
constexpr Rgb kNormalFaceTop{153, 200, 226};
constexpr Rgb kNormalFaceBottom{3, 117, 187};
constexpr Rgb kHotFaceTop{0, 117, 186};
constexpr Rgb kHotFaceBottom{152, 199, 227};
// Shadow greys by distance from the body: right of it (columns 182 to 184) and below it
// (rows 36 to 39), each darkest next to the body. The corner block, columns 182 to 184 of rows
// 36 to 39, lightens both rightward and downward.
constexpr std::array<std::uint8_t, 3> kRightShadow{112, 170, 228};
constexpr std::array<std::uint8_t, 4> kBottomShadow{112, 156, 198, 236};
constexpr std::array<std::array<std::uint8_t, 3>, 4> kCornerShadow{{
    {118, 176, 230},
    {160, 186, 236},
    {202, 214, 242},
    {238, 242, 246},
}};

// Help strip (132).
constexpr int kStripWidth = 600;
constexpr int kStripHeight = layout::kHelpAreaHeight;
constexpr Rgb kStripTop{241, 248, 253};
constexpr Rgb kStripBottom{99, 169, 229};
constexpr Rgb kPanelOutline{192, 192, 192};
constexpr int kPanelLeft = 5; // outline corners, inclusive
constexpr int kPanelTop = 5;
constexpr int kPanelRight = 593;
constexpr int kPanelBottom = 33;

// Backgrounds (130, 133, 135).
constexpr int kBackgroundWidth = layout::kBackgroundWidth;
constexpr int kBackgroundHeight = layout::kBackgroundHeight;
// Plain white on the main background: the label (x 16, y 228, width 200) and the chooser
// (x 16, y 261, width 176) sit here.
constexpr int kPlainRight = 219; // inclusive
constexpr int kPlainTop = 220;

// Linear blend from `from` (step 0) to `to` (step `steps`) per channel, rounded half up.
constexpr Rgb Gradient(Rgb from, Rgb to, int step, int steps) {
    auto channel = [step, steps](int a, int b) {
        const int weighted = a * (steps - step) + b * step;
        return static_cast<std::uint8_t>((2 * weighted + steps) / (2 * steps));
    };
    return Rgb{channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

// An entry face whose body runs from `top` to `bottom`, with the drop shadow. `scale` 2 draws
// the 2x picture: the same face with twice the pixels each way.
inline Picture EntryFaceIn(Rgb top, Rgb bottom, int scale) {
    Picture face(kFaceWidth * scale, kFaceHeight * scale);
    const int bodyRows = (kFaceBodyBottom + 1) * scale;
    for (int y = 0; y < kFaceHeight * scale; ++y) {
        for (int x = 0; x < kFaceWidth * scale; ++x) {
            if (x / scale <= kFaceBodyRight && y / scale <= kFaceBodyBottom) {
                face.Set(x, y, Gradient(top, bottom, y, bodyRows - 1));
                continue;
            }
            const int dx = x / scale - kFaceBodyRight;  // 1.. right of the body, else <= 0
            const int dy = y / scale - kFaceBodyBottom; // 1.. below the body, else <= 0
            std::uint8_t grey = 0;
            if (dx > 0 && dy > 0) {
                grey = kCornerShadow[static_cast<std::size_t>(dy - 1)]
                                    [static_cast<std::size_t>(dx - 1)];
            } else if (dx > 0) {
                grey = kRightShadow[static_cast<std::size_t>(dx - 1)];
            } else {
                grey = kBottomShadow[static_cast<std::size_t>(dy - 1)];
            }
            face.Set(x, y, Grey(grey));
        }
    }
    return face;
}

inline Picture EntryFace(bool hot, int scale = 1) {
    return hot ? EntryFaceIn(kHotFaceTop, kHotFaceBottom, scale)
               : EntryFaceIn(kNormalFaceTop, kNormalFaceBottom, scale);
}

// A help strip whose gradient runs from `top` to `bottom`, with a white panel outlined in
// `outline`. `scale` 2 draws the 2x picture: the gradient over twice the rows, the panel's
// outline and corners with twice the pixels each way.
inline Picture HelpStripIn(Rgb top, Rgb bottom, Rgb outline, int scale) {
    Picture strip(kStripWidth * scale, kStripHeight * scale);
    for (int y = 0; y < kStripHeight * scale; ++y) {
        const Rgb colour = Gradient(top, bottom, y, kStripHeight * scale - 1);
        for (int x = 0; x < kStripWidth * scale; ++x) {
            strip.Set(x, y, colour);
        }
    }
    // The panel's rounded top left corner; the other three are its mirror images.
    // '.' keeps the gradient, 'o' is outline, 'w' is white.
    static const char* const corner[] = {
        "...oo", //
        ".ooww", //
        ".owww", //
        "owwww", //
        "owwww", //
    };
    constexpr int kCorner = 5;
    for (int sy = kPanelTop * scale; sy < (kPanelBottom + 1) * scale; ++sy) {
        for (int sx = kPanelLeft * scale; sx < (kPanelRight + 1) * scale; ++sx) {
            const int x = sx / scale;
            const int y = sy / scale;
            const int fromLeft = x - kPanelLeft;
            const int fromRight = kPanelRight - x;
            const int fromTop = y - kPanelTop;
            const int fromBottom = kPanelBottom - y;
            const int cx = std::min(fromLeft, fromRight);
            const int cy = std::min(fromTop, fromBottom);
            char kind = 'w';
            if (cx < kCorner && cy < kCorner) {
                kind = corner[cy][cx];
            } else if (cx == 0 || cy == 0) {
                kind = 'o';
            }
            if (kind == 'o') {
                strip.Set(sx, sy, outline);
            } else if (kind == 'w') {
                strip.Set(sx, sy, kWhite);
            }
        }
    }
    return strip;
}

inline Picture HelpStrip(int scale = 1) {
    return HelpStripIn(kStripTop, kStripBottom, kPanelOutline, scale);
}

namespace design {

constexpr Colour kNavy{0, 44, 106};
constexpr Colour kBlue{3, 117, 187};
constexpr Colour kLightBlue{153, 200, 226};
constexpr Colour kPaleBlue{226, 240, 250};
constexpr Colour kWhiteColour{255, 255, 255};
constexpr Colour kShadow{16, 40, 72};

// A compact disc lying over the picture at (cx, cy), radius r, with a soft shadow, the light
// broken into two opposite bright wedges, faint data tracks and a clear hub round the hole.
inline void DrawDisc(Canvas& canvas, double cx, double cy, double r) {
    const int reach = int(r + 16);
    const Box box{int(cx) - reach, int(cy) - reach, int(cx) + reach, int(cy) + reach};
    const double hole = r * 0.115;
    const double hub = r * 0.36;
    auto ring = [=](double ox, double oy, double outer, double inner) {
        return [=](double px, double py) {
            const double d = Length(px - ox, py - oy);
            return std::max(d - outer, inner - d);
        };
    };
    canvas.Fill(box, ring(cx + 5, cy + 7, r, hole), kShadow, 0.30, 7);
    canvas.Fill(box, ring(cx, cy, r, hole), [=](double px, double py) {
        const double dx = px - cx, dy = py - cy;
        const double d2 = std::max(dx * dx + dy * dy, 1.0);
        const double d = std::sqrt(d2);
        // cos(2(angle - 45 degrees)) and cos(4 angle), without trigonometric functions.
        const double wedge = 2 * dx * dy / d2;
        const double c2 = (dx * dx - dy * dy) / d2;
        const double fine = c2 * c2 - wedge * wedge;
        const double light = 0.5 + 0.5 * wedge;
        Colour c = Mix(Colour{96, 150, 204}, Colour{238, 245, 252}, light * light);
        c = Mix(c, Colour{186, 214, 240}, 0.18 * (0.5 + 0.5 * fine));
        c = Mix(c, Colour{70, 120, 180}, 0.25 * SmoothStep(hub, r, d) * (1 - light));
        return c;
    });
    // Data tracks.
    for (double t = hub + 6; t < r - 3; t += 5.5) {
        canvas.Fill(box, ring(cx, cy, t + 0.4, t - 0.4), kWhiteColour, 0.10);
    }
    // Rim, clear hub, stacking ring.
    canvas.Fill(box, ring(cx, cy, r, r - 1.6), Colour{70, 110, 160}, 0.55);
    canvas.Fill(box, ring(cx, cy, hub, hole), Colour{236, 243, 250}, 0.75);
    canvas.Fill(box, ring(cx, cy, hub + 0.6, hub - 0.6), Colour{120, 160, 200}, 0.7);
    canvas.Fill(box, ring(cx, cy, hub * 0.62, hub * 0.62 - 2.2), Colour{176, 198, 222}, 0.8);
    canvas.Fill(box, ring(cx, cy, hole + 1.2, hole), Colour{110, 140, 175}, 0.8);
}

// Contents of an operator panel's screen, drawn into the screen rectangle.
enum class Screen { Controls, Trend, Gauges };

inline void DrawScreen(Canvas& canvas, double left, double top, double right, double bottom,
                       Screen content) {
    const Box box{int(left) - 1, int(top) - 1, int(right) + 2, int(bottom) + 2};
    const double w = right - left, h = bottom - top;
    canvas.Fill(
        box,
        [=](double px, double py) {
            return RoundRectDistance(px, py, left, top, right, bottom, 1);
        },
        [=](double, double py) {
            return Mix(Colour{240, 247, 253}, Colour{204, 225, 243}, (py - top) / h);
        });
    // Title bar.
    const double bar = std::max(4.0, h * 0.14);
    canvas.Fill(
        box,
        [=](double px, double py) {
            return RoundRectDistance(px, py, left, top, right, top + bar, 1);
        },
        [=](double px, double) { return Mix(kNavy, kBlue, (px - left) / w); });
    canvas.Fill(
        box,
        [=](double px, double py) {
            return RoundRectDistance(px, py, right - bar * 0.9, top + bar * 0.25, right - bar * 0.3,
                                     top + bar * 0.75, 0.5);
        },
        Colour{120, 200, 120});
    const double inner = top + bar;
    const double ih = bottom - inner;
    if (content == Screen::Controls) {
        // A column of buttons and a bar chart.
        for (int i = 0; i < 3; ++i) {
            const double y0 = inner + ih * (0.12 + 0.28 * i);
            const double y1 = y0 + ih * 0.2;
            const Colour face = i == 0 ? Colour{240, 160, 40} : kBlue;
            canvas.Fill(
                box,
                [=](double px, double py) {
                    return RoundRectDistance(px, py, left + w * 0.06, y0, left + w * 0.34, y1, 1.5);
                },
                [=](double, double py) {
                    return Mix(Mix(face, kWhiteColour, 0.35), face, (py - y0) / (y1 - y0));
                });
        }
        const double base = bottom - ih * 0.1;
        const double heights[] = {0.45, 0.7, 0.55, 0.85, 0.62, 0.38};
        for (int i = 0; i < 6; ++i) {
            const double x0 = left + w * (0.44 + 0.085 * i);
            const double x1 = x0 + w * 0.055;
            const double y0 = base - ih * 0.72 * heights[i];
            canvas.Fill(
                box,
                [=](double px, double py) {
                    return RoundRectDistance(px, py, x0, y0, x1, base, 0.5);
                },
                [=](double, double py) {
                    return Mix(Colour{120, 190, 235}, kBlue, (py - y0) / (base - y0));
                });
        }
        canvas.Fill(
            box,
            [=](double px, double py) {
                return SegmentDistance(px, py, left + w * 0.42, base + 0.5, right - w * 0.04,
                                       base + 0.5) -
                       0.4;
            },
            Colour{90, 110, 140});
    } else if (content == Screen::Trend) {
        // A trend curve over a grid.
        for (int i = 1; i < 4; ++i) {
            const double gy = inner + ih * i / 4.0;
            canvas.Fill(
                box,
                [=](double px, double py) {
                    return SegmentDistance(px, py, left + 2, gy, right - 2, gy) - 0.3;
                },
                Colour{170, 195, 220}, 0.8);
        }
        const double points[] = {0.7, 0.55, 0.62, 0.35, 0.42, 0.2, 0.3, 0.12};
        for (int i = 0; i + 1 < 8; ++i) {
            const double x0 = left + 3 + (w - 6) * i / 7.0, x1 = left + 3 + (w - 6) * (i + 1) / 7.0;
            const double y0 = inner + ih * points[i], y1 = inner + ih * points[i + 1];
            canvas.Fill(
                box,
                [=](double px, double py) { return SegmentDistance(px, py, x0, y0, x1, y1) - 0.8; },
                Colour{230, 120, 30});
        }
    } else {
        // Two round gauges.
        for (int i = 0; i < 2; ++i) {
            const double gx = left + w * (0.28 + 0.44 * i);
            const double gy = inner + ih * 0.5;
            const double gr = std::min(w * 0.18, ih * 0.36);
            canvas.Fill(
                box,
                [=](double px, double py) {
                    const double d = Length(px - gx, py - gy);
                    return std::max(d - gr, gr - 2.2 - d);
                },
                i == 0 ? kBlue : Colour{40, 160, 90});
            const double nx = i == 0 ? 0.6 : -0.3, ny = -0.8;
            canvas.Fill(
                box,
                [=](double px, double py) {
                    return SegmentDistance(px, py, gx, gy, gx + nx * gr * 0.8, gy + ny * gr * 0.8) -
                           0.6;
                },
                Colour{200, 60, 40});
        }
    }
}

// An operator panel: a dark bezel with a soft shadow, its screen, and a status light.
inline void DrawPanel(Canvas& canvas, double left, double top, double right, double bottom,
                      Screen content) {
    const Box box{int(left) - 14, int(top) - 14, int(right) + 16, int(bottom) + 18};
    const double h = bottom - top;
    canvas.Fill(
        box,
        [=](double px, double py) {
            return RoundRectDistance(px, py, left + 4, top + 6, right + 4, bottom + 6, 7);
        },
        kShadow, 0.28, 5);
    canvas.Fill(
        box,
        [=](double px, double py) {
            return RoundRectDistance(px, py, left, top, right, bottom, 6);
        },
        [=](double, double py) {
            return Mix(Colour{74, 84, 98}, Colour{34, 40, 50}, (py - top) / h);
        });
    canvas.Fill(
        box,
        [=](double px, double py) {
            const double outer = RoundRectDistance(px, py, left, top, right, bottom, 6);
            return std::max(outer, -outer - 1.0);
        },
        Colour{130, 142, 158}, 0.6);
    const double margin = std::max(5.0, (right - left) * 0.05);
    const double chin = std::max(9.0, h * 0.13);
    DrawScreen(canvas, left + margin, top + margin, right - margin, bottom - chin, content);
    const double ly = bottom - chin / 2;
    canvas.Fill(
        box,
        [=](double px, double py) { return CircleDistance(px, py, right - margin - 2, ly, 1.6); },
        Colour{110, 220, 120});
    canvas.Fill(
        box,
        [=](double px, double py) {
            return RoundRectDistance(px, py, left + margin, ly - 1,
                                     left + margin + (right - left) * 0.16, ly + 1, 1);
        },
        Colour{150, 160, 175}, 0.8);
}

// The blue header band: its lower edge is the curve `edge(x)`; it runs from dark at the top
// left to the product blue at the lower right, with faint arcs round (arcX, arcY).
template <class Edge>
void DrawBand(Canvas& canvas, Edge edge, Colour dark, Colour light, double arcX, double arcY) {
    const Box box{0, 0, canvas.Width(), 140};
    auto band = [=](double px, double py) { return py - edge(px); };
    canvas.Fill(box, band, [=](double px, double py) {
        const double t = Clamp01(0.62 * py / 130 + 0.38 * px / 400);
        return Mix(dark, light, t);
    });
    for (double r = 70; r < 420; r += 34) {
        canvas.Fill(
            box,
            [=](double px, double py) {
                const double d = Length(px - arcX, py - arcY);
                return std::max(std::max(d - r - 7, r - d), band(px, py));
            },
            kWhiteColour, 0.045);
    }
    // Accent lines along the lower edge.
    canvas.Fill(
        box, [=](double px, double py) { return std::abs(py - edge(px) - 5) - 1.4; },
        [=](double px, double) { return Mix(kLightBlue, kPaleBlue, px / 400); });
    canvas.Fill(
        box, [=](double px, double py) { return std::abs(py - edge(px) - 10) - 0.6; }, kLightBlue,
        0.55);
}

// Keeps the lower left of a background plain white, where the label and chooser sit.
inline void ClearPlainCorner(Canvas& canvas) {
    canvas.Fill(
        Box{0, kPlainTop - 6, kPlainRight + 8, kBackgroundHeight},
        [](double px, double py) {
            return std::max(px - (kPlainRight + 1), double(kPlainTop) - py);
        },
        kWhiteColour, 1.0, 0.01);
}

} // namespace design

// 130: the main page's background (230: at `scale` 2).
inline Picture MainBackground(int scale = 1) {
    using namespace design;
    Canvas canvas(kBackgroundWidth, kBackgroundHeight, kWhiteColour, scale);
    auto edge = [](double x) {
        const double t = x / 400;
        return 116 + 14 * t - 46 * t * t;
    };
    DrawBand(canvas, edge, kNavy, kBlue, 312, 128);
    DrawDisc(canvas, 312, 128, 94);
    DrawPanel(canvas, 176, 146, 252, 208, Screen::Trend);
    DrawPanel(canvas, 26, 124, 186, 210, Screen::Controls);

    TextStyle name;
    name.scale = 2.45;
    name.weight = 1.45;
    name.tracking = 0.55;
    DrawText(canvas, "Ormix-Designer", 22, 24, name);
    TextStyle tagline;
    tagline.scale = 1.05;
    tagline.weight = 1.25;
    tagline.tracking = 1.1;
    tagline.colour = Colour{190, 222, 246};
    DrawText(canvas, "HMI Design Software", 23, 66, tagline);
    TextStyle maker;
    maker.scale = 1.1;
    maker.weight = 1.5;
    maker.tracking = 0.8;
    maker.colour = Colour{3, 84, 150};
    DrawText(canvas, "Brenlow", 392 - TextWidth("Brenlow", maker), 274, maker);
    ClearPlainCorner(canvas);
    return canvas.ToPicture();
}

// 133: the background of the "Lumo Dialog" page: a family of panels instead of the disc, in
// 256 colours of its own.
inline IndexedPicture LumoBackground(int scale = 1) {
    using namespace design;
    Canvas canvas(kBackgroundWidth, kBackgroundHeight, kWhiteColour, scale);
    auto edge = [](double x) {
        const double t = x / 400;
        return 104 - 8 * t + 30 * t * t;
    };
    DrawBand(canvas, edge, Colour{0, 58, 112}, Colour{0, 140, 196}, 330, 150);
    // A faint disc outline behind the panels.
    const Box all = canvas.Whole();
    canvas.Fill(
        all,
        [](double px, double py) {
            const double d = Length(px - 312, py - 138);
            return std::max(d - 100, 96 - d);
        },
        kLightBlue, 0.35);
    DrawPanel(canvas, 298, 88, 390, 158, Screen::Gauges);
    DrawPanel(canvas, 234, 110, 340, 188, Screen::Trend);
    DrawPanel(canvas, 152, 128, 274, 208, Screen::Controls);

    TextStyle product;
    product.scale = 1.35;
    product.weight = 1.35;
    product.tracking = 0.8;
    product.colour = Colour{190, 226, 246};
    DrawText(canvas, "Ormix-Designer", 22, 22, product);
    TextStyle family;
    family.scale = 2.6;
    family.weight = 1.5;
    family.tracking = 0.6;
    DrawText(canvas, "Lumo Panels", 21, 44, family);
    TextStyle maker;
    maker.scale = 1.1;
    maker.weight = 1.5;
    maker.tracking = 0.8;
    maker.colour = Colour{0, 96, 150};
    DrawText(canvas, "Brenlow", 392 - TextWidth("Brenlow", maker), 274, maker);
    ClearPlainCorner(canvas);
    return Quantise(canvas.ToPicture(), {Rgb{255, 255, 255}, Rgb{0, 0, 0}});
}

// 135: a spare background, a light radial gradient over a palette ramp from deep blue to white.
inline IndexedPicture SpareBackground() {
    Palette palette{};
    for (int i = 0; i < 256; ++i) {
        palette[std::size_t(i)] = i < 128 ? Gradient(Rgb{0, 44, 106}, Rgb{3, 117, 187}, i, 127)
                                          : Gradient(Rgb{3, 117, 187}, kWhite, i - 128, 127);
    }
    IndexedPicture picture(kBackgroundWidth, kBackgroundHeight, palette);
    for (int y = 0; y < kBackgroundHeight; ++y) {
        for (int x = 0; x < kBackgroundWidth; ++x) {
            const double d = Length(x - 300.0, y - 120.0) / 380.0;
            picture.SetIndex(x, y, static_cast<std::uint8_t>(std::lround(255 * Clamp01(0.35 + d))));
        }
    }
    return picture;
}

// Icon 128: the disc emblem in the product's blues, with a transparent hole.
inline IconImage DiscIcon(int size) {
    IconImage icon;
    icon.size = size;
    const double c = size / 2.0;
    const double r = c - 0.4;
    const double hole = size * 0.1;
    const double hub = size * 0.23;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c;
            const double d = Length(dx, dy);
            const double coverage = Clamp01(0.5 - std::max(d - r, hole - d));
            const double d2 = std::max(dx * dx + dy * dy, 0.25);
            const double light = 0.5 + 0.5 * (2 * dx * dy / d2);
            Colour colour = Mix(Colour{3, 117, 187}, Colour{0, 56, 128}, (y + 0.5) / size);
            colour = Mix(colour, Colour{188, 222, 242}, light * light * 0.85);
            colour = Mix(colour, Colour{226, 238, 248}, Clamp01(0.5 - (d - hub)) * 0.7);
            colour =
                Mix(colour, Colour{0, 44, 106}, Clamp01(0.5 - std::abs(d - r + 0.6) + 0.2) * 0.7);
            const std::uint8_t alpha = ToByte(255 * coverage);
            if (alpha == 0) {
                icon.rgba.push_back({0, 0, 0, 0});
            } else {
                icon.rgba.push_back({ToByte(colour.r), ToByte(colour.g), ToByte(colour.b), alpha});
            }
        }
    }
    return icon;
}

struct ResourceFile {
    std::string name;
    Bytes bytes;
};

// Every file that Install.rc refers to, with the name it refers to it by. A picture for
// screens of more than 96 DPI lies beside its 1x picture, named with "@2x" before the
// extension, twice as wide and twice as high.
inline std::vector<ResourceFile> ResourceFiles() {
    return {
        {"Install.ico", EncodeIcon({DiscIcon(16), DiscIcon(32)})},
        {"Background.bmp", EncodeBmp(MainBackground())},
        {"EntryNormal.bmp", EncodeBmp(EntryFace(false))},
        {"HelpStrip.bmp", EncodeBmp(HelpStrip())},
        {"BackgroundLumo.bmp", EncodeBmp(LumoBackground())},
        {"EntryHot.bmp", EncodeBmp(EntryFace(true))},
        {"BackgroundSpare.bmp", EncodeBmp(SpareBackground())},
        {"Background@2x.bmp", EncodeBmp(MainBackground(2))},
        {"EntryNormal@2x.bmp", EncodeBmp(EntryFace(false, 2))},
        {"HelpStrip@2x.bmp", EncodeBmp(HelpStrip(2))},
        {"BackgroundLumo@2x.bmp", EncodeBmp(LumoBackground(2))},
        {"EntryHot@2x.bmp", EncodeBmp(EntryFace(true, 2))},
    };
}

} // namespace images
