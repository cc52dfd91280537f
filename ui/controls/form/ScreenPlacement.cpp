#include "ScreenPlacement.h"
#include <algorithm>
#include <limits>

namespace {
constexpr int kReachWidth = 100;
constexpr int kReachHeight = 50;

// The gap between two rectangles along one axis: 0 when they overlap on it.
qint64 Gap(qint64 firstLow, qint64 firstHigh, qint64 secondLow, qint64 secondHigh)
{
    if (firstHigh < secondLow)
        return secondLow - firstHigh;
    if (secondHigh < firstLow)
        return firstLow - secondHigh;
    return 0;
}

qint64 SquaredDistance(const QRect &a, const QRect &b)
{
    const qint64 dx = Gap(a.left(), a.right(), b.left(), b.right());
    const qint64 dy = Gap(a.top(), a.bottom(), b.top(), b.bottom());
    return dx * dx + dy * dy;
}

int Clamped(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}
}

namespace ScreenPlacement {

bool Reachable(const QRect &window, const QList<QRect> &screens)
{
    const int wantedWidth = std::min(window.width(), kReachWidth);
    const int wantedHeight = std::min(window.height(), kReachHeight);
    return std::any_of(screens.begin(), screens.end(), [&](const QRect &screen) {
        const QRect shared = window & screen;
        return !shared.isEmpty() && shared.width() >= wantedWidth && shared.height() >= wantedHeight;
    });
}

QRect BroughtOnto(const QRect &window, const QList<QRect> &screens)
{
    if (screens.isEmpty() || Reachable(window, screens))
        return window;
    const QRect *nearest = &screens.front();
    qint64 nearestDistance = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        const qint64 distance = SquaredDistance(window, screen);
        if (distance < nearestDistance) {
            nearest = &screen;
            nearestDistance = distance;
        }
    }
    const QSize size = window.size().boundedTo(nearest->size());
    const int left = Clamped(window.left(), nearest->left(), nearest->right() + 1 - size.width());
    const int top = Clamped(window.top(), nearest->top(), nearest->bottom() + 1 - size.height());
    return {QPoint(left, top), size};
}

}
