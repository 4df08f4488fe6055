#pragma once

#include <Qt>

namespace quenta {

// Key and button codes as the control's key and mouse events carry them: virtual key codes
// (65 for A, 13 for Enter, 37 for the left arrow), and bit sets of the pressed modifiers
// (1 Shift, 2 Ctrl, 4 Alt) and mouse buttons (1 left, 2 right, 4 middle).

// The virtual key code of a Qt key; 0 for a key without one.
qint16 keyCodeFromQt(int key, Qt::KeyboardModifiers modifiers);
// The Qt key of a virtual key code; Qt::Key_unknown for a code without one.
int qtKeyFromKeyCode(qint16 keyCode);
// The Qt key that types a character code (8 Backspace, 13 Return, 'a' Qt::Key_A).
int qtKeyFromCharacter(char16_t character);

qint16 shiftState(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers modifiersFromShift(qint16 shift);
qint16 buttonState(Qt::MouseButtons buttons);

} // namespace quenta
