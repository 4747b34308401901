// How a menu page looks on its window: background, fonts, colours and the kept faces of its
// entries and help strip (see PageSurface.h).

#include "menu/win32/PageSurface.h"

#include "framework/win32/ResourceBitmaps.h"
#include "menu/win32/MenuDrawing.h"
#include "res/Product.h"

namespace {

// The kinds of the page's kept faces (CPageFaces), and the states an entry's face is drawn in.
constexpr int kHelpFace = 0;
constexpr int kEntryFace = 1;
constexpr int kHotEntry = 1;
constexpr int kFocusFrame = 2;
constexpr int kAccessKeysShown = 4;

} // namespace

CPageSurface::CPageSurface(const CWnd& window, HINSTANCE instance, UINT backgroundId,
                           const layout::Scale& scale)
    : m_window(window), m_instance(instance), m_nBitmapID(backgroundId), m_scale(scale),
      m_brushLabel(CreateSolidBrush(RGB(255, 255, 255))) {}

void CPageSurface::ReadBackgroundSize() {
    GetBitmapSize(m_instance, m_nBitmapID, m_nBackgroundWidth, m_nBackgroundHeight);
}

void CPageSurface::ReadColours() {
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof highContrast;
    const bool on = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast,
                                          0) != FALSE &&
                    (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    const colours::SystemColours system{GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW),
                                        GetSysColor(COLOR_HIGHLIGHTTEXT),
                                        GetSysColor(COLOR_HIGHLIGHT)};
    m_colours = colours::ChoosePageColours(on, system, product::CurrentBrand().colours);
    m_bHighContrast = on;
}

void CPageSurface::UseScale(const layout::Scale& scale) {
    m_fontHelp = CPageFont(scale.Px(layout::kHelpFontHeight), FW_NORMAL);
    m_fontEntry = CPageFont(scale.Px(layout::kEntryFontHeight), FW_BOLD);
    m_faces.Clear(); // drawn at the old scale
    PreparePictures(m_instance, m_nBitmapID, scale);
}

void CPageSurface::RescaleLabelFont(int oldDpi, int dpi) {
    if (m_fontLabel && oldDpi > 0) {
        m_fontLabel = m_fontLabel->WithHeight(MulDiv(m_fontLabel->Height(), dpi, oldDpi));
    }
}

void CPageSurface::SetLabelFont(const CWindowRef& label, const std::string& text) {
    if (m_fontLabel) {
        const CClientDC dc(label);
        label.Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontLabel->For(dc.get(), text)));
    }
}

HBRUSH CPageSurface::ColourLabel(HDC dc) {
    if (m_bHighContrast) {
        // The label in the user's colours, as the system draws its own texts.
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return GetSysColorBrush(COLOR_WINDOW);
    }
    SetTextColor(dc, m_colours.label);
    SetBkMode(dc, TRANSPARENT);
    return m_brushLabel.get();
}

void CPageSurface::PaintBackground(HDC paintDC) {
    ::PaintBackground(paintDC, m_instance, m_nBitmapID,
                      layout::BackgroundRect(m_nBackgroundWidth, m_nBackgroundHeight, m_scale),
                      m_scale);
}

void CPageSurface::DrawHelpArea(HDC shared, const geometry::Rect& rect,
                                const HelpTextLayout& layout) {
    const auto paint = [&](HDC target) {
        ::DrawHelpArea(target, m_instance, rect, layout.text,
                       rect.top + m_scale.Px(layout.topOffset), m_fontHelp.For(target, layout.text),
                       m_scale, m_colours);
    };
    ShowFace(shared, {kHelpFace, layout.topOffset, layout.text}, rect, paint);
}

void CPageSurface::DrawEntry(HDC shared, const geometry::Rect& rect, const std::string& text,
                             bool hot, bool focused, bool accessKeys) {
    const auto paint = [&](HDC target) {
        ::DrawEntry(target, m_instance, rect, text, hot, m_fontEntry.For(target, text), m_scale,
                    m_colours, accessKeys);
        if (focused) {
            DrawEntryFocus(target, rect, m_scale);
        }
    };
    const int states =
        (hot ? kHotEntry : 0) | (focused ? kFocusFrame : 0) | (accessKeys ? kAccessKeysShown : 0);
    ShowFace(shared, {kEntryFace, states, text}, rect, paint);
}

void CPageSurface::ShowFace(HDC shared, const CPageFaces::Key& key, const geometry::Rect& rect,
                            const CPageFaces::Painter& paint) {
    if (shared != nullptr) {
        m_faces.Show(shared, key, rect, paint);
        return;
    }
    const CClientDC dc(m_window.GetSafeHwnd());
    m_faces.Show(dc.get(), key, rect, paint);
}
