#include "kxInputCodes.h"
#include <QHash>

namespace kxInputCodes {

namespace {
const QHash<int, int> &NamedKeys()
{
    static const QHash<int, int> keys = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9}, {Qt::Key_Backtab, 9}, {Qt::Key_Return, VkEnter},
        {Qt::Key_Enter, VkEnter}, {Qt::Key_Shift, VkShift}, {Qt::Key_Control, 17},
        {Qt::Key_Alt, 18}, {Qt::Key_Pause, 19}, {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, VkEscape},
        {Qt::Key_Space, VkSpace}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
        {Qt::Key_Home, 36}, {Qt::Key_Left, VkLeft}, {Qt::Key_Up, VkUp}, {Qt::Key_Right, VkRight},
        {Qt::Key_Down, VkDown}, {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},
    };
    return keys;
}
}

int VirtualKey(int qtKey)
{
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    return NamedKeys().value(qtKey, 0);
}

bool IsArrow(int virtualKey)
{
    return virtualKey >= VkLeft && virtualKey <= VkDown;
}

short ShiftState(Qt::KeyboardModifiers modifiers)
{
    return static_cast<short>((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
                              | (modifiers & Qt::AltModifier ? 4 : 0));
}

short MouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

short MouseButtons(Qt::MouseButtons buttons)
{
    return static_cast<short>(MouseButton(buttons & Qt::LeftButton ? Qt::LeftButton : Qt::NoButton)
                              | MouseButton(buttons & Qt::RightButton ? Qt::RightButton : Qt::NoButton)
                              | MouseButton(buttons & Qt::MiddleButton ? Qt::MiddleButton : Qt::NoButton));
}

}
