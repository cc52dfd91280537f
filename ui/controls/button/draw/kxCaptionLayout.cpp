#include "kxCaptionLayout.h"
#include "Gbk.h"
#include "kxButtonFields.h"
#include "kxPictureDraw.h"
#include <QFontMetrics>
#include <algorithm>

namespace kxCaption {

namespace {
QRect fromEdges(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

// Keeps a rectangle's edges inside the face margins without moving the other edges.
QRect keepInsideFace(QRect r, const kxContentArea &area, int height)
{
    return fromEdges(std::max(r.left(), area.left + 4), std::max(r.top(), 4),
                     std::min(r.left() + r.width(), area.right - 4), std::min(r.top() + r.height(), height - 5));
}

struct PictureSlot
{
    int left = 0, right = 0, top = 0, bottom = 0;
    int size = 0; // the edge of a slot picture, 0 when the picture has no slot
};

PictureSlot pictureSlot(const kxButtonFields &f, int imageSize)
{
    PictureSlot slot;
    if (f.m_Picture.isNull() || imageSize > 32)
        return slot;
    slot.size = imageSize;
    switch (f.m_PictureAlign) {
    case 0: case 1: slot.left = imageSize; break;
    case 2: case 3: slot.right = imageSize; break;
    case 4: slot.top = imageSize; break;
    case 5: slot.bottom = imageSize; break;
    default: break;
    }
    return slot;
}

int captionX(const kxButtonFields &f, const kxContentArea &a, const PictureSlot &s, int tw)
{
    switch (f.m_CaptionAlign) {
    case 0:
        return a.left + 4 + s.left + (s.left ? 4 : 0);
    case 1:
        return a.right - s.right - tw - 4 - (s.right ? 4 : 0);
    default:
        if (f.m_PictureAlign == 1 && s.left)
            return (a.width - (s.left + tw + 4)) / 2 + a.left + s.left + 4;
        if (f.m_PictureAlign == 3 && s.right)
            return (a.width - (tw + 4 + s.right)) / 2 + a.left;
        return (a.width - s.left - s.right - tw) / 2 + a.left + s.left;
    }
}

QRect pictureRect(const kxButtonFields &f, QSize size, const kxContentArea &a, QPoint slotAt, int imageSize)
{
    const int w = size.width(), h = size.height();
    if (imageSize <= 32)
        return keepInsideFace(QRect(slotAt, QSize(imageSize, imageSize)), a, h);
    if (imageSize == 40)
        return f.m_ButtonShape == 6 ? fromEdges(1, 1, w - 1, h - 1) : fromEdges(3, 3, w - 3, h - 3);
    if (f.m_ButtonShape >= 7)
        return QRect(0, 0, w, h);
    const QSize fitted = kxPictureDraw::fitKeepingAspect(f.m_Picture.size(), QSize(a.width - 12, h - 12));
    return QRect((a.width - fitted.width()) / 2 + a.left, (h - fitted.height()) / 2, fitted.width(), fitted.height());
}
}

QString drawText(const QString &caption)
{
    QString text = caption;
    text.replace(QLatin1String("||"), QLatin1String("\n"));
    return Gbk::toUnicode(Gbk::fromUnicode(text));
}

int textFlags(int captionAlign)
{
    const int across = captionAlign == 0 ? Qt::AlignLeft : captionAlign == 1 ? Qt::AlignRight : Qt::AlignHCenter;
    return across | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
}

TextMeasure fontMeasure(const QFont &font, int captionAlign)
{
    return [font, captionAlign](const QString &text, int maxWidth) {
        const QFontMetrics metrics(font);
        return metrics.boundingRect(QRect(0, 0, std::max(maxWidth, 1), 0), textFlags(captionAlign), text).size();
    };
}

kxContentArea contentArea(int shape, int width, int contentLeft, int contentRight)
{
    kxContentArea a{0, width, contentRight};
    if (shape == 1 || shape == 3)
        a.left = contentLeft - contentLeft / 3 + 3;
    if (shape == 2 || shape == 3)
        a.right = contentRight + (width - contentRight) / 3;
    if (shape >= 1 && shape <= 3)
        a.width = a.right - a.left;
    if (shape >= 7) {
        a.left = 3;
        a.right = a.width = contentRight - 3;
    }
    return a;
}

int OneLineWidth(const kxButtonFields &f, const TextMeasure &measure)
{
    if (f.m_Caption.isEmpty())
        return 0;
    const PictureSlot s = pictureSlot(f, f.m_ImageSize == 0 ? 16 : f.m_ImageSize);
    const int grow = f.m_CaptionStyle != 0 ? 2 : 0;
    constexpr int kNoWrap = 1 << 20; // wider than any caption
    return measure(drawText(f.m_Caption), kNoWrap).width() + grow + s.left + s.right + 8;
}

kxCaptionLayout LayoutCaptionAndPicture(const kxButtonFields &f, QSize size, int contentLeft, int contentRight,
                                        const TextMeasure &measure)
{
    const int h = size.height();
    const int imageSize = f.m_ImageSize == 0 ? 16 : f.m_ImageSize;
    kxCaptionLayout out;
    const kxContentArea a = contentArea(f.m_ButtonShape, size.width(), contentLeft, contentRight);
    out.area = a;
    const PictureSlot s = pictureSlot(f, imageSize);

    int tw = 0, th = 0;
    if (!f.m_Caption.isEmpty()) {
        const QSize text = measure(drawText(f.m_Caption), a.width - s.left - s.right - 8);
        const int grow = f.m_CaptionStyle != 0 ? 2 : 0;
        tw = text.width() + grow;
        th = text.height() + grow;
    }
    const int cx = captionX(f, a, s, tw);
    int cy = (h - th) / 2;
    QPoint slotAt;
    if (!f.m_Picture.isNull()) {
        const bool noCaption = f.m_Caption.isEmpty();
        slotAt.setY((h - s.size) / 2);
        switch (f.m_PictureAlign) {
        case 0: slotAt.setX(a.left + 4); break;
        case 1: slotAt.setX(noCaption ? a.left + 4 : cx - s.size - 4); break;
        case 2: slotAt.setX(a.right - s.size - 4); break;
        case 3: slotAt.setX(noCaption ? a.right - s.size - 4 : cx + tw + 4); break;
        case 4:
            slotAt = QPoint((a.width - s.size) / 2 + a.left, (h - (th + s.size)) / 2);
            cy = slotAt.y() + s.size + 2;
            break;
        default:
            slotAt = QPoint((a.width - s.size) / 2 + a.left, (h - (th + s.size)) / 2 + th + 4);
            cy = slotAt.y() - th - 2;
            break;
        }
        out.picture = pictureRect(f, size, a, slotAt, imageSize);
    }
    out.caption = keepInsideFace(QRect(cx, cy, tw, th), a, h);
    return out;
}
}
