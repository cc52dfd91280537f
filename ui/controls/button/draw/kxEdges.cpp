#include "kxEdges.h"
#include "kxPixels.h"

namespace kxEdges {

SegmentColours noSegments()
{
    SegmentColours c;
    c.fill(None);
    return c;
}

EdgePoints edgePoints(QSize size, int shape, int contentLeft, int contentRight)
{
    const int w = size.width(), h = size.height(), u = contentLeft, v = contentRight;
    const int lc = shape == 1 || shape == 3 ? 1 : 0;
    const int rc = shape == 2 || shape == 3 ? 1 : 0;
    EdgePoints p;
    p[0] = {u + 2 - 4 * lc, h - 3};
    p[1] = {2 + 2 * lc, 2};
    p[2] = {v - 3 + 3 * rc, 2};
    p[3] = {w - 3 - 3 * rc, h - 3};
    p[4] = {u + 1 - 4 * lc, h - 3};
    p[5] = {p[0].x() + lc - 1, p[0].y() + 1};
    p[6] = {p[1].x() - lc - 1, p[1].y() - 1};
    p[7] = {p[2].x() + 1 - rc, p[2].y() - 1};
    p[8] = {p[3].x() + rc + 1, p[3].y() + 1};
    p[9] = {p[4].x() - 1, p[4].y() + 1};
    p[10] = {u - lc, h - 1 + lc};
    p[11] = {0, 0};
    p[12] = {v - 1 + rc, 0};
    p[13] = {w - 1, h - 1 + rc};
    p[14] = {u - 2 * lc - 1, h - 1};
    // The right cut ends below the last row (P13), so that it reaches the bottom-right corner;
    // the bottom side itself starts on the last row, or half of it would fall below the button.
    p[15] = {w - 1 - rc, h - 1};
    return p;
}

void drawEdges(QPainter &p, const EdgePoints &points, const SegmentColours &colours, bool dotted)
{
    static constexpr int firstPoint[3] = {0, 5, 10};
    for (int outline = 0; outline < 3; ++outline)
        for (int side = 0; side < 4; ++side) {
            const qint64 colour = colours[size_t(outline * 4 + side)];
            if (colour < 0)
                continue;
            const int from = firstPoint[outline] + side;
            const bool outerBottom = outline == 2 && side == 3;
            const QPoint start = points[size_t(outerBottom ? 15 : from)];
            kxPixels::drawLine(p, start, points[size_t(from + 1)], Rgb(colour), dotted);
        }
}
}
