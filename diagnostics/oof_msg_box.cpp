#include "oof_msg_box.h"

#include "diagnostics/msg_box_layout.h"
#include "platform/message_box.h"
#include "settings/placement.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace diagnostics {

namespace {
std::vector<std::string> toUtf8(const QStringList& captions) {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(captions.size()));
    for (const QString& caption : captions)
        result.push_back(caption.toStdString());
    return result;
}
} // namespace

oofMSGBox::oofMSGBox(const QString& prompt, std::int32_t flags, const QStringList& captions,
                     QWidget* parent)
    : QDialog(parent), flags_(flags) {
    setWindowTitle(QString::fromUtf8(platform::kAppTitle));
    if (flags_ & msgboxflag::LargeType) {
        QFont large = font();
        large.setPointSize(msgboxdesign::LargeTypePoints);
        setFont(large);
    }
    lblPrompt_ = new QLabel(prompt, this);
    lblPrompt_->setObjectName("lblPrompt");
    lblPrompt_->setWordWrap(true);
    lblPrompt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblPrompt_->setGeometry(toPixelsX(msgboxdesign::PromptLeft), toPixelsY(msgboxdesign::PromptTop),
                            toPixelsX(msgboxdesign::PromptWidth),
                            toPixelsY(msgboxdesign::PromptHeight));
    createButtons(captions);
    assignCancelAndDefault();
    if (const QScreen* where = screen())
        move(where->availableGeometry().center() - rect().center());
}

QString oofMSGBox::ShowModal(const QString& prompt, std::int32_t flags, const QStringList& captions,
                             QWidget* parent) {
    oofMSGBox box(prompt, flags, captions, parent);
    box.exec();
    return box.pressedCaption();
}

void oofMSGBox::createButtons(const QStringList& captions) {
    const QFontMetrics metrics(font());
    const MsgBoxLayout layout = layOutButtons(toUtf8(captions), [&](const std::string& caption) {
        return toTwipsX(metrics.horizontalAdvance(QString::fromStdString(caption)));
    });
    const int top = toPixelsY(msgboxdesign::ButtonTop);
    const int height = toPixelsY(msgboxdesign::ButtonHeight);
    for (const ButtonPlacement& placement : layout.buttons) {
        auto* button = new QPushButton(QString::fromStdString(placement.caption), this);
        button->setObjectName(QString("cmdButton(%1)").arg(cmdButton_.size()));
        // Enter is handled by the dialog itself, so Qt must not promote a button to default.
        button->setAutoDefault(false);
        // Converting both edges keeps touching buttons touching after rounding.
        const int left = toPixelsX(placement.left);
        button->setGeometry(left, top, toPixelsX(placement.left + placement.width) - left, height);
        connect(button, &QPushButton::clicked, this, [this, button] { cmdButton_Click(button); });
        cmdButton_.push_back(button);
    }
    setFixedSize(toPixelsX(layout.clientWidth), toPixelsY(msgboxdesign::ClientHeight));
}

void oofMSGBox::assignCancelAndDefault() {
    if (!(flags_ & msgboxflag::NoCancelButton))
        cancelButton_ = cmdButton_.front();
    if (flags_ & msgboxflag::NoDefaultButton) {
        setFocusPolicy(Qt::StrongFocus);
        return;
    }
    defaultButton_ = cmdButton_.back();
    defaultButton_->setDefault(true);
    QWidget* previous = defaultButton_;
    for (QPushButton* button : cmdButton_) {
        if (button == defaultButton_)
            break;
        setTabOrder(previous, button);
        previous = button;
    }
}

void oofMSGBox::cmdButton_Click(QPushButton* button) {
    pressedCaption_ = button->text();
    accept();
}

void oofMSGBox::Form_Activate() {
    if (activated_)
        return;
    if (flags_ & msgboxflag::NoDefaultButton)
        setFocus(Qt::ActiveWindowFocusReason);
    else
        cmdButton_.back()->setFocus(Qt::ActiveWindowFocusReason);
    activated_ = true;
}

bool oofMSGBox::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

void oofMSGBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        if (cancelButton_)
            cancelButton_->click();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A focused button that is not the default one arrives here; Enter presses it.
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        if (focused && std::find(cmdButton_.begin(), cmdButton_.end(), focused) != cmdButton_.end())
            focused->click();
        else if (defaultButton_)
            defaultButton_->click();
        event->accept();
        return;
    }
    default:
        QDialog::keyPressEvent(event);
    }
}

int oofMSGBox::toPixelsX(int twips) const {
    return settings::twipsToPixels(twips, logicalDpiX());
}

int oofMSGBox::toPixelsY(int twips) const {
    return settings::twipsToPixels(twips, logicalDpiY());
}

int oofMSGBox::toTwipsX(int pixels) const {
    return settings::pixelsToTwips(pixels, logicalDpiX());
}

} // namespace diagnostics
