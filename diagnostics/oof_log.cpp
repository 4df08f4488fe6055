#include "oof_log.h"

#include "app_diagnostics.h"
#include "log_placement.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace diagnostics {

namespace {

constexpr int kTwipsPerInch = 1440;
// The window's frame around the box on the system the layout was drawn for, in twips.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 400;

int twipsToPixels(int twips, int dotsPerInch) {
    return (twips * dotsPerInch + kTwipsPerInch / 2) / kTwipsPerInch;
}

// The box as txtDebug shows it: one paragraph per line, the final line break left out so the
// box ends on the newest line rather than on an empty one.
QString displayText(const std::string& buffer) {
    QString text = QString::fromUtf8(buffer.data(), static_cast<qsizetype>(buffer.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace

oofLog::oofLog(QWidget* parent)
    : QWidget(parent, Qt::Tool), txtDebug_(new QPlainTextEdit(this)),
      uniqueName_(QStringLiteral("oofLog")) {
    txtDebug_->setObjectName(QStringLiteral("txtDebug"));
    txtDebug_->setReadOnly(true);
    txtDebug_->viewport()->installEventFilter(this);
    LoadLogPlacement(*this, uniqueName_);
}

oofLog::~oofLog() {
    detachLogWindow(this);
}

void oofLog::SendString(const std::string& s) {
    buffer_.SendString(s);
    caretFollows_ = caretFollowsEnd(buffer_.length());
    caret_ = caretAfterSend(buffer_.length(), std::min(caret_, buffer_.length()));
    boxStale_ = true;
    scheduleRefresh();
}

void oofLog::Clear() {
    buffer_.Clear();
    caret_ = 0;
    caretFollows_ = false;
    boxStale_ = false;
    txtDebug_->clear();
}

void oofLog::Kill() {
    invincible_ = false;
    setAttribute(Qt::WA_DeleteOnClose);
    close();
}

void oofLog::setUniqueName(const QString& name) {
    uniqueName_ = name;
    LoadLogPlacement(*this, uniqueName_);
}

void oofLog::closeEvent(QCloseEvent* event) {
    Form_QueryUnload(*event);
}

void oofLog::Form_QueryUnload(QCloseEvent& event) {
    if (invincible_) {
        event.ignore();
        hide();
        return;
    }
    // A hidden window has no frame to measure; show it so the saved placement is its real one.
    if (!isVisible())
        show();
    SaveLogPlacement(*this, uniqueName_);
    event.accept();
}

void oofLog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void oofLog::Form_Resize() {
    if (isMinimized())
        return;
    // Outer size less the frame the layout was drawn for, but never beyond the inner area: frames
    // here are often thinner than that.
    const QRect outer = frameGeometry();
    const int width = outer.width() - twipsToPixels(kFrameWidthTwips, logicalDpiX());
    const int height = outer.height() - twipsToPixels(kFrameHeightTwips, logicalDpiY());
    txtDebug_->setGeometry(0, 0, std::clamp(width, 0, this->width()),
                           std::clamp(height, 0, this->height()));
}

void oofLog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshBox();
}

bool oofLog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtDebug_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        txtDebug_DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void oofLog::scheduleRefresh() {
    if (refreshQueued_)
        return;
    refreshQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshQueued_ = false;
        refreshBox();
    });
}

void oofLog::refreshBox() {
    // A hidden box is brought up to date when it is shown again.
    if (!boxStale_ || !isVisible())
        return;
    boxStale_ = false;
    QScrollBar* scrollBar = txtDebug_->verticalScrollBar();
    const int oldScroll = scrollBar->value();
    const int oldCaret = txtDebug_->textCursor().position();
    txtDebug_->setPlainText(displayText(buffer_.text()));
    QTextCursor cursor = txtDebug_->textCursor();
    if (caretFollows_) {
        cursor.movePosition(QTextCursor::End);
        txtDebug_->setTextCursor(cursor);
        txtDebug_->ensureCursorVisible();
        return;
    }
    cursor.setPosition(std::min(oldCaret, txtDebug_->document()->characterCount() - 1));
    txtDebug_->setTextCursor(cursor);
    scrollBar->setValue(oldScroll);
}

} // namespace diagnostics
