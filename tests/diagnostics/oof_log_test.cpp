#include "diagnostics/app_diagnostics.h"
#include "diagnostics/oof_log.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using diagnostics::oofLog;

void runEventLoopTurn() {
    QApplication::processEvents();
}

QString shownText(const oofLog& window) {
    return window.txtDebug()->toPlainText();
}

class LogWindow : public testing::Test {
protected:
    void SetUp() override {
        window = new oofLog;
        window->resize(400, 300);
        window->show();
        runEventLoopTurn();
    }
    void TearDown() override { delete window.data(); }

    QPointer<oofLog> window;
};

TEST_F(LogWindow, TheBufferIsExactAtOnceAndTheBoxCatchesUpInOneTurn) {
    window->SendString("first");
    window->SendString("second");
    EXPECT_EQ(window->boxText(), "first\r\nsecond\r\n");
    runEventLoopTurn();
    EXPECT_EQ(shownText(*window), "first\nsecond");
    EXPECT_TRUE(window->txtDebug()->textCursor().atEnd());
    EXPECT_EQ(window->caretPosition(), window->boxText().size() - 2);
}

TEST_F(LogWindow, TheBoxKeepsTheLast500Lines) {
    for (int i = 1; i <= 501; ++i)
        window->SendString("line " + std::to_string(i));
    runEventLoopTurn();
    EXPECT_EQ(window->lineCount(), 500);
    const QStringList lines = shownText(*window).split('\n');
    ASSERT_EQ(lines.size(), 500);
    EXPECT_EQ(lines.front(), "line 2");
    EXPECT_EQ(lines.back(), "line 501");
}

TEST_F(LogWindow, ADoubleClickEmptiesTheBox) {
    window->SendString("something");
    runEventLoopTurn();
    QTest::mouseDClick(window->txtDebug()->viewport(), Qt::LeftButton);
    EXPECT_EQ(window->boxText(), "");
    EXPECT_EQ(window->lineCount(), 0);
    EXPECT_EQ(shownText(*window), "");
    runEventLoopTurn(); // a refresh queued before the click must not bring the lines back
    EXPECT_EQ(shownText(*window), "");
}

TEST_F(LogWindow, ClearingWhileARefreshIsQueuedShowsOnlyLaterLines) {
    window->SendString("old");
    window->Clear();
    window->SendString("new");
    runEventLoopTurn();
    EXPECT_EQ(shownText(*window), "new");
}

TEST_F(LogWindow, ClosingAnInvincibleWindowHidesItAndLinesStillArrive) {
    window->setInvincible(true);
    window->SendString("before");
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    window->SendString("while hidden");
    runEventLoopTurn();
    window->show();
    runEventLoopTurn();
    EXPECT_EQ(shownText(*window), "before\nwhile hidden");
}

TEST_F(LogWindow, AWindowTheUserClosesKeepsItsObjectAndItsLines) {
    window->SendString("before");
    EXPECT_TRUE(window->close());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window.isNull());
    EXPECT_FALSE(window->isVisible());
    window->SendString("after");
    EXPECT_EQ(window->boxText(), "before\r\nafter\r\n");
}

TEST_F(LogWindow, KillEndsTheWindowEvenWhenInvincibleAndDetachesItsEchoes) {
    window->setInvincible(true);
    diagnostics::AppErrorQueue().LogWindow = window.data();
    diagnostics::AppDebugLog().LogWindow = window.data();
    window->Kill();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(diagnostics::AppErrorQueue().LogWindow, nullptr);
    EXPECT_EQ(diagnostics::AppDebugLog().LogWindow, nullptr);
}

TEST_F(LogWindow, KillEndsAHiddenWindowToo) {
    window->hide();
    window->Kill();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(LogWindow, PastTheCaretLimitTheTextUpdatesButTheCaretStays) {
    const std::string longLine(199, 'x');
    std::size_t lastFollowed = 0;
    for (int i = 0; i < 400; ++i) {
        window->SendString(longLine);
        if (window->boxText().size() < diagnostics::kCaretFollowLimit)
            lastFollowed = window->caretPosition();
    }
    EXPECT_GE(window->boxText().size(), diagnostics::kCaretFollowLimit);
    EXPECT_EQ(window->caretPosition(), lastFollowed);
    runEventLoopTurn();
    EXPECT_EQ(shownText(*window).count('\n'), 399);
}

TEST_F(LogWindow, TheBoxFillsTheWindowLessTheFrameAndNeverSpillsOver) {
    window->resize(500, 350);
    runEventLoopTurn();
    const QRect box = window->txtDebug()->geometry();
    EXPECT_EQ(box.topLeft(), QPoint(0, 0));
    const int frameWidth = (120 * window->logicalDpiX() + 720) / 1440;
    const int frameHeight = (400 * window->logicalDpiY() + 720) / 1440;
    EXPECT_EQ(box.width(), std::min(window->frameGeometry().width() - frameWidth, 500));
    EXPECT_EQ(box.height(), std::min(window->frameGeometry().height() - frameHeight, 350));
}

TEST_F(LogWindow, UniqueNameStartsAsTheWindowsOwnName) {
    EXPECT_EQ(window->UniqueName(), "oofLog");
    EXPECT_FALSE(window->Invincible());
    window->setUniqueName("Second log");
    EXPECT_EQ(window->UniqueName(), "Second log");
}

} // namespace
