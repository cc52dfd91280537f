#pragma once
#include "kxColour.h"
#include "kxDrawInput.h"
#include <QImage>
#include <QRegion>

struct kxPaintState;
class QPainter;

// Paints a whole button the way its style, shape and state ask for.
namespace kxFace {
// The button's picture: face, picture, caption, edges, focus indication and shaped outline.
QImage RenderButton(const kxDrawInput &in);

// The window shape of the button (the pixels that belong to it and receive the mouse).
QRegion ButtonRegion(const kxDrawInput &in);

// The colour the face is filled with before hover and gradients are considered.
Rgb faceColour(const kxPaintState &s);

// Sets the clip and paints the rims of round and picture shapes; returns the paint level
// (1 face painted, 3 or 4 a shaped outline may follow).
int PrepareFace(QPainter &p, const kxPaintState &s);

// Fills the face: solid, the style-2 shading, a gradient or the hover colour.
void FillFace(QPainter &p, const kxPaintState &s, Rgb face, Rgb gradientEnd, Rgb hover);
}
