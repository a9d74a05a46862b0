// Painting: the main window's background (the 3D face colour, or back.jpg decoded to
// the window's DPI), the labels, and repaints after a change.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <shlwapi.h>

#include "win32/scoped.h"
#include "win32/win32.h"

namespace poko {

// A hidden window is painted whole when it is shown; a shown one repaints what changed.
void FormView::Repaint(HWND h) {
    if (IsWindowVisible(h)) InvalidateRect(h, nullptr, TRUE);
}

bool FormView::LoadPicture(const Text& path) {
    NeedOle();
    ComRef<IStream> stream;
    if (FAILED(SHCreateStreamOnFileW(W(path).c_str(), STGM_READ | STGM_SHARE_DENY_NONE, stream.Out()))) return false;
    ComRef<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.operator->(), 0, FALSE, IID_IPicture, reinterpret_cast<void**>(picture.Out()))) ||
        !picture)
        return false;
    OLE_XSIZE_HIMETRIC hx = 0;
    OLE_YSIZE_HIMETRIC hy = 0;
    picture->get_Width(&hx);
    picture->get_Height(&hy);
    // At the window's DPI, as everything in it.
    const int w = MulDiv(hx, dpi_, 2540), h = MulDiv(hy, dpi_, 2540);
    if (w <= 0 || h <= 0) return false;
    const WindowDC screen(nullptr);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, w, h));
    {
        const MemoryDC mem(screen);
        const Selected drawn(mem, bitmap.Get());
        if (FAILED(picture->Render(mem, 0, 0, w, h, 0, hy, hx, -hy, nullptr))) return false;
    }
    picture_ = std::move(bitmap);
    picture_path_ = path;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

// Paints what lies behind a point of the client area: the picture where there is one,
// the 3D face colour elsewhere.
void FormView::PaintBackground(HDC dc, const RECT& area, POINT origin) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (!picture_.Get()) return;
    const MemoryDC mem(dc);
    const Selected picture(mem, picture_.Get());
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, mem, origin.x + area.left,
           origin.y + area.top, SRCCOPY);
}

// A label paints only its text (and its frame): what lies behind it shows through,
// unless it is opaque, as the status line is on its light-yellow band.
void FormView::PaintLabel(HWND hwnd, HDC dc, const Bound& b) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    const auto& label = static_cast<const Label&>(*b.control);
    if (label.Opaque()) {
        const GdiObject<HBRUSH> brush(CreateSolidBrush(label.BackColour()));
        FillRect(dc, &rc, brush.Get());
    } else {
        POINT origin{0, 0};
        MapWindowPoints(hwnd, hwnd_, &origin, 1);
        PaintBackground(dc, rc, origin);
    }
    if (b.layout->frame) DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    const Selected font(dc, b.font.Get());
    SetBkMode(dc, TRANSPARENT);
    const Colour fore = label.ForeColour();
    SetTextColor(dc, fore & kSchemeColour ? GetSysColor(static_cast<int>(fore & ~kSchemeColour)) : fore);
    UINT format = DT_WORDBREAK;
    if (b.layout->align == AlignCentre) format |= DT_CENTER;
    if (b.layout->align == AlignRight) format |= DT_RIGHT;
    if (b.layout->frame) InflateRect(&rc, -1, -1);
    DrawTextW(dc, W(label.Caption()).c_str(), -1, &rc, format);
}

}  // namespace poko
