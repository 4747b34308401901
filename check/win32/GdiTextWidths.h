#pragma once
// Text widths on Windows: measured with the page's own fonts and measuring code, Arial (or the
// page's Chinese face) on a memory device context.

#include "check/TextWidths.h"
#include "framework/win32/Gdi.h"
#include "menu/win32/PageFonts.h"

namespace check {

class GdiTextWidths final : public ITextWidths {
public:
    GdiTextWidths();

    std::vector<int> LineWidths(TextStyle style, const std::string& text) override;

private:
    CMemoryDC m_dc;
    CPageFont m_entryFont;
    CPageFont m_helpFont;
};

} // namespace check
