#pragma once
#include "kxColour.h"

struct kxPaintState;
class QPainter;

namespace kxCaption {
// The caption colour of an enabled button.
Rgb enabledTextColour(const kxPaintState &s, Rgb face);

// Draws the picture, then the caption. `disabledText` below 0 asks for the engraved disabled
// caption; otherwise a disabled caption is drawn once in that colour.
void DrawCaptionAndPicture(QPainter &p, const kxPaintState &s, Rgb face, qint64 disabledText);
}
