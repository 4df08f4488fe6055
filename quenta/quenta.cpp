#include "quenta.h"

#include "property_table.h"
#include "quenta_log.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <limits>

namespace quenta {

Q_LOGGING_CATEGORY(lcQuenta, "tarvix.quenta")

namespace {

// The control whose text box a widget is, if any.
const Quenta* owningControl(const QWidget* widget) {
    return widget ? qobject_cast<const Quenta*>(widget->parentWidget()) : nullptr;
}

// Moving the focus to a control whose CausesValidation is false skips the Validate event of
// the control losing it.
bool focusMoveValidates(const QWidget* newFocus) {
    const Quenta* control = owningControl(newFocus);
    return !control || control->CausesValidation();
}

// The change signal a set raises. text1 raises those of its text and its selection itself,
// whatever changes them, and only when they change.
QMetaMethod signalOfSet(const char* name) {
    const QMetaObject& meta = Quenta::staticMetaObject;
    const QMetaMethod signal = meta.property(meta.indexOfProperty(name)).notifySignal();
    const bool raisedByText1 = signal == QMetaMethod::fromSignal(&Quenta::Change) ||
                               signal == QMetaMethod::fromSignal(&Quenta::SelectionChanged);
    return raisedByText1 ? QMetaMethod() : signal;
}

} // namespace

Quenta::Quenta(QWidget* parent) : QWidget(parent), text1_(new QLineEdit(this)) {
    text1_->setObjectName(QStringLiteral("text1"));
    text1_->setMaxLength(std::numeric_limits<int>::max()); // MaxLength 0: no limit
    writeText(QStringLiteral("Text1"));
    text1_->setAcceptDrops(false);  // OLEDropMode 0: no drops
    text1_->setMouseTracking(true); // MouseMove without a button held
    text1_->installEventFilter(this);
    setFocusProxy(text1_);
    connect(text1_, &QLineEdit::textChanged, this, &Quenta::Change);
    connect(text1_, &QLineEdit::selectionChanged, this, &Quenta::SelectionChanged);
    connect(text1_, &QLineEdit::cursorPositionChanged, this, &Quenta::SelectionChanged);
    connect(this, &Quenta::Change, this, &Quenta::ValueChanged);
    connect(this, &Quenta::ExponentChanged, this, &Quenta::ValueChanged);
    validateText();
}

Quenta::~Quenta() {
    // text1 outlives this part of the object; its last events must not reach it.
    text1_->removeEventFilter(this);
    disconnect(text1_, nullptr, this, nullptr);
}

// While the properties are restored the container hears of DataFormat alone; the change
// signals are raised all the same.
void Quenta::notify(Property changed) {
    const PropertyRow& row = propertyRow(changed);
    if (!restoring_ || row.read == Read::TextBoxNotifying)
        emit PropertyChanged(QString::fromLatin1(row.name));
    if (const QMetaMethod signal = signalOfSet(row.name); signal.isValid())
        signal.invoke(this, Qt::DirectConnection);
}

// A text written by the program shows its beginning, with the cursor before it.
void Quenta::writeText(const QString& text) {
    text1_->setText(text);
    text1_->setCursorPosition(0);
}

void Quenta::validateText() {
    if (restoring_)
        return; // a restored text stays as stored until the field is left or set
    const QString validated =
        QString::fromStdString(validatedText(text1_->text().toStdString(), rules_));
    // Writing an unchanged text back would still move the cursor and drop the selection.
    if (validated != text1_->text())
        writeText(validated);
}

QString Quenta::Text() const {
    return text1_->text();
}

void Quenta::setText(const QString& text) {
    writeText(text);
    notify(Property::Text);
    validateText();
}

QString Quenta::Value() const {
    return Text() + QLatin1Char('E') + QString::number(rules_.exponent);
}

void Quenta::setValType(qint32 valType) {
    rules_.valType = valType;
    notify(Property::ValType);
}

void Quenta::setMax(double max) {
    rules_.max = max;
    notify(Property::Max);
}

void Quenta::setMin(double min) {
    rules_.min = min;
    notify(Property::Min);
}

void Quenta::setMaxLimitEnabled(bool enabled) {
    rules_.maxLimitEnabled = enabled;
    notify(Property::MaxLimitEnabled);
}

void Quenta::setMinLimitEnabled(bool enabled) {
    rules_.minLimitEnabled = enabled;
    notify(Property::MinLimitEnabled);
}

void Quenta::setFormatString(const QString& picture) {
    rules_.formatString = picture.toStdString();
    notify(Property::FormatString);
}

void Quenta::setRoundToFormat(bool round) {
    roundToFormat_ = round;
    notify(Property::RoundToFormat);
}

void Quenta::setExponent(qint32 exponent) {
    rules_.exponent = exponent;
    validateText();
    notify(Property::Exponent);
}

void Quenta::setExpLocked(bool locked) {
    rules_.expLocked = locked;
    notify(Property::ExpLocked);
}

void Quenta::setAutoSelect(bool autoSelect) {
    autoSelect_ = autoSelect;
    notify(Property::AutoSelect);
}

QSize Quenta::sizeHint() const {
    return text1_->sizeHint();
}

QSize Quenta::minimumSizeHint() const {
    return text1_->minimumSizeHint();
}

void Quenta::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resize();
    text1_->setGeometry(0, 0, width(), height());
}

bool Quenta::eventFilter(QObject* watched, QEvent* event) {
    if (watched != text1_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        focusGained(static_cast<QFocusEvent*>(event)->reason());
        return false;
    case QEvent::FocusOut:
        focusLost(static_cast<QFocusEvent*>(event)->reason());
        return false;
    case QEvent::KeyPress:
        return filterKeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return filterKeyRelease(static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        return filterInputMethod(static_cast<QInputMethodEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return filterMouse(static_cast<QMouseEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        return filterDrop(event);
    default:
        return false;
    }
}

// The focus events of text1 are not passed on as events of the control: gaining the focus
// runs the select-all rule, losing it the validation. Focus coming back from a context menu
// or from a cancelled Validate never really left, so it keeps the selection as it is.
void Quenta::focusGained(Qt::FocusReason reason) {
    focused_ = true;
    if (restoringFocus_ || reason == Qt::PopupFocusReason || !autoSelect_)
        return;
    text1_->setSelection(0, static_cast<int>(text1_->text().size()));
}

void Quenta::focusLost(Qt::FocusReason reason) {
    // A context menu borrows the focus while the user is still editing. A FocusOut without a
    // FocusIn comes from another control taking the focus back from a cancelled Validate.
    if (reason == Qt::PopupFocusReason || !focused_)
        return;
    focused_ = false;
    bool cancel = false;
    if (focusMoveValidates(QApplication::focusWidget()))
        emit Validate(cancel);
    if (!cancel) {
        validateText();
        return;
    }
    // A deactivated window keeps text1 as its focus widget; otherwise take the focus back.
    if (reason != Qt::ActiveWindowFocusReason) {
        restoringFocus_ = true;
        text1_->setFocus(Qt::OtherFocusReason);
        restoringFocus_ = false;
    }
    focused_ = true;
}

bool Quenta::ValidateControls() {
    if (!focused_)
        return true;
    bool cancel = false;
    emit Validate(cancel);
    return !cancel;
}

} // namespace quenta
