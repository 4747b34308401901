#include "menu/win32/PageFaces.h"

namespace {

// More faces than a page of entries with their hot faces and help texts ever shows; a page
// whose texts keep changing starts again rather than growing.
constexpr std::size_t kMostFaces = 48;

} // namespace

CPageFaces::Face::Face(HDC windowDC, int width, int height)
    : memory(windowDC), bitmap(CBitmap(CreateCompatibleBitmap(windowDC, width, height))),
      selection(memory.get(), bitmap.get()) {}

void CPageFaces::Show(HDC windowDC, const std::string& key, const geometry::Rect& rect,
                      const Painter& paint) {
    if (windowDC == nullptr || rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    const bool palette = (GetDeviceCaps(windowDC, RASTERCAPS) & RC_PALETTE) != 0;
    const Face* face = palette ? nullptr : Find(windowDC, key, rect, paint);
    if (face == nullptr) {
        paint(windowDC);
        return;
    }
    BitBlt(windowDC, rect.left, rect.top, rect.Width(), rect.Height(), face->memory.get(), 0, 0,
           SRCCOPY);
}

const CPageFaces::Face* CPageFaces::Find(HDC windowDC, const std::string& key,
                                         const geometry::Rect& rect, const Painter& paint) {
    const std::string sizedKey =
        std::to_string(rect.Width()) + 'x' + std::to_string(rect.Height()) + '|' + key;
    const auto kept = m_faces.find(sizedKey);
    if (kept != m_faces.end()) {
        return kept->second.get();
    }
    auto face = std::make_unique<Face>(windowDC, rect.Width(), rect.Height());
    if (!face->memory || !face->selection) {
        return nullptr;
    }
    // The painter draws in window coordinates; the bitmap holds only `rect`.
    const HDC memory = face->memory.get();
    SetViewportOrgEx(memory, -rect.left, -rect.top, nullptr);
    paint(memory);
    SetViewportOrgEx(memory, 0, 0, nullptr);
    if (m_faces.size() >= kMostFaces) {
        m_faces.clear();
    }
    return m_faces.emplace(sizedKey, std::move(face)).first->second.get();
}
