#pragma once
#include <QtGlobal>
#include <Qt>

// The codes the button's events carry: key codes of the host (virtual-key numbers), the Shift word
// (1 Shift, 2 Ctrl, 4 Alt) and mouse buttons (1 left, 2 right, 4 middle).
namespace kxInputCodes {

constexpr int VkShift = 16;
constexpr int VkSpace = 32;
constexpr int VkLeft = 37;
constexpr int VkUp = 38;
constexpr int VkRight = 39;
constexpr int VkDown = 40;
constexpr int VkEnter = 13;
constexpr int VkEscape = 27;

// The virtual-key number of a Qt key; 0 for a key that has none.
int VirtualKey(int qtKey);
bool IsArrow(int virtualKey);
short ShiftState(Qt::KeyboardModifiers modifiers);
short MouseButton(Qt::MouseButton button);
short MouseButtons(Qt::MouseButtons buttons);

}
