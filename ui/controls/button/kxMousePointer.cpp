#include "kxMousePointer.h"
#include <array>

namespace kxMousePointer {

namespace {
constexpr std::array<Qt::CursorShape, 15> Shapes = {
    Qt::ArrowCursor,     Qt::CrossCursor,    Qt::IBeamCursor,  Qt::ArrowCursor,  Qt::SizeAllCursor,
    Qt::SizeBDiagCursor, Qt::SizeVerCursor,  Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,
    Qt::WaitCursor,      Qt::ForbiddenCursor, Qt::BusyCursor,  Qt::WhatsThisCursor, Qt::SizeAllCursor,
};
}

bool IsPointer(int pointer)
{
    return (pointer >= Default && pointer <= static_cast<int>(Shapes.size())) || pointer == Custom;
}

std::optional<Qt::CursorShape> ShapeOf(int pointer)
{
    if (pointer < 1 || pointer > static_cast<int>(Shapes.size()))
        return std::nullopt;
    return Shapes[static_cast<size_t>(pointer - 1)];
}

}
