#pragma once
#include "TextLayoutMeasure.h"

class TextBox;

// What a text-layout measure needs to answer for `box` as it is now: its font, the size of its
// viewport (the box has no scroll bars), and its document's margin and text option.
TextLayoutMeasure::Box MeasureBoxOf(const TextBox &box);
