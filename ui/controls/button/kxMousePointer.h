#pragma once
#include <QCursor>
#include <optional>

// The host's mouse-pointer numbers: 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size all,
// 6 size NE-SW, 7 size N-S, 8 size NW-SE, 9 size W-E, 10 up arrow, 11 hourglass, 12 no drop,
// 13 arrow and hourglass, 14 arrow and question mark, 15 size all, 99 custom (the mouse icon).
namespace kxMousePointer {

constexpr int Default = 0;
constexpr int Custom = 99;

bool IsPointer(int pointer);
// The Qt cursor shape of a standard pointer; none for Default and Custom.
std::optional<Qt::CursorShape> ShapeOf(int pointer);

}
