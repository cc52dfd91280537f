#pragma once
#include "kxButtonFields.h"
#include <QColor>

class QPalette;

// An RGB colour in the host layout 0x00BBGGRR (red in the low byte).
using Rgb = quint32;

namespace kxColour {
constexpr Rgb White = 0xFFFFFF;
constexpr Rgb Black = 0x000000;
constexpr Rgb Grey = 0x808080;

constexpr int red(Rgb c) { return int(c & 0xFF); }
constexpr int green(Rgb c) { return int((c >> 8) & 0xFF); }
constexpr int blue(Rgb c) { return int((c >> 16) & 0xFF); }
constexpr Rgb rgb(int r, int g, int b) { return Rgb(r) | Rgb(g) << 8 | Rgb(b) << 16; }

QColor toQColor(Rgb c);
Rgb fromQColor(const QColor &c);

// A host colour as RGB: a system colour (top bit set) through the palette's matching role,
// 0 when the index names no system colour; any other value as it is.
Rgb TranslateColour(OleColor c, const QPalette &palette);

// Moves each channel by delta (blue by blue * delta / 192 with scaleBlue), clamped to 0..255,
// optionally inverted. With avoidExtremes a black or white result is computed again with the
// opposite delta (64 when delta is 0).
Rgb ShiftColour(Rgb c, int delta, bool scaleBlue = false, bool avoidExtremes = false, bool invert = false);
}
