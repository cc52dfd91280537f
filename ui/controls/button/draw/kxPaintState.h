#pragma once
#include "kxCaptionLayout.h"
#include "kxDerivedColours.h"
#include "kxDrawInput.h"
#include "kxShape.h"

// What one paint of a button works from: its input and the states and colours derived from it.
struct kxPaintState
{
    const kxDrawInput &in;
    const kxButtonFields &f;
    int style = 0;
    int shape = 0;
    int w = 0;
    int h = 0;
    bool command = true;       // command mode
    bool checked = false;      // Value is True
    bool held = false;         // left button or Space held on a check box or option button
    bool pressed = false;      // MouseDown and MouseOver
    bool hovering = false;     // the hover timer runs
    bool hot = false;          // hovering or pressed
    bool isDefault = false;    // drawn as the default button
    bool hasGradient = false;  // GradientMode is not 0
    int fillState = 0;         // 2 pressed, 1 default, 0 otherwise
    kxDerivedColours colours;
    Rgb backColour = 0;        // BackColor translated
    kxShapeRegions regions;
    kxCaptionLayout layout;
    QImage shapePicture;       // shapes 7 and 8: the picture at the button's size

    explicit kxPaintState(const kxDrawInput &input);
};

namespace kxPaint {
// The pressed offset of caption and picture: (1, 1) on rectangular and diagonal buttons, (0, 1)
// on round and picture buttons, none in style 3 or while neither pressed nor checked.
QPoint pressedOffset(const kxPaintState &s);
// The colour style 7 gives its caption and focus outline: black on a light face, else white.
Rgb contrastOn(Rgb face);
}
