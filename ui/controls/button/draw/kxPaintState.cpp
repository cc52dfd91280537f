#include "kxPaintState.h"

kxPaintState::kxPaintState(const kxDrawInput &input) : in(input), f(input.fields)
{
    using namespace kxButton;
    style = f.m_ButtonStyle;
    shape = f.m_ButtonShape;
    w = in.size.width();
    h = in.size.height();
    command = f.m_Mode == ModeCommand;
    checked = f.m_Value;
    held = !command && (f.m_State & MouseDown);
    pressed = (f.m_State & MouseDown) && (f.m_State & MouseOver);
    hovering = f.m_Hovering;
    hot = hovering || pressed;
    isDefault = f.m_State & IsDefault;
    hasGradient = f.m_GradientMode != 0;
    fillState = pressed ? 2 : isDefault ? 1 : 0;
    colours = RecomputeColours(f, in.palette);
    backColour = kxColour::TranslateColour(f.m_BackColor, in.palette);
    shapePicture = kxShape::shapePicture(f, in.size);
    regions = kxShape::BuildRegion(f, in.size, in.enabled, shapePicture);
    layout = kxCaption::LayoutCaptionAndPicture(f, in.size, regions.contentLeft, regions.contentRight,
                                                kxCaption::fontMeasure(in.font, f.m_CaptionAlign));
}

namespace kxPaint {

QPoint pressedOffset(const kxPaintState &s)
{
    if (!(s.checked || s.pressed) || s.style == 3)
        return {0, 0};
    return s.shape <= 3 ? QPoint(1, 1) : QPoint(0, 1);
}

Rgb contrastOn(Rgb face)
{
    using namespace kxColour;
    const int luminance = (299 * red(face) + 587 * green(face) + 114 * blue(face)) / 1000;
    return luminance >= 128 ? Black : White;
}
}
