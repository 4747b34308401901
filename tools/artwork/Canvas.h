#pragma once
// Drawing for the pictures: a canvas of floating-point colours on which shapes, given as
// signed distance functions, are painted with smooth edges; a stroke font for the product
// name; and a median-cut quantiser that turns a picture into 256 colours.
// Only arithmetic and square roots are used, so the results are the same on every run.

#include "ImageFiles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace images {

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
};

constexpr Colour ToColour(Rgb c) {
    return Colour{double(c.r), double(c.g), double(c.b)};
}

inline Colour Mix(Colour a, Colour b, double t) {
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline double Clamp01(double v) {
    return std::min(1.0, std::max(0.0, v));
}

// 0 at edge0, 1 at edge1, smooth in between.
inline double SmoothStep(double edge0, double edge1, double v) {
    const double t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

inline std::uint8_t ToByte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::min(255.0, std::max(0.0, v))));
}

inline Rgb ToRgb(Colour c) {
    return Rgb{ToByte(c.r), ToByte(c.g), ToByte(c.b)};
}

// Square root only: correctly rounded everywhere, unlike hypot.
inline double Length(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy);
}

// Pixel rectangle to visit: left and top inside, right and bottom outside.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Signed distances: negative inside the shape, positive outside, in pixels.
inline double CircleDistance(double px, double py, double cx, double cy, double radius) {
    return Length(px - cx, py - cy) - radius;
}

inline double RoundRectDistance(double px, double py, double left, double top, double right,
                                double bottom, double radius) {
    const double cx = (left + right) / 2;
    const double cy = (top + bottom) / 2;
    const double qx = std::abs(px - cx) - ((right - left) / 2 - radius);
    const double qy = std::abs(py - cy) - ((bottom - top) / 2 - radius);
    const double outside = Length(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

inline double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    const double t =
        lengthSquared > 0 ? Clamp01(((px - ax) * dx + (py - ay) * dy) / lengthSquared) : 0.0;
    return Length(px - (ax + t * dx), py - (ay + t * dy));
}

class Canvas {
public:
    // A canvas of `width` x `height` design pixels, drawn at `scale` output pixels per design
    // pixel: the same drawing calls make the 1x picture and the sharp 2x one.
    Canvas(int width, int height, Colour fill, int scale = 1)
        : m_width(width * scale), m_height(height * scale), m_scale(scale),
          m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), fill) {}

    // In design pixels.
    int Width() const { return m_width / m_scale; }
    int Height() const { return m_height / m_scale; }
    Box Whole() const { return Box{0, 0, Width(), Height()}; }

    // An output pixel.
    Colour At(int x, int y) const { return m_pixels[Index(x, y)]; }

    // Paints the shape `distance` (a signed distance function of the pixel centre, in design
    // pixels) over the pixels of `box` in the colour `paint(x, y)`. `softness` is half the width
    // of the blurred edge in design pixels: 0.5 gives a smooth edge one output pixel wide,
    // larger values soft shadows and glows.
    template <class Distance, class Paint>
    void Fill(Box box, Distance distance, Paint paint, double opacity = 1.0,
              double softness = 0.5) {
        const Box clip{std::max(box.left * m_scale, 0), std::max(box.top * m_scale, 0),
                       std::min(box.right * m_scale, m_width),
                       std::min(box.bottom * m_scale, m_height)};
        const double edge = softness <= 0.5 ? softness / m_scale : softness;
        for (int y = clip.top; y < clip.bottom; ++y) {
            for (int x = clip.left; x < clip.right; ++x) {
                const double px = (x + 0.5) / m_scale;
                const double py = (y + 0.5) / m_scale;
                const double d = distance(px, py);
                const double coverage = Clamp01((edge - d) / (2 * edge)) * opacity;
                if (coverage > 0) {
                    Colour& target = m_pixels[Index(x, y)];
                    target = Mix(target, paint(px, py), coverage);
                }
            }
        }
    }

    template <class Distance>
    void Fill(Box box, Distance distance, Colour colour, double opacity = 1.0,
              double softness = 0.5) {
        Fill(
            box, distance, [colour](double, double) { return colour; }, opacity, softness);
    }

    Picture ToPicture() const {
        Picture picture(m_width, m_height);
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                picture.Set(x, y, ToRgb(At(x, y)));
            }
        }
        return picture;
    }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
               static_cast<std::size_t>(x);
    }

    int m_width; // output pixels
    int m_height;
    int m_scale;
    std::vector<Colour> m_pixels;
};

