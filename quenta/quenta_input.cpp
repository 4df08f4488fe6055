// Keyboard and mouse events of text1, raised as the control's events. A handler may change
// the key it is given: text1 then goes on with the changed key, or with none.

#include "quenta.h"

#include "key_codes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace quenta {

namespace {

constexpr qreal TwipsPerInch = 1440.0;

// The character a key event types, when it types exactly one.
std::optional<char16_t> typedCharacter(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1)
        return std::nullopt;
    return text.front().unicode();
}

qint16 asKeyAscii(char16_t character) {
    return static_cast<qint16>(character);
}

char16_t asCharacter(qint16 keyAscii) {
    return static_cast<char16_t>(static_cast<quint16>(keyAscii));
}

} // namespace

float Quenta::twipsX(qreal pixels) const {
    return static_cast<float>(pixels * TwipsPerInch / text1_->logicalDpiX());
}

float Quenta::twipsY(qreal pixels) const {
    return static_cast<float>(pixels * TwipsPerInch / text1_->logicalDpiY());
}

bool Quenta::replay(QEvent& replacement) {
    const QScopedValueRollback guard(replaying_, true);
    QCoreApplication::sendEvent(text1_, &replacement);
    return true;
}

bool Quenta::filterKeyPress(QKeyEvent* event) {
    if (replaying_)
        return false;
    const qint16 originalCode = keyCodeFromQt(event->key(), event->modifiers());
    const qint16 originalShift = shiftState(event->modifiers());
    qint16 keyCode = originalCode;
    qint16 shift = originalShift;
    emit KeyDown(keyCode, shift);
    if (keyCode == 0 && originalCode != 0)
        return true;
    const std::optional<char16_t> typed = typedCharacter(event);
    qint16 keyAscii = typed ? asKeyAscii(*typed) : 0;
    if (typed) {
        emit KeyPress(keyAscii);
        if (keyAscii == 0)
            return true;
    }
    const bool keyChanged = keyCode != originalCode || shift != originalShift;
    const bool characterChanged = typed && keyAscii != asKeyAscii(*typed);
    if (!keyChanged && !characterChanged)
        return false;
    const Qt::KeyboardModifiers keypad = event->modifiers() & Qt::KeypadModifier;
    const int key = characterChanged ? qtKeyFromCharacter(asCharacter(keyAscii))
                    : keyChanged     ? qtKeyFromKeyCode(keyCode)
                                     : event->key();
    QKeyEvent replacement(QEvent::KeyPress, key, modifiersFromShift(shift) | keypad,
                          typed ? QString(QChar(asCharacter(keyAscii))) : QString(),
                          event->isAutoRepeat());
    return replay(replacement);
}

bool Quenta::filterKeyRelease(QKeyEvent* event) {
    if (replaying_)
        return false;
    const qint16 originalCode = keyCodeFromQt(event->key(), event->modifiers());
    qint16 keyCode = originalCode;
    qint16 shift = shiftState(event->modifiers());
    emit KeyUp(keyCode, shift);
    return keyCode == 0 && originalCode != 0;
}

// Text committed by an input method arrives without key events; its characters go through
// KeyPress all the same, so a handler that drops a character drops it here too.
bool Quenta::filterInputMethod(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    if (replaying_ || committed.isEmpty())
        return false;
    QString kept;
    for (const QChar character : committed) {
        qint16 keyAscii = asKeyAscii(character.unicode());
        emit KeyPress(keyAscii);
        if (keyAscii != 0)
            kept += QChar(asCharacter(keyAscii));
    }
    if (kept == committed)
        return false;
    QInputMethodEvent replacement(event->preeditString(), event->attributes());
    replacement.setCommitString(kept, event->replacementStart(), event->replacementLength());
    return replay(replacement);
}

void Quenta::raiseMouse(void (Quenta::*event)(qint16&, qint16&, float&, float&), QMouseEvent* mouse,
                        Qt::MouseButtons buttons) {
    qint16 button = buttonState(buttons);
    qint16 shift = shiftState(mouse->modifiers());
    float x = twipsX(mouse->position().x());
    float y = twipsY(mouse->position().y());
    emit(this->*event)(button, shift, x, y);
}

bool Quenta::filterMouse(QMouseEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        raiseMouse(&Quenta::MouseDown, event, event->button());
        break;
    case QEvent::MouseMove:
        raiseMouse(&Quenta::MouseMove, event, event->buttons());
        break;
    case QEvent::MouseButtonDblClick:
        // The second press of a double click raises DblClick instead of MouseDown.
        afterDoubleClick_ = true;
        emit DblClick();
        break;
    case QEvent::MouseButtonRelease: {
        raiseMouse(&Quenta::MouseUp, event, event->button());
        const bool click = event->button() == Qt::LeftButton && !afterDoubleClick_ &&
                           text1_->rect().contains(event->position().toPoint());
        afterDoubleClick_ = false;
        if (click)
            emit Click();
        break;
    }
    default:
        break;
    }
    return filterAutomaticDrag(event);
}

} // namespace quenta
