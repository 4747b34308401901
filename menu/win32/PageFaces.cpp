#include "menu/win32/PageFaces.h"

namespace {

// More faces than a page of entries with their hot faces and help texts ever shows; a page
// whose texts keep changing starts again rather than growing.
constexpr std::size_t kMostFaces = 48;

} // namespace

CPageFaces::Face::Face(HDC windowDC, int width, int height)
    : memory(windowDC), bitmap(CBitmap(CreateCompatibleBitmap(windowDC, width, height))),
      selection(memory.get(), bitmap.get()) {}

void CPageFaces::Show(HDC windowDC, const Key& key, const geometry::Rect& rect,
                      const Painter& paint) {
    if (windowDC == nullptr || rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    if (!m_bPalette) {
        m_bPalette = (GetDeviceCaps(windowDC, RASTERCAPS) & RC_PALETTE) != 0;
    }
    const Face* face = *m_bPalette ? nullptr : Find(windowDC, key, rect, paint);
    if (face == nullptr) {
        paint(windowDC);
        return;
    }
    BitBlt(windowDC, rect.left, rect.top, rect.Width(), rect.Height(), face->memory.get(), 0, 0,
           SRCCOPY);
}

const CPageFaces::Face* CPageFaces::Find(HDC windowDC, const Key& key, const geometry::Rect& rect,
                                         const Painter& paint) {
    const auto kept =
        m_faces.find(std::make_tuple(key.kind, key.detail, rect.Width(), rect.Height(), key.text));
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
    StoredKey stored{key.kind, key.detail, rect.Width(), rect.Height(), std::string(key.text)};
    return m_faces.emplace(std::move(stored), std::move(face)).first->second.get();
}
