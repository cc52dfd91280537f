#pragma once
#include "kxEdges.h"

struct kxPaintState;
class QPainter;

// The bevel colours each of the eight styles gives a rectangular or diagonal button.
namespace kxStyleEdges {
struct Bevel
{
    kxEdges::SegmentColours colours = kxEdges::noSegments();
    bool dotted = false;
};

// `face` is the colour the painter filled the face with.
Bevel bevelFor(const kxPaintState &s, Rgb face);

// The state that picks a style-2 column: 0 normal, 1 default, 2 pressed or checked, 3 hot.
int style2State(const kxPaintState &s);

// The single pixels that round the corners of styles 2 and 7.
void drawCornerPixels(QPainter &p, const kxPaintState &s, const kxEdges::SegmentColours &c);
}
