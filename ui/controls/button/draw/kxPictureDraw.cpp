#include "kxPictureDraw.h"
#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace kxPictureDraw {

bool nearKey(QRgb pixel, QRgb key)
{
    return std::abs(qRed(pixel) - qRed(key)) <= 3 && std::abs(qGreen(pixel) - qGreen(key)) <= 3
        && std::abs(qBlue(pixel) - qBlue(key)) <= 3;
}

QImage PreparePicture(const QImage &picture, QSize size)
{
    if (picture.isNull() || size.isEmpty())
        return {};
    QImage copy = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                      .convertToFormat(QImage::Format_RGB32);
    const QRgb key = copy.pixel(0, 0);
    for (int y = 0; y < copy.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            if (nearKey(line[x], key))
                line[x] = key;
    }
    return copy;
}

QImage withKeyTransparent(const QImage &prepared)
{
    if (prepared.isNull())
        return {};
    QImage out = prepared.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = prepared.pixel(0, 0);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (line[x] == key)
                line[x] = 0;
    }
    return out;
}

QSize fitKeepingAspect(QSize picture, QSize box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {0, 0};
    const double scale = std::min(double(box.width()) / picture.width(), double(box.height()) / picture.height());
    return {int(std::lround(picture.width() * scale)), int(std::lround(picture.height() * scale))};
}

QRect fitInSlot(QRect slot, QSize picture)
{
    if (picture.width() <= slot.width() && picture.height() <= slot.height())
        return slot;
    const QSize fitted = fitKeepingAspect(picture, slot.size());
    return {slot.left() + (slot.width() - fitted.width()) / 2, slot.top() + (slot.height() - fitted.height()) / 2,
            fitted.width(), fitted.height()};
}

QImage blendDisabled(const QImage &destination, const QImage &image)
{
    QImage out = destination.convertToFormat(QImage::Format_RGB32);
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    const QRgb brush = qRgb(0x80, 0x80, 0x80);
    const int width = std::min(out.width(), source.width());
    const int height = std::min(out.height(), source.height());
    for (int y = 0; y < height; ++y) {
        auto *dest = reinterpret_cast<QRgb *>(out.scanLine(y));
        const auto *src = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if ((src[x] & 0xFFFFFFu) != 0xFFFFFFu)
                dest[x] = brush;
    }
    return out;
}
}
