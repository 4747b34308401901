#pragma once
// How a menu page looks on its window: the background picture, the fonts of the screen's
// size, the colours (the design's, or a high-contrast theme's), and the faces of the entries
// and the help strip, drawn once and kept (CPageFaces). It draws at the scale the page was
// last laid out for, which the page keeps.

#include "framework/win32/Gdi.h"
#include "framework/win32/Window.h"
#include "menu/HelpText.h"
#include "menu/PageColours.h"
#include "menu/PageLayout.h"
#include "menu/win32/PageFaces.h"
#include "menu/win32/PageFonts.h"

#include <windows.h>

#include <optional>
#include <string>

class CPageSurface {
public:
    // The face of `window`, with the background picture `backgroundId` of `instance`, drawn
    // at `scale` (the page's, which outlives this object).
    CPageSurface(const CWnd& window, HINSTANCE instance, UINT backgroundId,
                 const layout::Scale& scale);

    // Reads the background's size once: every later layout of the page needs it. It is the
    // page's design size; the picture drawn at another scale may be another one.
    void ReadBackgroundSize();
    int BackgroundWidth() const { return m_nBackgroundWidth; }
    int BackgroundHeight() const { return m_nBackgroundHeight; }
    // Reads whether a high-contrast theme is on, and its colours.
    void ReadColours();
    // Draws at `scale` from now on: fonts of that size, no faces of another.
    void UseScale(const layout::Scale& scale);
    // Forgets the kept faces (the display's format, its fonts or the colours changed).
    void ForgetFaces() { m_faces.Clear(); }

    // The label's font: the dialog's, taken at the initialisation, sized anew from `oldDpi` to
    // `dpi`, and set on `label` for `text`.
    void TakeLabelFont(HFONT dialogFont) { m_fontLabel.emplace(dialogFont); }
    void RescaleLabelFont(int oldDpi, int dpi);
    void SetLabelFont(const CWindowRef& label, const std::string& text);
    // The colours of the label's static control on `dc`, and the brush behind it.
    HBRUSH ColourLabel(HDC dc);

    // The background over the paint device context `paintDC`.
    void PaintBackground(HDC paintDC);
    // The two drawings of a page on `shared`, the device context that the drawings of a
    // pointer move share (null: each takes a context of its own).
    void DrawHelpArea(HDC shared, const geometry::Rect& rect, const HelpTextLayout& help);
    void DrawEntry(HDC shared, const geometry::Rect& rect, const std::string& text, bool hot,
                   bool focused, bool accessKeys);

private:
    void ShowFace(HDC shared, const CPageFaces::Key& key, const geometry::Rect& rect,
                  const CPageFaces::Painter& paint);

    const CWnd& m_window;
    const HINSTANCE m_instance;
    const UINT m_nBitmapID;
    const layout::Scale& m_scale;
    int m_nBackgroundWidth = 0; // of the background picture, from the initialisation on
    int m_nBackgroundHeight = 0;
    colours::PageColours m_colours = colours::DesignColours();
    bool m_bHighContrast = false;
    CPageFont m_fontHelp{layout::kHelpFontHeight, FW_NORMAL};
    CPageFont m_fontEntry{layout::kEntryFontHeight, FW_BOLD};
    std::optional<CPageFont> m_fontLabel; // the dialog's font, from the initialisation on
    CBrush m_brushLabel;                  // white, behind the label's text
    CPageFaces m_faces;
};
