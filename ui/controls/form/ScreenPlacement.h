#pragma once
#include <QList>
#include <QRect>

// Where a window may stand on the screens (their usable areas, in pixels). Plain arithmetic, so
// that monitor layouts can be tried without monitors.
namespace ScreenPlacement {

// True when the user can reach the window: a piece of it at least 100 x 50 pixels (all of it, when
// it is smaller) lies on one screen.
bool Reachable(const QRect &window, const QList<QRect> &screens);

// A window that cannot be reached (a monitor unplugged, a damaged setting) is moved wholly onto the
// screen nearest to it, and cut to that screen's size; a reachable one keeps its place and size.
// With no screens at all it stays as it is.
QRect BroughtOnto(const QRect &window, const QList<QRect> &screens);

}
