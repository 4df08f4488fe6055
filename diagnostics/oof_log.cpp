#include "oof_log.h"

#include "settings/form_placement.h"
#include "settings/placement.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace diagnostics {

namespace {

// The window's frame around the box on the system the layout was drawn for, in twips.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 400;

} // namespace

oofLog::oofLog(QWidget* parent)
    : QWidget(parent, Qt::Tool), txtDebug_(new QPlainTextEdit(this)), logBox_(*txtDebug_),
      uniqueName_(QStringLiteral("oofLog")) {
    setObjectName(uniqueName_);
    txtDebug_->setObjectName(QStringLiteral("txtDebug"));
    txtDebug_->setReadOnly(true);
    txtDebug_->viewport()->installEventFilter(this);
    settings::LoadFormPlacement(*this, uniqueName_.toStdString());
}

oofLog::~oofLog() {
    if (echoed_ && echoed_->logWindow() == this)
        echoed_->setLogWindow(nullptr);
}

void oofLog::echoErrors(oocErrorQueue& queue) {
    queue.setLogWindow(this);
    echoed_ = &queue;
}

void oofLog::SendString(const std::string& s) {
    buffer_.SendString(s);
    caretFollows_ = caretFollowsEnd(buffer_.length());
    caret_ = caretAfterSend(buffer_.length(), std::min(caret_, buffer_.length()));
    logBox_.lineSent(s);
    scheduleRefresh();
}

void oofLog::Clear() {
    buffer_.Clear();
    caret_ = 0;
    caretFollows_ = false;
    logBox_.clear();
}

void oofLog::Kill() {
    invincible_ = false;
    setAttribute(Qt::WA_DeleteOnClose);
    close();
}

void oofLog::setUniqueName(const QString& name) {
    uniqueName_ = name;
    settings::LoadFormPlacement(*this, uniqueName_.toStdString());
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
    settings::SaveFormPlacement(*this, uniqueName_.toStdString());
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
    const int width = outer.width() - settings::twipsToPixels(kFrameWidthTwips, logicalDpiX());
    const int height = outer.height() - settings::twipsToPixels(kFrameHeightTwips, logicalDpiY());
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

void oofLog::setRefreshLimited(bool limited) {
    refreshLimited_ = limited;
}

// A test at the instrument's fastest pace logs a poll every few milliseconds; while the refresh
// is limited the box shows them at most every kRefreshEvery, all at once, so that laying out its
// text never keeps the window thread from the next poll.
void oofLog::scheduleRefresh() {
    if (refreshQueued_)
        return;
    refreshQueued_ = true;
    const qint64 since = sinceRefresh_.isValid() ? sinceRefresh_.elapsed() : kRefreshEvery.count();
    const auto wait = refreshLimited_ ? std::max(kRefreshEvery - std::chrono::milliseconds(since),
                                                 std::chrono::milliseconds(0))
                                      : std::chrono::milliseconds(0);
    QTimer::singleShot(wait, this, [this] {
        refreshQueued_ = false;
        sinceRefresh_.start();
        refreshBox();
    });
}

void oofLog::refreshBox() {
    // A hidden box is brought up to date when it is shown again.
    if (!logBox_.behind() || !isVisible())
        return;
    logBox_.catchUp(buffer_);
    if (caretFollows_) {
        txtDebug_->moveCursor(QTextCursor::End);
        txtDebug_->ensureCursorVisible();
    }
}

} // namespace diagnostics
