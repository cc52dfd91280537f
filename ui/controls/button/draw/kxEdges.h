#pragma once
#include "kxColour.h"
#include <QPoint>
#include <QSize>
#include <array>

class QPainter;

// The bevels of rectangular and diagonal buttons: three nested outlines (inner, middle, outer)
// of four segments each (left, top, right, bottom).
namespace kxEdges {
// Segment colours 1..12 at indexes 0..11; a colour below 0 leaves its segment out.
using SegmentColours = std::array<qint64, 12>;
constexpr qint64 None = -1;
SegmentColours noSegments();

// The 16 corner points of the three outlines of a W x H button of shape 0 to 3 whose face is
// free of cuts between contentLeft and contentRight: P0..P4 the inner outline, P5..P9 the
// middle one, P10..P14 the outer one, and P15 where the outer bottom side starts.
using EdgePoints = std::array<QPoint, 16>;
EdgePoints edgePoints(QSize size, int shape, int contentLeft, int contentRight);

// Draws each segment as a line without its end point, every other pixel when dotted.
void drawEdges(QPainter &p, const EdgePoints &points, const SegmentColours &colours, bool dotted);
}
