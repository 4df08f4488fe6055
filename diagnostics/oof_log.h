#pragma once

#include "error_queue.h"
#include "log_box.h"
#include "log_buffer.h"
#include "platform/log_sink.h"

#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <chrono>

class QPlainTextEdit;

namespace diagnostics {

// The debug output window: a modeless tool window showing the most recent diagnostic lines in
// txtDebug. The buffer is exact after every SendString; the box repaints at most once per
// event-loop turn, so a burst of lines costs one repaint. A window the user closes keeps its
// object (hidden) and its lines; only Kill ends it.
class oofLog final : public QWidget, public platform::LogSink {
    Q_OBJECT

public:
    explicit oofLog(QWidget* parent = nullptr);
    ~oofLog() override;

    // The queue's messages echo here from now on, until this window is destroyed.
    void echoErrors(oocErrorQueue& queue);

    void SendString(const std::string& s) override;
    // While a test runs in real time, the box shows new lines at most every kRefreshEvery.
    void setRefreshLimited(bool limited);
    void Clear();
    // Closes the window for good, saving its placement; the object is deleted afterwards.
    void Kill();

    bool Invincible() const { return invincible_; }
    void setInvincible(bool invincible) { invincible_ = invincible; }
    const QString& UniqueName() const { return uniqueName_; }
    // Stores the name and moves the window to the placement saved under it.
    void setUniqueName(const QString& name);

    // What txtDebug shows, read from the buffer, so it is exact even before the box repaints.
    const std::string& boxText() const { return buffer_.text(); }
    int lineCount() const { return buffer_.lineCount(); }
    std::size_t caretPosition() const { return caret_; }
    QPlainTextEdit* txtDebug() const { return txtDebug_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_QueryUnload(QCloseEvent& event);
    void Form_Resize();
    void txtDebug_DblClick() { Clear(); }
    void scheduleRefresh();
    void refreshBox();

    QPlainTextEdit* txtDebug_;
    LogBuffer buffer_;
    LogBox logBox_;
    QString uniqueName_;
    bool invincible_ = false;
    std::size_t caret_ = 0;
    bool caretFollows_ = false;
    bool refreshQueued_ = false;
    static constexpr std::chrono::milliseconds kRefreshEvery{100};
    QElapsedTimer sinceRefresh_;
    bool refreshLimited_ = false;
    oocErrorQueue* echoed_ = nullptr;
};

} // namespace diagnostics
