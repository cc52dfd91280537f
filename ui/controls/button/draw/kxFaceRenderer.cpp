#include "kxFaceRenderer.h"
#include "kxCaptionDraw.h"
#include "kxFocus.h"
#include "kxGradient.h"
#include "kxPaintState.h"
#include "kxPixels.h"
#include "kxStyleEdges.h"
#include <QPainter>
#include <cmath>

using namespace kxColour;

namespace kxFace {

namespace {
void clipTo(QPainter &p, const QRegion &region)
{
    if (region.isEmpty())
        p.setClipping(false);
    else
        p.setClipRegion(region);
}

void verticalGradient(QPainter &p, const kxPaintState &s, Rgb top, Rgb bottom)
{
    kxGradient::DrawGradient(p, s.in.size, 3, top, bottom, s.in.screen);
}

// What the shape leaves on the surface around the face of round and picture buttons.
void paintShapeRim(QPainter &p, const kxPaintState &s)
{
    if ((s.shape == 4 || s.shape == 5) && s.style != 5)
        verticalGradient(p, s, White, Grey);
    else if (s.shape == 6 && s.style != 5)
        kxPixels::frameRegion(p, s.regions.window, Black);
    else if (s.shape == 7 && !s.shapePicture.isNull())
        kxPixels::frameRegion(p, s.regions.window, s.backColour);
    else if (s.shape == 8 && !s.shapePicture.isNull())
        verticalGradient(p, s, White, Grey);
}

Rgb gradientEnd(const kxPaintState &s)
{
    const Rgb end = TranslateColour(s.f.m_GradientColor, s.in.palette);
    return s.style == 2 ? ShiftColour(end, 48, true) : end;
}

qint64 disabledTextColour(const kxPaintState &s, Rgb face)
{
    if (s.style == 2 && !s.in.enabled)
        return ShiftColour(face, -104, true);
    if (s.in.enabled || s.command)
        return -1;
    return Grey;
}

// The paint level a painter hands back, with the colour of the last outer segment adjusted
// for the outline that shaped buttons get.
int finishLevel(const kxPaintState &s, int prepared, kxEdges::SegmentColours &c)
{
    if (s.style == 2 && s.shape >= 4) {
        if (s.isDefault && !s.hot) {
            c[11] = 0xEF826B;
            return prepared;
        }
        if (s.hot) {
            c[11] = 0x0096E7;
            return prepared;
        }
        return 1;
    }
    if ((s.shape == 6 && s.hot) || s.shape >= 7) {
        c[11] = Black;
        return prepared;
    }
    return 1;
}

// The outline drawn once more around a shaped button after its face.
void frameShape(QPainter &p, const kxPaintState &s, Rgb colour)
{
    QRegion region = s.regions.window;
    if (s.shape >= 7) {
        if (s.hot && !s.pressed) {
            if (s.style != 2) {
                if (s.colours.hover == s.backColour)
                    return;
                colour = s.colours.hover;
            }
        } else {
            if (s.isDefault)
                region = s.shape == 8 ? s.regions.inner2 : s.regions.inner1;
            if (s.checked && s.style != 2)
                colour = ShiftColour(s.colours.shade, -32);
        }
    } else if (s.shape == 6 && s.style == 2 && !s.pressed) {
        region = s.regions.inner1;
    }
    kxPixels::frameRegion(p, region, colour);
}
}

Rgb faceColour(const kxPaintState &s)
{
    if (s.style == 2 && !s.in.enabled)
        return ShiftColour(s.colours.face, -24, true);
    if (s.command && s.pressed && (s.style == 3 || (s.style == 2 && !s.hasGradient)))
        return s.colours.shade;
    return !s.command && s.checked ? s.colours.light : s.colours.face;
}

int PrepareFace(QPainter &p, const kxPaintState &s)
{
    p.setClipping(false);
    if (s.style == 5 && !s.hot && !s.pressed && !s.checked) {
        if (s.in.designMode && s.shape >= 4 && s.shape <= 6) {
            p.save();
            p.setPen(QPen(toQColor(ShiftColour(faceColour(s), -32)), 1, Qt::DotLine));
            p.drawEllipse(0, 0, s.w - 1, s.h - 1);
            p.restore();
            clipTo(p, s.regions.inner1);
        }
        return 1;
    }
    if (s.style == 5 && (s.checked || (s.shape != 6 && s.shape != 7))) {
        verticalGradient(p, s, White, Grey);
        clipTo(p, s.regions.inner2);
        return 4;
    }
    if ((!s.pressed && !s.checked) || s.shape == 6 || s.shape == 7) {
        if (s.shape != 6 && s.shape != 7) {
            clipTo(p, s.regions.inner1);
            return 3;
        }
        if (s.shape == 7 || s.hovering) {
            kxPixels::frameRegion(p, s.regions.window, s.shape == 6 ? Black : s.backColour);
            clipTo(p, s.regions.inner1);
            return 3;
        }
        return 1;
    }
    clipTo(p, s.regions.inner1);
    verticalGradient(p, s, Grey, White);
    clipTo(p, s.regions.inner2);
    return 4;
}

void FillFace(QPainter &p, const kxPaintState &s, Rgb face, Rgb gradientEnd, Rgb hover)
{
    const bool showHover = s.hot && !s.pressed && !s.checked;
    const Rgb colour = showHover ? hover : face;
    if (s.checked || s.shape >= 7 || !s.hasGradient) {
        if (s.style == 2 && (s.in.enabled || !s.command)) {
            for (int y = 0; y <= s.h; ++y) {
                const int d = int(std::lround(-(25.0 / s.h) * y));
                p.fillRect(0, y, s.w, 1, toQColor(ShiftColour(colour, d, true)));
            }
        } else {
            p.fillRect(0, 0, s.w, s.h, toQColor(colour));
        }
        return;
    }
    if (!s.hot || s.pressed || s.f.m_GradientColor == s.f.m_HoverBackColor)
        kxGradient::DrawGradient(p, s.in.size, s.f.m_GradientMode, face, gradientEnd, s.in.screen);
    else
        p.fillRect(0, 0, s.w, s.h, toQColor(hover));
}

QRegion ButtonRegion(const kxDrawInput &in)
{
    return kxShape::BuildRegion(in.fields, in.size, in.enabled, kxShape::shapePicture(in.fields, in.size)).window;
}

QImage RenderButton(const kxDrawInput &in)
{
    if (in.size.isEmpty())
        return {};
    const kxPaintState s(in);
    QImage image(in.size, QImage::Format_RGB32);
    image.fill(toQColor(s.backColour));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);

    paintShapeRim(p, s);
    const Rgb face = faceColour(s);
    const int prepared = PrepareFace(p, s);
    FillFace(p, s, face, gradientEnd(s), s.colours.hover);
    kxCaption::DrawCaptionAndPicture(p, s, face, disabledTextColour(s, face));

    kxEdges::SegmentColours segments = kxEdges::noSegments();
    if (s.shape <= 3) {
        const kxStyleEdges::Bevel bevel = kxStyleEdges::bevelFor(s, face);
        segments = bevel.colours;
        const auto points = kxEdges::edgePoints(in.size, s.shape, s.regions.contentLeft, s.regions.contentRight);
        kxEdges::drawEdges(p, points, segments, bevel.dotted);
        kxStyleEdges::drawCornerPixels(p, s, segments);
    }
    const int level = finishLevel(s, prepared, segments);
    kxFocus::drawFocus(p, s, face);
    p.setClipping(false);
    if (level >= 2)
        frameShape(p, s, Rgb(std::max<qint64>(segments[11], 0)));
    return image;
}
}
