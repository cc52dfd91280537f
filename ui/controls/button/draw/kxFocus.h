#pragma once
#include "kxColour.h"
#include <QRect>
#include <vector>

struct kxPaintState;
class QPainter;

// The focus and default indication of a button.
namespace kxFocus {
Rgb focusColour(const kxPaintState &s, Rgb face);

// The outline of a diagonal button 4 pixels inside its cut sides.
std::vector<QPoint> diagonalOutline(const kxPaintState &s);

// The rectangle around the caption (or the picture when there is no caption).
QRect aroundCaption(const kxPaintState &s);

// The rectangle inside the face.
QRect insideFace(const kxPaintState &s);

// Draws the indication when the button is the default one (never in style 2 or on picture shapes).
void drawFocus(QPainter &p, const kxPaintState &s, Rgb face);
}
