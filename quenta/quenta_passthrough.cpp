// The text-box members the control passes on to text1. Every setter notifies the container
// after passing the value on.

#include "quenta.h"

#include "property_table.h"
#include "quenta_log.h"

#include <QApplication>
#include <QLineEdit>
#include <array>
#include <limits>
#include <utility>

namespace quenta {

namespace {

constexpr qint16 AlignLeft = 0;
constexpr qint16 AlignRight = 1;
constexpr qint16 AlignCenter = 2;

// Mouse pointer codes with a Qt cursor; 0 (and 99, a custom icon, which the control has none
// of) leave text1's own I-beam.
constexpr auto pointerShapes = std::to_array<std::pair<qint16, Qt::CursorShape>>({
    {1, Qt::ArrowCursor},
    {2, Qt::CrossCursor},
    {3, Qt::IBeamCursor},
    {5, Qt::SizeAllCursor},
    {6, Qt::SizeBDiagCursor},
    {7, Qt::SizeVerCursor},
    {8, Qt::SizeFDiagCursor},
    {9, Qt::SizeHorCursor},
    {10, Qt::UpArrowCursor},
    {11, Qt::WaitCursor},
    {12, Qt::ForbiddenCursor},
    {13, Qt::BusyCursor},
    {14, Qt::WhatsThisCursor},
    {15, Qt::SizeAllCursor},
});

bool logNoDde(const char* method) {
    qCWarning(lcQuenta, "%s: DDE links do not exist on Linux; nothing was done", method);
    return false;
}

} // namespace

void Quenta::applyColor(int role, quint32 color) {
    const auto colorRole = static_cast<QPalette::ColorRole>(role);
    const QColor shown = colorFromValue(color, QApplication::palette(text1_), colorRole);
    QPalette palette = text1_->palette();
    palette.setColor(QPalette::Active, colorRole, shown);
    palette.setColor(QPalette::Inactive, colorRole, shown);
    // Disabled text keeps the desktop's greyed colour, a disabled field its background.
    if (colorRole == QPalette::Base)
        palette.setColor(QPalette::Disabled, colorRole, shown);
    text1_->setPalette(palette);
}

void Quenta::setBackColor(quint32 color) {
    kept_.backColor = color;
    applyColor(QPalette::Base, color);
    notify(Property::BackColor);
}

void Quenta::setForeColor(quint32 color) {
    kept_.foreColor = color;
    applyColor(QPalette::Text, color);
    notify(Property::ForeColor);
}

// text1's own setting, not whether it is usable: a container disabling the whole panel must
// not make the control store Enabled as false.
bool Quenta::Enabled() const {
    return !text1_->testAttribute(Qt::WA_ForceDisabled);
}

void Quenta::setTextBoxEnabled(bool enabled) {
    text1_->setEnabled(enabled);
    notify(Property::Enabled);
}

QFont Quenta::Font() const {
    return text1_->font();
}

void Quenta::setTextBoxFont(const QFont& font) {
    text1_->setFont(font);
    notify(Property::Font);
}

qint16 Quenta::BorderStyle() const {
    return text1_->hasFrame() ? 1 : 0;
}

void Quenta::setBorderStyle(qint16 style) {
    text1_->setFrame(style != 0);
    notify(Property::BorderStyle);
}

qint16 Quenta::Alignment() const {
    const Qt::Alignment horizontal = text1_->alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal.testFlag(Qt::AlignRight))
        return AlignRight;
    return horizontal.testFlag(Qt::AlignHCenter) ? AlignCenter : AlignLeft;
}

void Quenta::setAlignment(qint16 alignment) {
    const Qt::Alignment horizontal = alignment == AlignRight    ? Qt::AlignRight
                                     : alignment == AlignCenter ? Qt::AlignHCenter
                                                                : Qt::AlignLeft;
    text1_->setAlignment(horizontal | Qt::AlignVCenter);
    notify(Property::Alignment);
}

void Quenta::setAppearance(qint16 appearance) {
    kept_.appearance = appearance;
    notify(Property::Appearance);
}

void Quenta::setCausesValidation(bool causes) {
    kept_.causesValidation = causes;
    notify(Property::CausesValidation);
}

void Quenta::setDataFormat(const QString& format) {
    kept_.dataFormat = format;
    notify(Property::DataFormat);
}

void Quenta::setDataMember(const QString& member) {
    kept_.dataMember = member;
    notify(Property::DataMember);
}

// Qt's line edit keeps showing its selection, in the inactive colours, without the focus.
bool Quenta::HideSelection() const {
    return false;
}

void Quenta::setLinkItem(const QString& item) {
    kept_.linkItem = item;
    notify(Property::LinkItem);
}

void Quenta::setLinkTopic(const QString& topic) {
    kept_.linkTopic = topic;
    notify(Property::LinkTopic);
}

void Quenta::setLinkMode(qint16 mode) {
    kept_.linkMode = mode;
    notify(Property::LinkMode);
}

void Quenta::setLinkTimeout(qint16 timeout) {
    kept_.linkTimeout = timeout;
    notify(Property::LinkTimeout);
}

bool Quenta::Locked() const {
    return text1_->isReadOnly();
}

