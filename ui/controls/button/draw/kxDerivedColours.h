#pragma once
#include "kxColour.h"

struct kxButtonFields;

// The colours a style derives from the button's face and hover colours.
struct kxDerivedColours
{
    Rgb face = 0;  // the face of an unchecked button
    Rgb shade = 0; // the face of a pressed button in styles 2 and 3
    Rgb hover = 0; // the face while the pointer is over the button
    Rgb light = 0; // the face of a checked check box or option button
};

kxDerivedColours RecomputeColours(const kxButtonFields &f, const QPalette &palette);
