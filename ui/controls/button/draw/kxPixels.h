#pragma once
#include "kxColour.h"
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <vector>

class QPainter;

// Pixel-exact drawing primitives: thin lines without their end point, region frames and the
// inverting dotted focus rectangle.
namespace kxPixels {
// The pixels of the line from a to b, b itself excluded.
std::vector<QPoint> linePoints(QPoint a, QPoint b);

// Every pixel of `points` in the colour; only every other one when dotted.
void plot(QPainter &p, const std::vector<QPoint> &points, Rgb colour, bool dotted = false);
void drawLine(QPainter &p, QPoint a, QPoint b, Rgb colour, bool dotted = false);
// The open line through the points, the last point excluded.
void drawPolyline(QPainter &p, const std::vector<QPoint> &points, Rgb colour);

// The 1-pixel border inside a region: its pixels that have a neighbour outside it.
QRegion innerFrame(const QRegion &region);
void frameRegion(QPainter &p, const QRegion &region, Rgb colour);

// The outline of rect's pixels, solid.
void drawOutline(QPainter &p, const QRect &rect, Rgb colour);
// The outline of rect's pixels, every other pixel inverted.
void drawFocusRect(QPainter &p, const QRect &rect);
}
