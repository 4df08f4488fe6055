// Drag and drop of text1 on Qt's drag and drop. Effects: 0 none, 1 copy, 2 move.

#include "quenta.h"

#include "key_codes.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <memory>

namespace quenta {

namespace {

constexpr qint32 EffectNone = 0;
constexpr qint32 EffectCopy = 1;
constexpr qint32 EffectMove = 2;

constexpr qint16 DragAutomatic = 1;
constexpr qint16 DropManual = 1;

constexpr qint16 StateEnter = 0;
constexpr qint16 StateLeave = 1;
constexpr qint16 StateOver = 2;

Qt::DropActions actionsFromEffects(qint32 effects) {
    Qt::DropActions actions;
    actions.setFlag(Qt::CopyAction, (effects & EffectCopy) != 0);
    actions.setFlag(Qt::MoveAction, (effects & EffectMove) != 0);
    return actions;
}

qint32 effectsFromActions(Qt::DropActions actions) {
    qint32 effects = EffectNone;
    if (actions.testFlag(Qt::CopyAction))
        effects |= EffectCopy;
    if (actions.testFlag(Qt::MoveAction))
        effects |= EffectMove;
    return effects;
}

// The one action a drop takes from the effects a handler accepted: move when both are.
Qt::DropAction actionFromEffect(qint32 effect, Qt::DropActions possible) {
    if ((effect & EffectMove) && possible.testFlag(Qt::MoveAction))
        return Qt::MoveAction;
    if ((effect & EffectCopy) && possible.testFlag(Qt::CopyAction))
        return Qt::CopyAction;
    return Qt::IgnoreAction;
}

} // namespace

void Quenta::OLEDrag() {
    startDrag(false);
}

void Quenta::startDrag(bool automatic) {
    auto data = std::make_unique<QMimeData>();
    if (automatic)
        data->setText(text1_->selectedText());
    qint32 allowed = EffectCopy | EffectMove;
    emit OLEStartDrag(*data, allowed);
    qint32 effect = EffectNone;
    if (actionsFromEffects(allowed) != Qt::DropActions() && !data->formats().isEmpty()) {
        const int selectionStart = text1_->selectionStart();
        const QString dragged = text1_->selectedText();
        auto* drag = new QDrag(text1_); // Qt deletes it when the drag ends
        drag->setMimeData(data.release());
        connect(drag, &QDrag::actionChanged, this, [this](Qt::DropAction action) {
            qint32 feedback = effectsFromActions(action);
            bool defaultCursors = true;
            emit OLEGiveFeedback(feedback, defaultCursors);
        });
        const QPointer<QLineEdit> source = text1_;
        effect = effectsFromActions(drag->exec(actionsFromEffects(allowed)));
        // An automatic move takes the text away, unless the drop already changed it.
        if (automatic && effect == EffectMove && source && text1_->selectedText() == dragged &&
            text1_->selectionStart() == selectionStart)
            text1_->del();
    }
    emit OLECompleteDrag(effect);
}

// With OLEDragMode automatic, pressing on the selection and moving starts a drag of it; the
// press is held back from text1, which would otherwise drop the selection.
bool Quenta::filterAutomaticDrag(QMouseEvent* event) {
    if (kept_.oleDragMode != DragAutomatic)
        return false;
    const QPoint position = event->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const int at = text1_->cursorPositionAt(position);
        const bool onSelection = text1_->hasSelectedText() && at >= text1_->selectionStart() &&
                                 at < text1_->selectionEnd();
        if (event->button() != Qt::LeftButton || !onSelection)
            return false;
        dragFrom_ = position;
        return true;
    }
    case QEvent::MouseMove:
        if (!dragFrom_ ||
            (position - *dragFrom_).manhattanLength() < QApplication::startDragDistance())
            return dragFrom_.has_value();
        dragFrom_.reset();
        startDrag(true);
        return true;
    case QEvent::MouseButtonRelease:
        if (!dragFrom_)
            return false;
        // No drag after all: the press was a plain click into the text.
        text1_->setCursorPosition(text1_->cursorPositionAt(*dragFrom_));
        dragFrom_.reset();
        return true;
    default:
        return false;
    }
}

namespace {

// Qt may deliver a drop event without data; handlers always get an object.
const QMimeData& dataOf(const QDropEvent* event) {
    static const QMimeData none;
    return event->mimeData() ? *event->mimeData() : none;
}

} // namespace

void Quenta::raiseDragOver(QDropEvent* event, qint16 state) {
    qint32 effect = effectsFromActions(event->possibleActions());
    qint16 button = buttonState(event->buttons());
    qint16 shift = shiftState(event->modifiers());
    float x = twipsX(event->position().x());
    float y = twipsY(event->position().y());
    emit OLEDragOver(dataOf(event), effect, button, shift, x, y, state);
    const Qt::DropAction action = actionFromEffect(effect, event->possibleActions());
    event->setDropAction(action);
    event->setAccepted(action != Qt::IgnoreAction);
}

void Quenta::raiseDragDrop(QDropEvent* event) {
    qint32 effect = effectsFromActions(event->possibleActions());
    qint16 button = buttonState(event->buttons());
    qint16 shift = shiftState(event->modifiers());
    float x = twipsX(event->position().x());
    float y = twipsY(event->position().y());
    emit OLEDragDrop(dataOf(event), effect, button, shift, x, y);
    const Qt::DropAction action = actionFromEffect(effect, event->possibleActions());
    event->setDropAction(action);
    event->setAccepted(action != Qt::IgnoreAction);
}

// With OLEDropMode manual the handlers decide what a drop does; text1 inserts nothing itself.
// Automatic leaves drops to text1.
bool Quenta::filterDrop(QEvent* event) {
    if (kept_.oleDropMode != DropManual)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
        raiseDragOver(static_cast<QDropEvent*>(event), StateEnter);
        break;
    case QEvent::DragMove:
        raiseDragOver(static_cast<QDropEvent*>(event), StateOver);
        break;
    case QEvent::DragLeave: {
        const QMimeData nothing;
        qint32 effect = EffectNone;
        qint16 button = 0;
        qint16 shift = 0;
        float x = 0;
        float y = 0;
        qint16 state = StateLeave;
        emit OLEDragOver(nothing, effect, button, shift, x, y, state);
        break;
    }
    default:
        raiseDragDrop(static_cast<QDropEvent*>(event));
        break;
    }
    return true;
}

} // namespace quenta
