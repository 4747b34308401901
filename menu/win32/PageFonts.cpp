#include "menu/win32/PageFonts.h"

#include "framework/win32/WideText.h"

#include <vector>

namespace {

// Faces with the glyphs of simplified Chinese: those of Windows, then common ones of other
// systems the program may run on.
const wchar_t* const kFallbackFaces[] = {L"Microsoft YaHei",  L"SimSun",
                                         L"SimHei",           L"WenQuanYi Micro Hei",
                                         L"Noto Sans CJK SC", L"Arial Unicode MS"};

LOGFONTW ArialFont(int height, int weight) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    return font;
}

LOGFONTW FontOf(HFONT model) {
    LOGFONTW font{};
    if (model == nullptr || GetObjectW(model, sizeof font, &font) == 0) {
        return ArialFont(-11, FW_NORMAL);
    }
    return font;
}

CFont CreateInFace(LOGFONTW font, const wchar_t* face) {
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CFont(CreateFontIndirectW(&font));
}

// Whether `font` on `dc` has a glyph for every character of `wide`.
bool HasGlyphs(HDC dc, HFONT font, const std::wstring& wide) {
    const CObjectSelection selected(dc, font);
    std::vector<WORD> glyphs(wide.size());
    if (GetGlyphIndicesW(dc, wide.c_str(), static_cast<int>(wide.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
        return true; // no way to tell: leave it to the system
    }
    for (std::size_t i = 0; i < wide.size(); ++i) {
        // Control characters (line breaks) have no glyph in any face.
        if (glyphs[i] == 0xFFFF && wide[i] >= L' ') {
            return false;
        }
    }
    return true;
}

// Whether the system made `font` from the face it was asked for, rather than a substitute.
bool IsFace(HDC dc, HFONT font, const wchar_t* face) {
    const CObjectSelection selected(dc, font);
    wchar_t actual[LF_FACESIZE] = {}; // the face names of fonts are at most this long
    GetTextFaceW(dc, LF_FACESIZE, actual);
    return lstrcmpiW(actual, face) == 0;
}

} // namespace

CPageFont::CPageFont(int height, int weight)
    : m_logFont(ArialFont(height, weight)), m_font(CreateFontIndirectW(&m_logFont)) {}

CPageFont::CPageFont(HFONT model)
    : m_logFont(FontOf(model)), m_font(CreateFontIndirectW(&m_logFont)) {}

CPageFont::CPageFont(const LOGFONTW& logFont)
    : m_logFont(logFont), m_font(CreateFontIndirectW(&m_logFont)) {}

CPageFont CPageFont::WithHeight(int height) const {
    LOGFONTW font = m_logFont;
    font.lfHeight = height;
    return CPageFont(font);
}

HFONT CPageFont::For(HDC dc, const std::string& utf8) {
    const std::wstring wide = text::Wide(utf8);
    if (HasGlyphs(dc, m_font.get(), wide)) {
        return m_font.get();
    }
    if (!m_bFallbackSought) {
        m_bFallbackSought = true;
        for (const wchar_t* face : kFallbackFaces) {
            CFont candidate = CreateInFace(m_logFont, face);
            if (candidate && IsFace(dc, candidate.get(), face)) {
                m_fallback = std::move(candidate);
                break;
            }
        }
    }
    return m_fallback ? m_fallback.get() : m_font.get();
}
