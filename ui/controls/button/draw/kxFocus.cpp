#include "kxFocus.h"
#include "kxPaintState.h"
#include "kxPixels.h"

namespace kxFocus {

namespace {
QRect fromEdges(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }
}

Rgb focusColour(const kxPaintState &s, Rgb face)
{
    switch (s.style) {
    case 3: return 0xCC9999;
    case 5: return kxColour::ShiftColour(face, -32);
    case 7: return kxPaint::contrastOn(face);
    default:
        return s.shape >= 1 && s.shape <= 3 && !s.checked ? kxColour::ShiftColour(face, -48) : kxColour::Black;
    }
}

std::vector<QPoint> diagonalOutline(const kxPaintState &s)
{
    const int lc = s.shape == 1 || s.shape == 3 ? 1 : 0;
    const int rc = s.shape == 2 || s.shape == 3 ? 1 : 0;
    const int u = s.regions.contentLeft, v = s.regions.contentRight, w = s.w, h = s.h;
    // The closing point sits one pixel before the start, so the outline has no gap at the cut.
    return {{u + 4 - 6 * lc, h - 5}, {4 + 4 * lc, 4}, {v - 5 + 4 * rc, 4}, {w - 5 - 6 * rc, h - 5},
            {u + 3 - 6 * lc, h - 5}};
}

QRect aroundCaption(const kxPaintState &s)
{
    QRect r = s.layout.caption;
    if (s.f.m_Caption.isEmpty()) {
        const QRect pic = s.layout.picture;
        r = fromEdges(pic.left(), pic.top(), std::min(pic.left() + pic.width(), s.w - 4),
                      std::min(pic.top() + pic.height(), s.h - 4));
    }
    const int right = r.left() + r.width(), bottom = r.top() + r.height();
    const bool wellInside = r.left() > s.layout.area.left + 4 && right < s.layout.area.right - 4;
    const int k = wellInside ? 2 : 1;
    const QPoint d = s.style == 3 ? QPoint(0, 0) : kxPaint::pressedOffset(s);
    return fromEdges(r.left() - k + d.x(), r.top() - k + d.y(), right + k + 2 * d.x(), bottom + k + 2 * d.y());
}

QRect insideFace(const kxPaintState &s)
{
    return fromEdges(s.regions.contentLeft + 4, 4, s.regions.contentRight - 4, s.h - 4);
}

void drawFocus(QPainter &p, const kxPaintState &s, Rgb face)
{
    if (s.style == 2 || !s.isDefault || s.shape >= 7)
        return;
    const Rgb colour = focusColour(s, face);
    if (s.shape >= 1 && s.shape <= 3) {
        kxPixels::drawPolyline(p, diagonalOutline(s), colour);
        return;
    }
    const bool aroundContent = s.shape >= 4 || s.style == 3;
    if (aroundContent && s.f.m_Caption.isEmpty() && s.layout.picture.isEmpty())
        return; // nothing to go around
    const QRect r = aroundContent ? aroundCaption(s) : insideFace(s);
    if (s.style == 3)
        kxPixels::drawOutline(p, r, colour);
    else
        kxPixels::drawFocusRect(p, r);
}
}
