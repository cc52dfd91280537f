#pragma once
#include <QColor>

// The colour behind the word being heard on the page: of a few clear colours, the one farthest
// from both the page's text colour (so the word stays readable on it) and its background (so
// the mark shows), whatever colours the reader chose.
QColor MarkColour(const QColor &text, const QColor &background);

// How far apart two colours look: 0 for the same colour, about 765 for black and white
// (red-weighted Euclidean distance of the RGB values).
double ColourDistance(const QColor &a, const QColor &b);
