#pragma once
#include "kxColour.h"
#include "kxDrawInput.h"
#include "kxFaceRenderer.h"
#include <QImage>
#include <QPalette>

// Buttons rendered for pixel checks: a fixed palette (face 0xF0F0F0, black text) and font.
namespace renderHelpers {
inline QPalette fixedPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::ButtonText, Qt::black);
    return palette;
}

inline kxDrawInput input(QSize size, int style = 0, int shape = 0)
{
    kxDrawInput in;
    in.size = size;
    in.fields.m_ButtonStyle = style;
    in.fields.m_ButtonShape = shape;
    in.fields.m_ShowFocusRect = true;
    in.palette = fixedPalette();
    in.font.setPixelSize(16);
    in.font.setBold(true);
    in.font.setStyleStrategy(QFont::NoAntialias);
    in.screen = QSize(1024, 768);
    return in;
}

inline Rgb at(const QImage &image, int x, int y) { return kxColour::fromQColor(image.pixelColor(x, y)); }

inline int countColour(const QImage &image, const QRect &area, Rgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += at(image, x, y) == colour;
    return n;
}

// The bounding box of the pixels of one colour inside an area.
inline QRect boxOf(const QImage &image, const QRect &area, Rgb colour)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (at(image, x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}
}