// ---------------------------------------------------------------------------------------------
// Stroke font. Each glyph is a path of strokes in font units: capitals stand from y 0 to the
// baseline at y 10, small letters from y 3, descenders reach y 13. Commands: M x y (move),
// L x y (line), C x1 y1 x2 y2 x y (cubic curve), Z (back to the start of the stroke).

struct Glyph {
    char character;
    double advance;
    const char* path;
};

inline const std::vector<Glyph>& FontGlyphs() {
    static const std::vector<Glyph> glyphs = {
        {' ', 3.2, ""},
        {'-', 4.6, "M0.9 6.4 L3.7 6.4"},
        {'.', 2.4, "M1.2 9.8 L1.2 9.9"},
        {'B', 7.6,
         "M1 5 L4.3 5 C5.9 5 7 6 7 7.5 C7 9 5.9 10 4.3 10 L1 10 L1 0 L4 0 C5.5 0 6.4 1 6.4 2.5 "
         "C6.4 4 5.5 5 4 5"},
        {'D', 8.4, "M1 0 L1 10 L3.6 10 C6.1 10 7.6 8 7.6 5 C7.6 2 6.1 0 3.6 0 Z"},
        {'H', 8.2, "M1 0 L1 10 M7.2 0 L7.2 10 M1 5 L7.2 5"},
        {'I', 2.2, "M1.1 0 L1.1 10"},
        {'L', 6.4, "M1 0 L1 10 L5.9 10"},
        {'M', 10.2, "M1 10 L1 0 L5.1 7.6 L9.2 0 L9.2 10"},
        {'O', 9.2,
         "M4.6 0 C6.81 0 8.6 2.24 8.6 5 C8.6 7.76 6.81 10 4.6 10 C2.39 10 0.6 7.76 0.6 5 "
         "C0.6 2.24 2.39 0 4.6 0"},
        {'P', 7.4, "M1 10 L1 0 L4.3 0 C6 0 6.9 1.2 6.9 2.8 C6.9 4.4 6 5.6 4.3 5.6 L1 5.6"},
        {'S', 7.4,
         "M6.6 1.5 C6 0.5 5 0 3.7 0 C2 0 0.9 1 0.9 2.6 C0.9 4.3 2.3 4.8 3.8 5.2 C5.4 5.6 6.8 6.1 "
         "6.8 7.6 C6.8 9.1 5.6 10 3.8 10 C2.3 10 1.2 9.4 0.6 8.3"},
        {'T', 7.6, "M0.4 0 L7.2 0 M3.8 0 L3.8 10"},
        {'W', 11.2, "M0.4 0 L2.8 10 L5.6 1.2 L8.4 10 L10.8 0"},
        {'a', 6.6,
         "M5.6 3 L5.6 10 M5.6 6.5 C5.6 4.57 4.5 3 3.1 3 C1.7 3 0.6 4.57 0.6 6.5 C0.6 8.43 1.7 10 "
         "3.1 10 C4.5 10 5.6 8.43 5.6 6.5"},
        {'b', 6.6,
         "M1 0 L1 10 M1 6.5 C1 4.57 2.1 3 3.5 3 C4.9 3 6 4.57 6 6.5 C6 8.43 4.9 10 3.5 10 C2.1 10 "
         "1 8.43 1 6.5"},
        {'c', 5.9,
         "M5.3 4.3 C4.8 3.5 4 3 3.1 3 C1.6 3 0.6 4.5 0.6 6.5 C0.6 8.5 1.6 10 3.1 10 C4 10 4.8 9.5 "
         "5.3 8.7"},
        {'e', 6.3,
         "M0.6 6.6 L5.7 6.6 C5.7 4.5 4.6 3 3.1 3 C1.6 3 0.6 4.5 0.6 6.5 C0.6 8.5 1.6 10 3.1 10 "
         "C4.2 10 5 9.5 5.5 8.7"},
        {'f', 4.0,
         "M3.8 0.3 C3.5 0.1 3.2 0 2.8 0 C1.9 0 1.5 0.6 1.5 1.7 L1.5 10 M0.2 3.4 L3.6 3.4"},
        {'g', 6.6,
         "M5.6 3 L5.6 10.8 C5.6 12.4 4.7 13 3.1 13 C2 13 1.2 12.6 0.8 12 M5.6 6.5 C5.6 4.57 4.5 3 "
         "3.1 3 C1.7 3 0.6 4.57 0.6 6.5 C0.6 8.43 1.7 10 3.1 10 C4.5 10 5.6 8.43 5.6 6.5"},
        {'i', 2.2, "M1.1 3 L1.1 10 M1.1 0.5 L1.1 0.7"},
        {'k', 5.8, "M1 0 L1 10 M5.2 3 L1 7.2 M2.5 5.8 L5.4 10"},
        {'l', 2.2, "M1.1 0 L1.1 10"},
        {'m', 9.8,
         "M1 3 L1 10 M1 5 C1.3 3.8 2 3 3.1 3 C4.4 3 5 3.9 5 5.3 L5 10 M5 5 C5.3 3.8 6 3 7.1 3 "
         "C8.4 3 9 3.9 9 5.3 L9 10"},
        {'n', 6.3, "M1 3 L1 10 M1 5 C1.4 3.8 2.2 3 3.4 3 C4.8 3 5.4 3.9 5.4 5.3 L5.4 10"},
        {'o', 6.5,
         "M3.25 3 C4.69 3 5.85 4.57 5.85 6.5 C5.85 8.43 4.69 10 3.25 10 C1.81 10 0.65 8.43 0.65 "
         "6.5 C0.65 4.57 1.81 3 3.25 3"},
        {'p', 6.6,
         "M1 3 L1 13 M1 6.5 C1 4.57 2.1 3 3.5 3 C4.9 3 6 4.57 6 6.5 C6 8.43 4.9 10 3.5 10 C2.1 10 "
         "1 8.43 1 6.5"},
        {'r', 4.1, "M1 3 L1 10 M1 5.2 C1.4 3.8 2.3 3 3.7 3"},
        {'s', 5.5,
         "M4.8 4 C4.4 3.3 3.7 3 2.8 3 C1.6 3 0.8 3.6 0.8 4.6 C0.8 5.6 1.8 6 2.8 6.3 C4 6.6 4.9 7.1 "
         "4.9 8.2 C4.9 9.3 4 10 2.7 10 C1.7 10 0.9 9.6 0.5 8.9"},
        {'t', 4.1,
         "M1.6 0.8 L1.6 8.5 C1.6 9.5 2.1 10 3 10 C3.4 10 3.7 9.9 3.9 9.8 M0.2 3.4 L3.7 3.4"},
        {'u', 6.3, "M1 3 L1 7.7 C1 9.1 1.5 10 2.9 10 C4.1 10 4.9 9.2 5.3 8 M5.3 3 L5.3 10"},
        {'w', 9.0, "M0.4 3 L2.3 10 L4.5 3.6 L6.7 10 L8.6 3"},
        {'x', 6.0, "M0.6 3 L5.4 10 M5.4 3 L0.6 10"},
    };
    return glyphs;
}

