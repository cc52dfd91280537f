#include "kxPixels.h"
#include <QPainter>
#include <cstdlib>

namespace kxPixels {

std::vector<QPoint> linePoints(QPoint a, QPoint b)
{
    std::vector<QPoint> points;
    const int dx = std::abs(b.x() - a.x()), dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    QPoint at = a;
    while (at != b) {
        points.push_back(at);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            at.rx() += sx;
        }
        if (e2 <= dx) {
            err += dx;
            at.ry() += sy;
        }
    }
    return points;
}

void plot(QPainter &p, const std::vector<QPoint> &points, Rgb colour, bool dotted)
{
    p.save();
    p.setPen(QPen(kxColour::toQColor(colour), 1));
    for (size_t i = 0; i < points.size(); i += dotted ? 2 : 1)
        p.drawPoint(points[i]);
    p.restore();
}

void drawLine(QPainter &p, QPoint a, QPoint b, Rgb colour, bool dotted)
{
    plot(p, linePoints(a, b), colour, dotted);
}

void drawPolyline(QPainter &p, const std::vector<QPoint> &points, Rgb colour)
{
    std::vector<QPoint> pixels;
    for (size_t i = 1; i < points.size(); ++i) {
        const std::vector<QPoint> segment = linePoints(points[i - 1], points[i]);
        pixels.insert(pixels.end(), segment.begin(), segment.end());
    }
    plot(p, pixels, colour);
}

QRegion innerFrame(const QRegion &region)
{
    const QRegion eroded = region.translated(1, 0) & region.translated(-1, 0) & region.translated(0, 1)
        & region.translated(0, -1) & region;
    return region - eroded;
}

void frameRegion(QPainter &p, const QRegion &region, Rgb colour)
{
    const QColor c = kxColour::toQColor(colour);
    for (const QRect &r : innerFrame(region))
        p.fillRect(r, c);
}

namespace {
std::vector<QPoint> outlinePoints(const QRect &r)
{
    std::vector<QPoint> points;
    if (r.width() <= 0 || r.height() <= 0)
        return points;
    for (int x = r.left(); x <= r.right(); ++x)
        points.emplace_back(x, r.top());
    for (int y = r.top() + 1; y <= r.bottom(); ++y)
        points.emplace_back(r.right(), y);
    if (r.height() > 1)
        for (int x = r.right() - 1; x >= r.left(); --x)
            points.emplace_back(x, r.bottom());
    if (r.width() > 1)
        for (int y = r.bottom() - 1; y > r.top(); --y)
            points.emplace_back(r.left(), y);
    return points;
}
}

void drawOutline(QPainter &p, const QRect &rect, Rgb colour)
{
    plot(p, outlinePoints(rect), colour);
}

void drawFocusRect(QPainter &p, const QRect &rect)
{
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    plot(p, outlinePoints(rect), kxColour::White, true);
    p.restore();
}
}
