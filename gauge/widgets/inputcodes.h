#pragma once

#include <Qt>

namespace qvgauge {

// The numbers the gauge's key and mouse events carry, as hosts expect them.

// The Shift argument: 1 for Shift, 2 for Ctrl, 4 for Alt, added together.
int shiftState(Qt::KeyboardModifiers modifiers);

// The Button argument: 1 for the left, 2 for the right and 4 for the middle button, added
// together.
int buttonState(Qt::MouseButtons buttons);

// The KeyCode of KeyDown and KeyUp: the virtual key code of a Qt key (65 for A, 13 for Enter,
// 112 for F1), or 0 for a key that has none. Keys of the numeric keypad have their own codes.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace qvgauge