inline const Glyph* FindGlyph(char character) {
    for (const Glyph& glyph : FontGlyphs()) {
        if (glyph.character == character) {
            return &glyph;
        }
    }
    return nullptr;
}

struct Segment {
    double ax, ay, bx, by;
};

// The strokes of one glyph as straight segments, in font units relative to the glyph origin.
inline std::vector<Segment> GlyphSegments(const Glyph& glyph) {
    std::vector<Segment> segments;
    const std::string path = glyph.path;
    std::size_t pos = 0;
    auto number = [&]() {
        while (pos < path.size() && path[pos] == ' ') {
            ++pos;
        }
        std::size_t used = 0;
        const double value = std::stod(path.substr(pos), &used);
        pos += used;
        return value;
    };
    double x = 0, y = 0, startX = 0, startY = 0;
    while (pos < path.size()) {
        const char command = path[pos++];
        if (command == ' ') {
            continue;
        }
        if (command == 'M') {
            x = startX = number();
            y = startY = number();
        } else if (command == 'L' || command == 'Z') {
            const double nx = command == 'L' ? number() : startX;
            const double ny = command == 'L' ? number() : startY;
            segments.push_back({x, y, nx, ny});
            x = nx;
            y = ny;
        } else if (command == 'C') {
            const double x1 = number(), y1 = number(), x2 = number(), y2 = number();
            const double ex = number(), ey = number();
            constexpr int kSteps = 12;
            double px = x, py = y;
            for (int i = 1; i <= kSteps; ++i) {
                const double t = double(i) / kSteps;
                const double u = 1 - t;
                const double qx =
                    u * u * u * x + 3 * u * u * t * x1 + 3 * u * t * t * x2 + t * t * t * ex;
                const double qy =
                    u * u * u * y + 3 * u * u * t * y1 + 3 * u * t * t * y2 + t * t * t * ey;
                segments.push_back({px, py, qx, qy});
                px = qx;
                py = qy;
            }
            x = ex;
            y = ey;
        } else {
            throw std::invalid_argument("bad glyph path");
        }
    }
    return segments;
}

