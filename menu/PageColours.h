#pragma once
// The colours a page draws its entries, help strip and label in. As designed: the face and
// strip pictures with the brand's texts (the sample's white), the hot one shadowed and
// underlined. Under a high-contrast theme the user's
// system colours instead, which the user chose to be able to read: window text on window for
// entries and help strip, highlight text on highlight for the hot entry, each with a frame in
// its text colour so that it stands out from the background picture, which still shows.

#include <cstdint>
#include <optional>

namespace colours {

// A colour as the system stores one: 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

// The system colours a high-contrast theme sets.
struct SystemColours {
    Colour windowText;
    Colour window;
    Colour highlightText;
    Colour highlight;
};

// How one area (an entry, the hot entry, the help strip) is drawn.
struct AreaColours {
    bool picture = true; // the design's picture behind the text, else `fill`
    Colour fill = 0;     // when there is no picture
    Colour text = 0;
    std::optional<Colour> shadow;    // a copy of the text behind it, offset
    std::optional<Colour> frame;     // a line around the area
    std::optional<Colour> underline; // under the text (the hot entry)

    bool operator==(const AreaColours& other) const {
        return picture == other.picture && fill == other.fill && text == other.text &&
               shadow == other.shadow && frame == other.frame && underline == other.underline;
    }
};

struct PageColours {
    AreaColours entry;
    AreaColours hotEntry;
    AreaColours help;
    Colour label = 0; // the language label's text, on the page's white
};

// The colours of the texts in a brand's design (brand.ini, section [Colours]).
struct TextColours {
    Colour entry;
    Colour hotEntry;
    Colour help;
    Colour label;

    bool operator==(const TextColours& other) const {
        return entry == other.entry && hotEntry == other.hotEntry && help == other.help &&
               label == other.label;
    }
};

// The sample product's design: white entry texts, a dark blue help text and a blue label.
inline constexpr TextColours kDesignTextColours{Rgb(255, 255, 255), Rgb(255, 255, 255),
                                                Rgb(62, 89, 126), Rgb(18, 54, 200)};

// The page as designed, its texts in `text`.
PageColours DesignColours(const TextColours& text = kDesignTextColours);

// The colours to draw with: the design's with the brand's `text`, or under a high-contrast
// theme the system's (whatever the brand's).
PageColours ChoosePageColours(bool highContrast, const SystemColours& system,
                              const TextColours& text = kDesignTextColours);

} // namespace colours