void Quenta::setLocked(bool locked) {
    text1_->setReadOnly(locked);
    notify(Property::Locked);
}

// QLineEdit::setMaxLength(0) would refuse every character; 0 here means no limit.
void Quenta::setMaxLength(qint32 length) {
    kept_.maxLength = std::max(length, 0);
    text1_->setMaxLength(kept_.maxLength > 0 ? kept_.maxLength : std::numeric_limits<int>::max());
    notify(Property::MaxLength);
}

void Quenta::setMousePointer(qint16 pointer) {
    kept_.mousePointer = pointer;
    text1_->unsetCursor();
    for (const auto& [code, shape] : pointerShapes)
        if (code == pointer)
            text1_->setCursor(shape);
    notify(Property::MousePointer);
}

void Quenta::setOLEDragMode(qint16 mode) {
    kept_.oleDragMode = mode;
    notify(Property::OLEDragMode);
}

void Quenta::setOLEDropMode(qint16 mode) {
    kept_.oleDropMode = mode;
    text1_->setAcceptDrops(mode != 0);
    notify(Property::OLEDropMode);
}

// One character masks the input; an empty one shows it.
void Quenta::setPasswordChar(const QString& character) {
    kept_.passwordChar = character.left(1);
    text1_->setEchoMode(kept_.passwordChar.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    notify(Property::PasswordChar);
}

bool Quenta::RightToLeft() const {
    return text1_->layoutDirection() == Qt::RightToLeft;
}

void Quenta::setRightToLeft(bool rightToLeft) {
    text1_->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    notify(Property::RightToLeft);
}

qint32 Quenta::SelLength() const {
    return text1_->selectionLength();
}

void Quenta::setSelLength(qint32 length) {
    const qint32 start = SelStart();
    const auto available = static_cast<qint32>(text1_->text().size()) - start;
    text1_->setSelection(start, std::clamp(length, 0, available));
    notify(Property::SelLength);
}

// Without a selection the start is the cursor position.
qint32 Quenta::SelStart() const {
    return text1_->hasSelectedText() ? text1_->selectionStart() : text1_->cursorPosition();
}

// Moving the start drops the selection.
void Quenta::setSelStart(qint32 start) {
    text1_->deselect();
    text1_->setCursorPosition(std::clamp(start, 0, static_cast<qint32>(text1_->text().size())));
    notify(Property::SelStart);
}

QString Quenta::SelText() const {
    return text1_->selectedText();
}

void Quenta::setSelText(const QString& text) {
    text1_->insert(text);
    notify(Property::SelText);
}

void Quenta::setWhatsThisHelpID(qint32 id) {
    kept_.whatsThisHelpID = id;
    notify(Property::WhatsThisHelpID);
}

QString Quenta::ToolTipText() const {
    return text1_->toolTip();
}

void Quenta::setToolTipText(const QString& text) {
    text1_->setToolTip(text);
    notify(Property::ToolTipText);
}

quintptr Quenta::hWnd() const {
    return reinterpret_cast<quintptr>(text1_);
}

void Quenta::changeFont(void (QFont::*change)(bool), bool on, Property changed) {
    QFont font = text1_->font();
    (font.*change)(on);
    text1_->setFont(font);
    notify(changed);
}

bool Quenta::FontUnderline() const {
    return text1_->font().underline();
}

void Quenta::setFontUnderline(bool underline) {
    changeFont(&QFont::setUnderline, underline, Property::FontUnderline);
}

bool Quenta::FontStrikethru() const {
    return text1_->font().strikeOut();
}

void Quenta::setFontStrikethru(bool strikethru) {
    changeFont(&QFont::setStrikeOut, strikethru, Property::FontStrikethru);
}

bool Quenta::FontItalic() const {
    return text1_->font().italic();
}

void Quenta::setFontItalic(bool italic) {
    changeFont(&QFont::setItalic, italic, Property::FontItalic);
}

bool Quenta::FontBold() const {
    return text1_->font().bold();
}

void Quenta::setFontBold(bool bold) {
    changeFont(&QFont::setBold, bold, Property::FontBold);
}

float Quenta::FontSize() const {
    return static_cast<float>(text1_->font().pointSizeF());
}

void Quenta::setFontSize(float points) {
    if (points > 0) {
        QFont font = text1_->font();
        font.setPointSizeF(points);
        text1_->setFont(font);
    }
    notify(Property::FontSize);
}

QString Quenta::FontName() const {
    return text1_->font().family();
}

void Quenta::setFontName(const QString& name) {
    if (!name.isEmpty()) {
        QFont font = text1_->font();
        font.setFamily(name);
        text1_->setFont(font);
    }
    notify(Property::FontName);
}

void Quenta::Refresh() {
    text1_->update();
}

bool Quenta::LinkSend() {
    return logNoDde("LinkSend");
}

bool Quenta::LinkRequest() {
    return logNoDde("LinkRequest");
}

bool Quenta::LinkPoke() {
    return logNoDde("LinkPoke");
}

bool Quenta::LinkExecute(const QString& Command) {
    Q_UNUSED(Command);
    return logNoDde("LinkExecute");
}

} // namespace quenta
