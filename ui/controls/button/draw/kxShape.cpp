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

// The key-coloured pixels of the picture, one flag per pixel, row by row.
std::vector<char> keyPixels(const QImage &picture)
{
    const int w = picture.width(), h = picture.height();
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb key = rgb.pixel(0, 0);
    std::vector<char> keys(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x)
            keys[size_t(y) * size_t(w) + size_t(x)] = line[x] == key;
    }
    return keys;
}

// The flags grown by one pixel in every direction (the eight neighbours).
std::vector<char> grown(const std::vector<char> &flags, int w, int h)
{
    std::vector<char> across(flags.size()), out(flags.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t at = size_t(y) * size_t(w) + size_t(x);
            across[at] = flags[at] || (x > 0 && flags[at - 1]) || (x + 1 < w && flags[at + 1]);
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t at = size_t(y) * size_t(w) + size_t(x);
            out[at] = across[at] || (y > 0 && across[at - size_t(w)]) || (y + 1 < h && across[at + size_t(w)]);
        }
    return out;
}

// The picture's drawing (every pixel that is not key-coloured) shrunk by `reach` pixels, also
// from the picture's border.
QRegion drawingRegion(const std::vector<char> &keys, QSize size, int reach)
{
    const int w = size.width(), h = size.height();
    return regionOf(size, [&](int x, int y) {
        return x >= reach && y >= reach && x < w - reach && y < h - reach && !keys[size_t(y) * size_t(w) + size_t(x)];
    });
}

void pictureRegions(const QImage &picture, kxShapeRegions &r)
{
    const int w = picture.width(), h = picture.height();
    std::vector<char> keys = keyPixels(picture);
    r.window = drawingRegion(keys, picture.size(), 0);
    keys = grown(keys, w, h);
    r.inner1 = drawingRegion(keys, picture.size(), 1);
    keys = grown(keys, w, h);
    r.inner2 = drawingRegion(keys, picture.size(), 2);
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
        pictureRegions(shapePicture, r);
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
