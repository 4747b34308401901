#pragma once
// A font of a menu page: as the page is designed (Arial for the entries and the help strip, the
// dialog's font for the label), and for a text that this face has no glyphs for (Chinese on a
// Western system, where no font linking supplies them) the same size and weight in the first
// installed face that has them.

#include "framework/win32/Gdi.h"

#include <windows.h>

#include <string>

class CPageFont {
public:
    // Arial of `height` and `weight`.
    CPageFont(int height, int weight);
    // The face, size and weight of `model`.
    explicit CPageFont(HFONT model);

    // The same face and weight at `height` (a LOGFONT height).
    CPageFont WithHeight(int height) const;
    int Height() const { return m_logFont.lfHeight; }

    // The font to draw `utf8` with on `dc`.
    HFONT For(HDC dc, const std::string& utf8);

private:
    explicit CPageFont(const LOGFONTW& logFont);

    LOGFONTW m_logFont;
    CFont m_font;
    CFont m_fallback; // made when a text first needs it
    bool m_bFallbackSought = false;
};
