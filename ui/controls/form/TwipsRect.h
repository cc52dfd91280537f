#pragma once

// A control's or a window's place in twips, in its container's coordinates (a window's in the
// screen's).
struct TwipsRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};
