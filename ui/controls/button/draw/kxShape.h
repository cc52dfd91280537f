#pragma once
#include <QImage>
#include <QRegion>
#include <QSize>

struct kxButtonFields;

// The window shape of a button and the face parts it leaves free.
struct kxShapeRegions
{
    QRegion window;        // the pixels that belong to the button
    QRegion inner1;        // the shape shrunk by 1 pixel (round and picture shapes only)
    QRegion inner2;        // the shape shrunk by 2 pixels (round and picture shapes only)
    int contentLeft = 0;   // the part of the face free of diagonal cuts
    int contentRight = 0;
};

namespace kxShape {
// The horizontal run of the 45-degree cut of a diagonal button of height H.
inline int diagonal(int height) { return height + 1; }

// The width a diagonal button must have: widened in steps of 5 until the face beside the cut
// is at least 5 pixels wide.
int widenedWidth(int width, int height);

// The size the control must take for its shape: widened for shapes 1 to 3, the picture fitted
// into the current size for shapes 7 and 8; otherwise the size itself.
QSize requiredSize(const kxButtonFields &f, QSize size);

// The picture of shapes 7 and 8 at the button's size, its near-key pixels set to the key.
QImage shapePicture(const kxButtonFields &f, QSize size);

// The regions of the button's shape at `size`; `shapePicture` is used by shapes 7 and 8.
kxShapeRegions BuildRegion(const kxButtonFields &f, QSize size, bool enabled, const QImage &shapePicture);
}
