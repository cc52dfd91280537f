#include "kxShape.h"
#include "kxButtonFields.h"
#include "kxPictureDraw.h"
#include <functional>
#include <vector>

namespace kxShape {

namespace {
using PixelTest = std::function<bool(int x, int y)>;

// The region of the pixels that pass the test, built row by row from runs.
QRegion regionOf(QSize size, const PixelTest &inside)
{
    std::vector<QRect> runs;
    for (int y = 0; y < size.height(); ++y) {
        int start = -1;
        for (int x = 0; x <= size.width(); ++x) {
            const bool in = x < size.width() && inside(x, y);
            if (in && start < 0)
                start = x;
            else if (!in && start >= 0) {
                runs.emplace_back(start, y, x - start, 1);
                start = -1;
            }
        }
    }
    QRegion region;
    region.setRects(runs.data(), int(runs.size()));
    return region;
}

// Corner cuts of the square corners: the pixels whose centres lie inside the triangle with
// legs of `top` (top corners) and `bottom` (bottom corners) pixels.
struct CornerCut
{
    int top = 0;
    int bottom = 0;
};

CornerCut cornerCut(int style, bool enabled)
{
    if (style == 1 || (style == 3 && enabled))
        return {2, 2};
    if (style == 2 || style == 7)
        return {2, 3};
    return {};
}

bool inCorner(int dx, int dy, int leg) { return dx + dy < leg - 1; }

bool isDiagonal(int shape) { return shape >= 1 && shape <= 3; }

QRegion diagonalOrRectangle(int shape, QSize size, CornerCut cut)
{
    const int w = size.width(), h = size.height();
    const bool leftCut = shape == 1 || shape == 3;
    const bool rightCut = shape == 2 || shape == 3;
    const int slack = w - diagonal(h);
    return regionOf(size, [=](int x, int y) {
        if (leftCut && x < y)
            return false;
        if (rightCut && x - y > slack)
            return false;
        const int right = w - 1 - x, below = h - 1 - y;
        if (!leftCut && (inCorner(x, y, cut.top) || inCorner(x, below, cut.bottom)))
            return false;
        if (!rightCut && (inCorner(right, y, cut.top) || inCorner(right, below, cut.bottom)))
            return false;
        return true;
    });
}

// Whether a key-coloured pixel lies within `reach` pixels (in every direction) of (x, y).
bool keyWithin(const QImage &picture, QRgb key, int x, int y, int reach)
{
    for (int j = y - reach; j <= y + reach; ++j)
        for (int i = x - reach; i <= x + reach; ++i)
            if (i >= 0 && j >= 0 && i < picture.width() && j < picture.height() && picture.pixel(i, j) == key)
                return true;
    return false;
}

QRegion pictureRegion(const QImage &picture, int reach)
{
    const QRgb key = picture.pixel(0, 0);
    const int w = picture.width(), h = picture.height();
    return regionOf(picture.size(), [&](int x, int y) {
        if (x < reach || y < reach || x >= w - reach || y >= h - reach)
            return false;
        return !keyWithin(picture, key, x, y, reach);
    });
}
}

int widenedWidth(int width, int height)
{
    while (width - diagonal(height) < 5)
        width += 5;
    return width;
}

QSize requiredSize(const kxButtonFields &f, QSize size)
{
    if (isDiagonal(f.m_ButtonShape))
        return {widenedWidth(size.width(), size.height()), size.height()};
    if (f.m_ButtonShape >= 7 && !f.m_Picture.isNull()) {
        const QSize fitted = kxPictureDraw::fitKeepingAspect(f.m_Picture.size(), size);
        return fitted.isEmpty() ? size : fitted;
    }
    return size;
}

QImage shapePicture(const kxButtonFields &f, QSize size)
{
    if (f.m_ButtonShape < 7 || f.m_Picture.isNull())
        return {};
    return kxPictureDraw::PreparePicture(f.m_Picture, size);
}

kxShapeRegions BuildRegion(const kxButtonFields &f, QSize size, bool enabled, const QImage &shapePicture)
{
    kxShapeRegions r;
    const int w = size.width(), h = size.height();
    r.contentRight = w;
    const int shape = f.m_ButtonShape;
    if (shape >= 4 && shape <= 6) {
        r.window = QRegion(0, 0, w, h, QRegion::Ellipse);
        r.inner1 = QRegion(1, 1, w - 2, h - 2, QRegion::Ellipse);
        r.inner2 = QRegion(2, 2, w - 4, h - 4, QRegion::Ellipse);
    } else if (shape >= 7 && !shapePicture.isNull()) {
        r.window = pictureRegion(shapePicture, 0);
        r.inner1 = pictureRegion(shapePicture, 1);
        r.inner2 = pictureRegion(shapePicture, 2);
    } else {
        const int outline = isDiagonal(shape) ? shape : 0;
        r.window = diagonalOrRectangle(outline, size, cornerCut(f.m_ButtonStyle, enabled));
        if (shape == 1 || shape == 3)
            r.contentLeft = diagonal(h);
        if (shape == 2 || shape == 3)
            r.contentRight = w - diagonal(h);
    }
    return r;
}
}
