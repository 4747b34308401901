// Planted faults for the ownership check; CreatePen( in a comment is fine.
void A() {
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    CPen owned(CreatePen(PS_SOLID, 1, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    m_brush.reset(CreateSolidBrush(0));
    HBITMAP b = static_cast<HBITMAP>(LoadImageA(i, n, IMAGE_BITMAP, 0, 0, 0));
    HICON c = static_cast<HICON>(LoadImageA(i, n, IMAGE_ICON, 0, 0, 0));
}
