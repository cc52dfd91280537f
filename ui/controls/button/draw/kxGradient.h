#pragma once
#include "kxColour.h"
#include <QSize>
#include <vector>

class QPainter;

namespace kxGradient {
// How a gradient along an extent of E pixels is cut: 2-pixel bands when the screen's extent
// along the same direction is less than four times E, else 1-pixel bands.
struct Bands
{
    int thickness = 1;
    int count = 0;
};
Bands bandsFor(int extent, int screenExtent);

// N colours running from `from` to `to`, both included.
std::vector<Rgb> colourTable(Rgb from, Rgb to, int count);

// GradientMode 1 and 2 run across (1 from the left, 2 from the right), 3 and 4 down (3 from
// the top, 4 from the bottom). Covers the whole size; `screen` is the screen's extent.
void DrawGradient(QPainter &p, QSize size, int mode, Rgb from, Rgb to, QSize screen);
}