struct TextStyle {
    double scale = 1;      // pixels per font unit
    double weight = 1.3;   // stroke width in font units
    double tracking = 0.5; // extra space between letters in font units
    Colour colour{255, 255, 255};
    double opacity = 1;
};

inline double TextWidth(const std::string& text, const TextStyle& style) {
    double width = 0;
    for (const char c : text) {
        const Glyph* glyph = FindGlyph(c);
        width += ((glyph != nullptr ? glyph->advance : 3.2) + style.tracking) * style.scale;
    }
    return text.empty() ? 0 : width - style.tracking * style.scale;
}

// Draws `text` with its cap top at y `top` and its first letter's origin at x `left`.
inline void DrawText(Canvas& canvas, const std::string& text, double left, double top,
                     const TextStyle& style) {
    std::vector<Segment> segments;
    double origin = left;
    for (const char c : text) {
        const Glyph* glyph = FindGlyph(c);
        if (glyph == nullptr) {
            throw std::invalid_argument(std::string("no glyph for ") + c);
        }
        for (const Segment& s : GlyphSegments(*glyph)) {
            segments.push_back({origin + s.ax * style.scale, top + s.ay * style.scale,
                                origin + s.bx * style.scale, top + s.by * style.scale});
        }
        origin += (glyph->advance + style.tracking) * style.scale;
    }
    const double halfWidth = style.weight * style.scale / 2;
    const Box box{int(left - 2), int(top - 2), int(origin + 2), int(top + 14 * style.scale + 2)};
    canvas.Fill(
        box,
        [&](double px, double py) {
            double nearest = 1e9;
            for (const Segment& s : segments) {
                nearest = std::min(nearest, SegmentDistance(px, py, s.ax, s.ay, s.bx, s.by));
            }
            return nearest - halfWidth;
        },
        style.colour, style.opacity);
}

// ---------------------------------------------------------------------------------------------
// Colour reduction: median cut over the picture's colours, weighted by how often each occurs.
// `fixed` colours are always in the table (so that, for example, plain white stays exact).

