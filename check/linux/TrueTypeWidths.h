#pragma once
// Text widths on a system without Arial: added up from the advance widths in the TrueType files
// of faces with Arial's metrics (Liberation Sans, Debian's fonts-liberation), and of the Chinese
// face the page falls back to, the first of WenQuanYi Micro Hei and Noto Sans CJK installed.

#include "check/TextWidths.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace check {

// The horizontal metrics of a TrueType face: its glyphs by character and their advances.
class TrueTypeFace {
public:
    // The face in the file `path` (the first face of a collection); nothing when the file
    // cannot be read or is no TrueType file with a Unicode character map.
    static std::optional<TrueTypeFace> Load(const std::string& path);

    // The glyph of the character; 0, the face's glyph for missing characters, when it has none.
    unsigned Glyph(char16_t character) const;

    // The advance of `glyph` in whole pixels for a face `pixelsPerEm` high, rounded as the
    // system places glyphs.
    int Advance(unsigned glyph, int pixelsPerEm) const;

private:
    unsigned m_unitsPerEm = 0;
    std::vector<unsigned> m_advances; // by glyph, as far as the face lists them
    std::unordered_map<char16_t, unsigned> m_glyphs;
};

class TrueTypeWidths final : public ITextWidths {
public:
    // The faces from the system's font folders; nothing, with the missing file in `missing`,
    // when the faces for Arial are not there.
    static std::optional<TrueTypeWidths> Load(std::string& missing);

    std::vector<int> LineWidths(TextStyle style, const std::string& text) override;

private:
    TrueTypeWidths(TrueTypeFace regular, TrueTypeFace bold, std::optional<TrueTypeFace> chinese);

    TrueTypeFace m_regular;
    TrueTypeFace m_bold;
    std::optional<TrueTypeFace> m_chinese;
};

} // namespace check
