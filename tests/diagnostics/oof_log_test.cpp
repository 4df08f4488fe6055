#include "diagnostics/error_queue.h"
#include "diagnostics/oof_log.h"
#include "platform/folders.h"
#include "settings/private_profile.h"
#include "settings/setting_keys.h"
#include "support/scoped_program_folders.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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
    // The window keeps its placement in the program folder: a temporary one here.
    void SetUp() override {
        window = new oofLog;
        window->resize(400, 300);
        window->show();
        runEventLoopTurn();
    }
    void TearDown() override { delete window.data(); }

    testsupport::TempFolder folder;
    testsupport::ScopedProgramFolders folders{folder.path(), folder.path()};
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
    diagnostics::oocErrorQueue errors;
    window->echoErrors(errors);
    errors.EnableLOGOutput();
    errors.AddString("Error occurred in a test");
    EXPECT_NE(window->boxText().find("Error occurred in a test"), std::string::npos);
    window->Kill();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(errors.logWindow(), nullptr);
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

// What a box given the whole buffer at once would show: one paragraph per line, and a new
// paragraph at a CR LF or a lone CR inside a line.
std::string expectedBox(const std::string& buffer) {
    QString text = QString::fromStdString(buffer);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    text.chop(1);
    QPlainTextEdit reference;
    reference.setPlainText(text);
    return reference.toPlainText().toStdString();
}

TEST_F(LogWindow, TheBoxFollowsTheBufferThroughTurnsOfEverySize) {
    const std::vector<std::string> kinds = {
        "plain",
        "",
        "tab\there",
        "two\r\nparts",
        "\xc3\xa9t\xc3\xa9 \xf0\x9f\x94\xa5", // two- and four-byte characters
        "lone\rcr",
        "\xe2\x80\xa9paragraph\xe2\x80\xa8line separators", // U+2029, U+2028
        std::string("nul\0byte", 8) + " and bad bytes \xff\xfe"};
    int sent = 0;
    for (int turnSize : {1, 7, 120, 499, 500, 501, 1300, 3}) {
        for (int i = 0; i < turnSize; ++i, ++sent)
            window->SendString(std::to_string(sent) +
                               kinds[static_cast<std::size_t>(sent) % kinds.size()]);
        runEventLoopTurn();
        ASSERT_EQ(shownText(*window).toStdString(), expectedBox(window->boxText()))
            << "after " << sent;
    }
}

TEST_F(LogWindow, AHiddenWindowCatchesUpWhenShown) {
    window->hide();
    for (int i = 0; i < 700; ++i)
        window->SendString("hidden " + std::to_string(i));
    runEventLoopTurn();
    window->show();
    EXPECT_EQ(shownText(*window).toStdString(), expectedBox(window->boxText()));
}

TEST_F(LogWindow, SettingUniqueNameMovesTheWindowToThePlacementSavedUnderIt) {
    const double dpi = window->screen()->logicalDotsPerInch();
    const auto twips = [dpi](int pixels) {
        return std::to_string(std::lround(pixels * 1440.0 / dpi));
    };
    std::ofstream(folder.path() / "Second log.ini")
        << "[FORM_PLACEMENT]\nLeft=" << twips(40) << "\nTop=" << twips(30)
        << "\nWidth=" << twips(320) << "\nHeight=" << twips(200) << "\n";
    window->setUniqueName("Second log");
    EXPECT_EQ(window->UniqueName(), "Second log");
    EXPECT_EQ(window->frameGeometry(), QRect(40, 30, 320, 200));
}

TEST_F(LogWindow, ClosingSavesThePlacementUnderItsUniqueName) {
    window->setUniqueName("Bus trace");
    window->close();
    const std::filesystem::path file = folder.path() / "Bus trace.ini";
    const int width = settings::GetPrivateProfileIntA(settings::keys::kPlacementSection,
                                                      settings::keys::kPlacementWidth, -1, file);
    EXPECT_GT(width, 0);
}

TEST_F(LogWindow, ClosingWhileInvincibleSavesNothing) {
    window->setInvincible(true);
    window->close();
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "oofLog.ini"));
}

} // namespace