inline Palette MedianCutPalette(const Picture& picture, const std::vector<Rgb>& fixed) {
    struct Entry {
        std::uint32_t key;
        std::uint32_t count;
    };
    std::map<std::uint32_t, std::uint32_t> histogram;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Rgb c = picture.At(x, y);
            ++histogram[(std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b];
        }
    }
    auto channel = [](std::uint32_t key, int which) {
        return int((key >> (16 - 8 * which)) & 0xFFu);
    };
    using Bucket = std::vector<Entry>;
    std::vector<Bucket> buckets(1);
    for (const auto& [key, count] : histogram) {
        buckets[0].push_back({key, count});
    }
    auto widest = [&](const Bucket& bucket, int& range) {
        int best = 0;
        range = -1;
        for (int which = 0; which < 3; ++which) {
            int low = 255, high = 0;
            for (const Entry& e : bucket) {
                low = std::min(low, channel(e.key, which));
                high = std::max(high, channel(e.key, which));
            }
            if (high - low > range) {
                range = high - low;
                best = which;
            }
        }
        return best;
    };
    const std::size_t wanted = 256 - fixed.size();
    while (buckets.size() < wanted) {
        // Split the bucket whose widest channel range, weighted by its pixel count, is largest.
        std::size_t chosen = buckets.size();
        double bestScore = 0;
        for (std::size_t i = 0; i < buckets.size(); ++i) {
            if (buckets[i].size() < 2) {
                continue;
            }
            int range = 0;
            widest(buckets[i], range);
            double pixels = 0;
            for (const Entry& e : buckets[i]) {
                pixels += e.count;
            }
            const double score = range * std::sqrt(pixels);
            if (score > bestScore) {
                bestScore = score;
                chosen = i;
            }
        }
        if (chosen == buckets.size()) {
            break;
        }
        Bucket& bucket = buckets[chosen];
        int range = 0;
        const int which = widest(bucket, range);
        std::sort(bucket.begin(), bucket.end(), [&](const Entry& a, const Entry& b) {
            const int ca = channel(a.key, which), cb = channel(b.key, which);
            return ca != cb ? ca < cb : a.key < b.key;
        });
        std::uint64_t total = 0;
        for (const Entry& e : bucket) {
            total += e.count;
        }
        std::uint64_t running = 0;
        std::size_t split = 1;
        for (std::size_t i = 0; i + 1 < bucket.size(); ++i) {
            running += bucket[i].count;
            split = i + 1;
            if (2 * running >= total) {
                break;
            }
        }
        Bucket upper(bucket.begin() + static_cast<std::ptrdiff_t>(split), bucket.end());
        bucket.resize(split);
        buckets.push_back(std::move(upper));
    }
    Palette palette{};
    std::size_t next = 0;
    for (const Rgb& c : fixed) {
        palette[next++] = c;
    }
    for (const Bucket& bucket : buckets) {
        double r = 0, g = 0, b = 0, n = 0;
        for (const Entry& e : bucket) {
            r += channel(e.key, 0) * double(e.count);
            g += channel(e.key, 1) * double(e.count);
            b += channel(e.key, 2) * double(e.count);
            n += e.count;
        }
        palette[next++] = ToRgb(Colour{r / n, g / n, b / n});
    }
    // Unused entries repeat the last colour; the table always has 256 entries.
    for (; next < palette.size(); ++next) {
        palette[next] = palette[next - 1];
    }
    return palette;
}

inline std::uint8_t NearestIndex(const Palette& palette, Rgb c) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < int(palette.size()); ++i) {
        const long dr = long(c.r) - palette[std::size_t(i)].r;
        const long dg = long(c.g) - palette[std::size_t(i)].g;
        const long db = long(c.b) - palette[std::size_t(i)].b;
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

inline IndexedPicture Quantise(const Picture& picture, const std::vector<Rgb>& fixed) {
    const Palette palette = MedianCutPalette(picture, fixed);
    IndexedPicture result(picture.Width(), picture.Height(), palette);
    std::map<std::uint32_t, std::uint8_t> cache;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Rgb c = picture.At(x, y);
            const std::uint32_t key = (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b;
            auto found = cache.find(key);
            if (found == cache.end()) {
                found = cache.emplace(key, NearestIndex(palette, c)).first;
            }
            result.SetIndex(x, y, found->second);
        }
    }
    return result;
}

} // namespace images
