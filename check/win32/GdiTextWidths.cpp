#include "check/win32/GdiTextWidths.h"

#include "framework/text/StringUtil.h"
#include "menu/PageLayout.h"
#include "menu/win32/MenuDrawing.h"

namespace check {

GdiTextWidths::GdiTextWidths()
    : m_dc(nullptr), m_entryFont(layout::kEntryFontHeight, FW_BOLD),
      m_helpFont(layout::kHelpFontHeight, FW_NORMAL) {}

std::vector<int> GdiTextWidths::LineWidths(TextStyle style, const std::string& text) {
    const bool entry = style == TextStyle::Entry;
    // The face is chosen for the whole text, as the page chooses it.
    const CObjectSelection selected(m_dc.get(),
                                    (entry ? m_entryFont : m_helpFont).For(m_dc.get(), text));
    const geometry::Rect face{0, 0, layout::kEntryWidth, layout::kEntryHeight};
    std::vector<int> widths;
    for (const std::string& line : text::Split(text, '\n')) {
        widths.push_back(entry ? MeasureCentredLine(m_dc.get(), face, line).width
                               : MeasureHelpLine(m_dc.get(), line));
    }
    return widths;
}

} // namespace check
