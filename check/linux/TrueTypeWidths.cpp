#include "check/linux/TrueTypeWidths.h"

#include "framework/text/StringUtil.h"
#include "framework/text/Unicode.h"
#include "menu/PageLayout.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <utility>

namespace check {

namespace {

const char kRegularFace[] = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
const char kBoldFace[] = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
// In the order of the page's own list of Chinese faces.
const char* const kChineseFaces[] = {"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
                                     "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"};

// The page's fonts: their negative heights ask for characters (ems) that many pixels high.
constexpr int kEntryPixels = -layout::kEntryFontHeight;
constexpr int kHelpPixels = -layout::kHelpFontHeight;

// Big-endian numbers of a font file; a read past the end gives 0 and marks the file bad.
class FontBytes {
public:
    explicit FontBytes(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::uint32_t Number(std::size_t at, int size) {
        if (at + size > m_bytes.size()) {
            m_good = false;
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i) {
            value = value << 8 | static_cast<unsigned char>(m_bytes[at + i]);
        }
        return value;
    }
    unsigned U16(std::size_t at) { return Number(at, 2); }
    std::uint32_t U32(std::size_t at) { return Number(at, 4); }
    std::string Tag(std::size_t at) const { return m_bytes.substr(at, 4); }
    bool Good() const { return m_good; }

private:
    std::string m_bytes;
    bool m_good = true;
};

std::optional<std::string> ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Takes the '&' of mnemonics out of an entry text, as the system draws it: "&x" shows "x",
// "&&" shows "&".
std::u16string WithoutMnemonics(const std::u16string& line) {
    std::u16string shown;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == u'&' && ++i == line.size()) {
            break;
        }
        shown += line[i];
    }
    return shown;
}

} // namespace

std::optional<TrueTypeFace> TrueTypeFace::Load(const std::string& path) {
    const auto bytes = ReadAll(path);
    if (!bytes) {
        return std::nullopt;
    }
    FontBytes font(*bytes);
    // A collection lists its faces' offsets; a single face starts at 0.
    const std::size_t face = font.Tag(0) == "ttcf" ? font.U32(12) : 0;
    std::unordered_map<std::string, std::size_t> tables;
    const std::size_t tableCount = font.U16(face + 4);
    for (std::size_t i = 0; i < tableCount; ++i) {
        const std::size_t record = face + 12 + 16 * i;
        tables[font.Tag(record)] = font.U32(record + 8);
    }
    for (const char* needed : {"head", "hhea", "hmtx", "cmap"}) {
        if (tables.count(needed) == 0) {
            return std::nullopt;
        }
    }

    TrueTypeFace result;
    result.m_unitsPerEm = font.U16(tables["head"] + 18);
    const std::size_t metrics = font.U16(tables["hhea"] + 34);
    for (std::size_t glyph = 0; glyph < metrics; ++glyph) {
        result.m_advances.push_back(font.U16(tables["hmtx"] + 4 * glyph));
    }

    // The Unicode map of the basic plane (format 4), from the Windows or the Unicode entry.
    const std::size_t cmap = tables["cmap"];
    std::size_t map = 0;
    const std::size_t maps = font.U16(cmap + 2);
    for (std::size_t i = 0; i < maps && map == 0; ++i) {
        const std::size_t record = cmap + 4 + 8 * i;
        const unsigned platformId = font.U16(record);
        const unsigned encodingId = font.U16(record + 2);
        const std::size_t at = cmap + font.U32(record + 4);
        if (((platformId == 3 && encodingId == 1) || (platformId == 0 && encodingId == 3)) &&
            font.U16(at) == 4) {
            map = at;
        }
    }
    if (map == 0 || !font.Good() || result.m_unitsPerEm == 0 || result.m_advances.empty()) {
        return std::nullopt;
    }
    const std::size_t segments = font.U16(map + 6) / 2;
    const std::size_t ends = map + 14;
    const std::size_t starts = ends + 2 * segments + 2;
    const std::size_t deltas = starts + 2 * segments;
    const std::size_t rangeOffsets = deltas + 2 * segments;
    for (std::size_t s = 0; s < segments; ++s) {
        const std::size_t end = font.U16(ends + 2 * s);
        const unsigned delta = font.U16(deltas + 2 * s);
        const std::size_t rangeOffset = font.U16(rangeOffsets + 2 * s);
        const std::size_t start = font.U16(starts + 2 * s);
        for (std::size_t c = start; c <= end && c < 0xFFFF; ++c) {
            auto glyph = static_cast<unsigned>(c);
            if (rangeOffset != 0) {
                glyph = font.U16(rangeOffsets + 2 * s + rangeOffset + 2 * (c - start));
                if (glyph == 0) {
                    continue;
                }
            }
            glyph = (glyph + delta) & 0xFFFF;
            if (glyph != 0) {
                result.m_glyphs.emplace(static_cast<char16_t>(c), glyph);
            }
        }
    }
    if (!font.Good()) {
        return std::nullopt;
    }
    return result;
}

unsigned TrueTypeFace::Glyph(char16_t character) const {
    const auto found = m_glyphs.find(character);
    return found == m_glyphs.end() ? 0 : found->second;
}

int TrueTypeFace::Advance(unsigned glyph, int pixelsPerEm) const {
    // Glyphs past the list share its last advance.
    const unsigned units = m_advances[std::min<std::size_t>(glyph, m_advances.size() - 1)];
    return static_cast<int>((units * pixelsPerEm + m_unitsPerEm / 2) / m_unitsPerEm);
}

TrueTypeWidths::TrueTypeWidths(TrueTypeFace regular, TrueTypeFace bold,
                               std::optional<TrueTypeFace> chinese)
    : m_regular(std::move(regular)), m_bold(std::move(bold)), m_chinese(std::move(chinese)) {}

std::optional<TrueTypeWidths> TrueTypeWidths::Load(std::string& missing) {
    auto regular = TrueTypeFace::Load(kRegularFace);
    auto bold = TrueTypeFace::Load(kBoldFace);
    if (!regular || !bold) {
        missing = regular ? kBoldFace : kRegularFace;
        return std::nullopt;
    }
    std::optional<TrueTypeFace> chinese;
    for (const char* path : kChineseFaces) {
        if ((chinese = TrueTypeFace::Load(path))) {
            break;
        }
    }
    return TrueTypeWidths(std::move(*regular), std::move(*bold), std::move(chinese));
}

std::vector<int> TrueTypeWidths::LineWidths(TextStyle style, const std::string& text) {
    const bool entry = style == TextStyle::Entry;
    const TrueTypeFace* face = entry ? &m_bold : &m_regular;
    const int pixels = entry ? kEntryPixels : kHelpPixels;
    // As the page does: a text with a character the face lacks (line feeds aside) is drawn
    // whole in the Chinese face, which has one weight only; the system makes it bold by
    // widening each character by a pixel.
    const std::u16string wide = text::Utf8ToUtf16(text);
    int emboldening = 0;
    for (const char16_t c : wide) {
        if (c >= u' ' && face->Glyph(c) == 0 && m_chinese) {
            face = &*m_chinese;
            emboldening = entry ? 1 : 0;
            break;
        }
    }
    std::vector<int> widths;
    for (const std::string& line : text::Split(text, '\n')) {
        const std::u16string shown =
            entry ? WithoutMnemonics(text::Utf8ToUtf16(line)) : text::Utf8ToUtf16(line);
        int width = 0;
        for (const char16_t c : shown) {
            width += face->Advance(face->Glyph(c), pixels) + emboldening;
        }
        widths.push_back(width);
    }
    return widths;
}

} // namespace check
