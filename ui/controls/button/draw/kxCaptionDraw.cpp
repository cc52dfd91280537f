#include "kxCaptionDraw.h"
#include "kxPaintState.h"
#include "kxPictureDraw.h"
#include <QPainter>

using namespace kxColour;

namespace kxCaption {

namespace {
QImage pictureFor(const kxPaintState &s, QRect target)
{
    if (s.shape >= 7 && !s.shapePicture.isNull() && target.size() == s.shapePicture.size())
        return kxPictureDraw::withKeyTransparent(s.shapePicture);
    if (s.f.m_PictureKind == kxButton::PictureIcon)
        return s.f.m_Picture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return kxPictureDraw::withKeyTransparent(kxPictureDraw::PreparePicture(s.f.m_Picture, target.size()));
}

QRect pictureTarget(const kxPaintState &s)
{
    if (s.shape >= 7)
        return s.pressed ? QRect(1, 1, s.w - 2, s.h - 2) : QRect(0, 0, s.w, s.h);
    const QRect slot = s.layout.picture.translated(kxPaint::pressedOffset(s));
    const int imageSize = s.f.m_ImageSize == 0 ? 16 : s.f.m_ImageSize;
    return imageSize <= 32 ? kxPictureDraw::fitInSlot(slot, s.f.m_Picture.size()) : slot;
}

void drawPicture(QPainter &p, const kxPaintState &s)
{
    if (s.f.m_Picture.isNull() || (s.shape >= 7 && s.checked))
        return;
    const QRect target = pictureTarget(s);
    if (target.isEmpty())
        return;
    const QImage picture = pictureFor(s, target);
    if (s.in.enabled) {
        p.drawImage(target.topLeft(), picture);
        return;
    }
    QImage onWhite(target.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter(&onWhite).drawImage(0, 0, picture);
    const auto *surface = static_cast<const QImage *>(p.device());
    p.drawImage(target.topLeft(), kxPictureDraw::blendDisabled(surface->copy(target), onWhite));
}

void paintCaption(QPainter &p, const kxPaintState &s, QPoint shift, Rgb colour)
{
    p.setPen(toQColor(colour));
    p.drawText(s.layout.caption.translated(kxPaint::pressedOffset(s) + shift), textFlags(s.f.m_CaptionAlign),
               drawText(s.f.m_Caption));
}
}

Rgb enabledTextColour(const kxPaintState &s, Rgb face)
{
    if (s.hot && !s.pressed)
        return TranslateColour(s.f.m_HoverForeColor, s.in.palette);
    if (s.style == 7 && (s.checked || !s.hasGradient))
        return kxPaint::contrastOn(face);
    return TranslateColour(s.in.foreColor, s.in.palette);
}

void DrawCaptionAndPicture(QPainter &p, const kxPaintState &s, Rgb face, qint64 disabledText)
{
    drawPicture(p, s);
    if (s.f.m_Caption.isEmpty() || (s.shape >= 5 && !s.checked))
        return;
    p.save();
    p.setFont(s.in.font);
    if (!s.in.enabled) {
        if (disabledText < 0 || s.hasGradient) {
            paintCaption(p, s, {1, 1}, White);
            paintCaption(p, s, {0, 0}, Grey);
        } else {
            paintCaption(p, s, {0, 0}, Rgb(disabledText));
        }
    } else if (s.f.m_CaptionStyle == kxButton::CaptionEmbossed || s.f.m_CaptionStyle == kxButton::CaptionEngraved) {
        const int delta = s.f.m_CaptionStyle == kxButton::CaptionEmbossed ? -40 : 40;
        paintCaption(p, s, {-1, 0}, ShiftColour(face, delta));
        paintCaption(p, s, {1, 2}, ShiftColour(face, -delta));
        paintCaption(p, s, {0, 1}, enabledTextColour(s, face));
    } else {
        paintCaption(p, s, {0, 0}, enabledTextColour(s, face));
    }
    p.restore();
}
}
