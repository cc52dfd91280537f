#include "kxStyleEdges.h"
#include "kxPaintState.h"
#include <QPainter>

using namespace kxColour;
using kxEdges::SegmentColours;

namespace kxStyleEdges {

namespace {
constexpr int Inner = 0, Middle = 4, Outer = 8;
constexpr Rgb Light233 = 0xE9E9E9;
constexpr Rgb DarkGrey = 0x666666;

void setOutline(SegmentColours &c, int outline, qint64 topLeft, qint64 bottomRight)
{
    c[size_t(outline)] = c[size_t(outline + 1)] = topLeft;
    c[size_t(outline + 2)] = c[size_t(outline + 3)] = bottomRight;
}

void setRaised(SegmentColours &c, int outline, bool sunken, Rgb light, Rgb dark)
{
    setOutline(c, outline, sunken ? dark : light, sunken ? light : dark);
}

bool checkedLook(const kxPaintState &s) { return s.checked || s.held; }

SegmentColours style0(const kxPaintState &s)
{
    SegmentColours c = kxEdges::noSegments();
    const int state = checkedLook(s) ? 3 : s.fillState;
    if (state == 1)
        setOutline(c, Inner, Light233, Grey);
    switch (state) {
    case 0: setOutline(c, Middle, Light233, Grey); break;
    case 1: setOutline(c, Middle, White, Black); break;
    case 2: setOutline(c, Middle, kxEdges::None, Grey); break;
    default: setOutline(c, Middle, kxEdges::None, Light233); break;
    }
    if (checkedLook(s))
        setOutline(c, Outer, Black, White);
    else
        setOutline(c, Outer, s.isDefault ? Black : White, Black);
    return c;
}

SegmentColours style1(const kxPaintState &s)
{
    SegmentColours c = kxEdges::noSegments();
    const bool sunken = checkedLook(s) || s.fillState == 2;
    setRaised(c, Inner, sunken, White, Grey);
    setRaised(c, Middle, sunken, White, Grey);
    setOutline(c, Outer, Black, Black);
    return c;
}

SegmentColours style2(const kxPaintState &s)
{
    SegmentColours c = kxEdges::noSegments();
    if (!s.in.enabled) {
        setOutline(c, Outer, ShiftColour(s.colours.face, -84, true), ShiftColour(s.colours.face, -84, true));
        return c;
    }
    const Rgb f = !s.command && s.checked ? s.colours.light : s.colours.face;
    auto sb = [f](int delta) { return qint64(ShiftColour(f, delta, true)); };
    switch (style2State(s)) {
    case 0: c = {sb(-10), sb(10), sb(-24), sb(-32), sb(-5), sb(16), sb(-36), sb(-48)}; break;
    case 1: c = {0xF0D1B5, 0xF7D7BD, 0xF0D1B5, 0xE7AE8C, 0xE7AE8C, 0xFFDFBF, 0xE7AE8C, 0xEF826B}; break;
    case 2: c = {sb(-22), sb(-24), f, sb(10), sb(-32), sb(-32), sb(5), sb(16)}; break;
    default: c = {0x6BCBFF, 0x8CDBFF, 0x6BCBFF, 0x31B2FF, 0x31B2FF, 0xA6E9FF, 0x31B2FF, 0x0096E7}; break;
    }
    setOutline(c, Outer, 0x733C00, 0x733C00);
    return c;
}

SegmentColours style3(const kxPaintState &s, Rgb face)
{
    SegmentColours c = kxEdges::noSegments();
    if (!s.in.enabled && s.command) {
        setOutline(c, Inner, face, face);
        setOutline(c, Middle, face, face);
        setOutline(c, Outer, DarkGrey, DarkGrey);
        return c;
    }
    setOutline(c, Middle, s.fillState == 2 ? face : White, DarkGrey);
    setOutline(c, Outer, DarkGrey, White);
    return c;
}

SegmentColours style4(const kxPaintState &s)
{
    SegmentColours c = kxEdges::noSegments();
    setRaised(c, Outer, checkedLook(s) || s.fillState == 2, White, Grey);
    return c;
}

Bevel style5(const kxPaintState &s, Rgb face)
{
    Bevel b;
    if (s.hot || s.checked) {
        setRaised(b.colours, Outer, s.fillState == 2, White, Grey);
    } else if (s.in.designMode) {
        Rgb dots = ShiftColour(face, -64);
        if (dots == Black)
            dots = White;
        setOutline(b.colours, Outer, dots, dots);
        b.dotted = true;
    }
    return b;
}

SegmentColours style6(const kxPaintState &s)
{
    SegmentColours c = kxEdges::noSegments();
    const bool sunken = s.pressed || checkedLook(s);
    setRaised(c, Middle, sunken, 0xE7E7E7, Grey);
    setRaised(c, Outer, sunken, 0xE7E7E7, Grey);
    return c;
}

SegmentColours style7(const kxPaintState &s, Rgb face)
{
    SegmentColours c = kxEdges::noSegments();
    // A check box or option button held down but not checked keeps the normal face.
    if ((s.pressed && s.command) || s.checked) {
        const Rgb base = s.hasGradient ? s.colours.face : Grey;
        setOutline(c, Inner, ShiftColour(base, -32), base);
        setOutline(c, Middle, ShiftColour(base, -64), ShiftColour(base, -16));
    } else {
        setOutline(c, Inner, White, face);
        setOutline(c, Middle, ShiftColour(face, 31, true), ShiftColour(face, -64, true));
    }
    setOutline(c, Outer, Black, Black);
    return c;
}
}

int style2State(const kxPaintState &s)
{
    using namespace kxButton;
    int state = s.fillState;
    if (checkedLook(s))
        state = s.isDefault ? 1 : 2;
    if ((s.f.m_State & MouseOver) && !(s.f.m_State & MouseDown))
        state = 3;
    if (state == 1 && !s.f.m_ShowFocusRect)
        state = 0;
    return state;
}

Bevel bevelFor(const kxPaintState &s, Rgb face)
{
    Bevel b;
    switch (s.style) {
    case 0: b.colours = style0(s); break;
    case 1: b.colours = style1(s); break;
    case 2: b.colours = style2(s); break;
    case 3: b.colours = style3(s, face); break;
    case 4: b.colours = style4(s); break;
    case 5: b = style5(s, face); break;
    case 6: b.colours = style6(s); break;
    case 7: b.colours = style7(s, face); break;
    default: break;
    }
    return b;
}

void drawCornerPixels(QPainter &p, const kxPaintState &s, const SegmentColours &c)
{
    if (s.style != 2 && s.style != 7)
        return;
    const int w = s.w, h = s.h;
    auto set = [&p](int x, int y, qint64 colour) {
        if (colour >= 0)
            p.fillRect(x, y, 1, 1, toQColor(Rgb(colour)));
    };
    const qint64 corner = s.style == 2 ? c[Outer] : qint64(Black);
    if (s.regions.contentLeft == 0) {
        set(1, 1, corner);
        set(1, h - 2, corner);
        if (s.style == 7) {
            set(2, 2, c[Middle]);
            set(3, 3, c[Inner]);
            set(1, h - 3, c[Inner + 2]);
        }
    }
    if (s.regions.contentRight == w) {
        set(w - 2, 1, corner);
        set(w - 2, h - 2, corner);
        if (s.style == 7) {
            set(w - 3, 1, c[Inner + 2]);
            set(w - 4, h - 4, c[Inner + 2]);
            set(w - 3, h - 3, c[Middle + 2]);
        }
    }
}
}
