#include "kxColour.h"
#include <QPalette>
#include <algorithm>

namespace kxColour {

QColor toQColor(Rgb c) { return QColor(red(c), green(c), blue(c)); }

Rgb fromQColor(const QColor &c) { return rgb(c.red(), c.green(), c.blue()); }

namespace {
struct SystemRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette role that plays the part of each system colour index.
bool systemRole(int index, SystemRole &out)
{
    using P = QPalette;
    static const SystemRole roles[] = {
        {P::Active, P::Window},          // 0 scroll bar
        {P::Active, P::Dark},            // 1 desktop
        {P::Active, P::Highlight},       // 2 active caption
        {P::Inactive, P::Highlight},     // 3 inactive caption
        {P::Active, P::Window},          // 4 menu
        {P::Active, P::Base},            // 5 window
        {P::Active, P::Shadow},          // 6 window frame
        {P::Active, P::WindowText},      // 7 menu text
        {P::Active, P::Text},            // 8 window text
        {P::Active, P::HighlightedText}, // 9 caption text
        {P::Active, P::Window},          // 10 active border
        {P::Active, P::Window},          // 11 inactive border
        {P::Active, P::Mid},             // 12 application workspace
        {P::Active, P::Highlight},       // 13 highlight
        {P::Active, P::HighlightedText}, // 14 highlighted text
        {P::Active, P::Button},          // 15 button face
        {P::Active, P::Dark},            // 16 button shadow
        {P::Disabled, P::Text},          // 17 grey text
        {P::Active, P::ButtonText},      // 18 button text
        {P::Inactive, P::HighlightedText}, // 19 inactive caption text
        {P::Active, P::Light},           // 20 button highlight
        {P::Active, P::Shadow},          // 21 dark 3-D shadow
        {P::Active, P::Midlight},        // 22 3-D light
        {P::Active, P::ToolTipText},     // 23 tool tip text
        {P::Active, P::ToolTipBase},     // 24 tool tip back
        {P::Active, P::Window},          // 25 unused index: the window colour
        {P::Active, P::Link},            // 26 hot-tracked item
        {P::Active, P::Highlight},       // 27 active caption gradient
        {P::Inactive, P::Highlight},     // 28 inactive caption gradient
        {P::Active, P::Highlight},       // 29 menu highlight
        {P::Active, P::Window},          // 30 menu bar
    };
    if (index < 0 || index >= int(std::size(roles)))
        return false;
    out = roles[index];
    return true;
}

int clampChannel(int v) { return std::clamp(v, 0, 255); }
}

Rgb TranslateColour(OleColor c, const QPalette &palette)
{
    if (!(c & 0x80000000u))
        return c;
    SystemRole r;
    if (!systemRole(int(c & 0xFF), r))
        return 0;
    return fromQColor(palette.color(r.group, r.role));
}

Rgb ShiftColour(Rgb c, int delta, bool scaleBlue, bool avoidExtremes, bool invert)
{
    const int b = blue(c);
    int channels[3] = {red(c) + delta, green(c) + delta, scaleBlue ? b + (b * delta) / 192 : b + delta};
    for (int &v : channels) {
        v = clampChannel(v);
        if (invert)
            v = 255 - v;
    }
    const Rgb result = rgb(channels[0], channels[1], channels[2]);
    if (avoidExtremes && (result == Black || result == White))
        return ShiftColour(c, delta == 0 ? 64 : -delta, scaleBlue, false, invert);
    return result;
}
}
