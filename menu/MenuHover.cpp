// The entry column of a page, its drawing, and the feedback while the pointer moves over it.

#include "menu/MenuPage.h"

geometry::Rect CMenuPage::GetEntryRect(int index) const {
    if (m_nEntryLeft == -1) {
        return {};
    }
    const int top = kEntryTop + kEntryPitch * index;
    return {m_nEntryLeft, top, m_nEntryLeft + kEntryWidth, top + kEntryHeight};
}

void CMenuPage::DrawMenu() {
    const geometry::Rect client = GetClientArea();
    m_rcHelpArea = {0, GetBackgroundHeight(), client.right, client.bottom};
    const CMenuItem* hot = ItemAt(m_nHotEntry);
    DrawHelpArea(m_rcHelpArea, hot != nullptr ? hot->m_strTitle : std::string());
    for (int i = 0; i < static_cast<int>(m_menuItems.size()); ++i) {
        DrawEntry(GetEntryRect(i), m_menuItems[i]->m_strText, i == m_nHotEntry);
    }
}

void CMenuPage::OnMouseMove(int x, int y) {
    ReleaseMouseCapture();
    int newHotEntry = -1;
    for (int i = 0; i < static_cast<int>(m_menuItems.size()); ++i) {
        const geometry::Rect rect = GetEntryRect(i);
        if (rect.Contains(x, y)) {
            if (i != m_nHotEntry) {
                DrawEntry(rect, m_menuItems[i]->m_strText, true);
            }
            newHotEntry = i;
        } else if (i == m_nHotEntry) {
            DrawEntry(rect, m_menuItems[i]->m_strText, false);
        }
    }
    if (newHotEntry != m_nHotEntry) {
        const CMenuItem* hot = ItemAt(newHotEntry);
        DrawHelpArea(m_rcHelpArea, hot != nullptr ? hot->m_strTitle : std::string());
    }
    m_nHotEntry = newHotEntry;
}
