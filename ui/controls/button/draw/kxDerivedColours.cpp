#include "kxDerivedColours.h"
#include "kxButtonFields.h"

using namespace kxColour;

kxDerivedColours RecomputeColours(const kxButtonFields &f, const QPalette &palette)
{
    kxDerivedColours c;
    c.face = TranslateColour(f.m_BackColor, palette);
    c.shade = c.face;
    c.hover = TranslateColour(f.m_HoverBackColor, palette);
    switch (f.m_ButtonStyle) {
    case 2:
        c.face = ShiftColour(c.face, 48, true);
        c.shade = ShiftColour(c.face, -32, true);
        c.hover = ShiftColour(c.hover, 48, true);
        c.light = ShiftColour(White, -32, true);
        break;
    case 3:
        c.shade = ShiftColour(Grey, 12);
        c.light = ShiftColour(c.shade, 31);
        break;
    case 7:
        c.face = ShiftColour(c.face, 31);
        c.shade = ShiftColour(Grey, -16);
        c.hover = ShiftColour(c.hover, 31);
        c.light = ShiftColour(Grey, 16, true);
        break;
    default:
        c.light = ShiftColour(White, -32);
        break;
    }
    return c;
}
