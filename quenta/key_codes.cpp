#include "key_codes.h"

#include <array>
#include <utility>

namespace quenta {

namespace {

// Keys whose virtual key codes differ from their Qt key values (letters and digits match).
constexpr auto namedKeys = std::to_array<std::pair<int, qint16>>({
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},      {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},         {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},       {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},        {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},          {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},        {Qt::Key_Print, 42},
    {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},
    {Qt::Key_Help, 47},        {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145}, {Qt::Key_Semicolon, 186},
    {Qt::Key_Equal, 187},      {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},      {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},     {Qt::Key_Slash, 191},
    {Qt::Key_QuoteLeft, 192},  {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220},  {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222}, {Qt::Key_Colon, 186},
    {Qt::Key_Underscore, 189}, {Qt::Key_Question, 191},
});

// Keys of the numeric keypad have codes of their own.
constexpr auto keypadKeys = std::to_array<std::pair<int, qint16>>({
    {Qt::Key_Asterisk, 106},
    {Qt::Key_Plus, 107},
    {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},
    {Qt::Key_Comma, 110},
    {Qt::Key_Slash, 111},
});

constexpr qint16 Numpad0 = 96;
constexpr qint16 F1 = 112;

template <std::size_t N>
qint16 lookUp(const std::array<std::pair<int, qint16>, N>& table, int key) {
    for (const auto& [qtKey, code] : table)
        if (qtKey == key)
            return code;
    return 0;
}

} // namespace

qint16 keyCodeFromQt(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<qint16>(keypad ? Numpad0 + (key - Qt::Key_0) : key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<qint16>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<qint16>(F1 + (key - Qt::Key_F1));
    if (keypad)
        if (const qint16 code = lookUp(keypadKeys, key))
            return code;
    return lookUp(namedKeys, key);
}

int qtKeyFromKeyCode(qint16 keyCode) {
    if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z'))
        return keyCode;
    if (keyCode >= Numpad0 && keyCode <= Numpad0 + 9)
        return Qt::Key_0 + (keyCode - Numpad0);
    if (keyCode >= F1 && keyCode < F1 + 24)
        return Qt::Key_F1 + (keyCode - F1);
    for (const auto& [qtKey, code] : keypadKeys)
        if (code == keyCode)
            return qtKey;
    for (const auto& [qtKey, code] : namedKeys)
        if (code == keyCode)
            return qtKey;
    return Qt::Key_unknown;
}

int qtKeyFromCharacter(char16_t character) {
    switch (character) {
    case 8:
        return Qt::Key_Backspace;
    case 9:
        return Qt::Key_Tab;
    case 13:
        return Qt::Key_Return;
    case 27:
        return Qt::Key_Escape;
    default:
        break;
    }
    if (character >= 'a' && character <= 'z')
        return Qt::Key_A + (character - 'a');
    if (character >= 0x20 && character < 0x7F)
        return character; // Qt's keys of printable ASCII characters are their codes
    return Qt::Key_unknown;
}

qint16 shiftState(Qt::KeyboardModifiers modifiers) {
    qint16 shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        shift |= 1;
    if (modifiers.testFlag(Qt::ControlModifier))
        shift |= 2;
    if (modifiers.testFlag(Qt::AltModifier))
        shift |= 4;
    return shift;
}

Qt::KeyboardModifiers modifiersFromShift(qint16 shift) {
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, (shift & 1) != 0);
    modifiers.setFlag(Qt::ControlModifier, (shift & 2) != 0);
    modifiers.setFlag(Qt::AltModifier, (shift & 4) != 0);
    return modifiers;
}

qint16 buttonState(Qt::MouseButtons buttons) {
    qint16 state = 0;
    if (buttons.testFlag(Qt::LeftButton))
        state |= 1;
    if (buttons.testFlag(Qt::RightButton))
        state |= 2;
    if (buttons.testFlag(Qt::MiddleButton))
        state |= 4;
    return state;
}

} // namespace quenta
