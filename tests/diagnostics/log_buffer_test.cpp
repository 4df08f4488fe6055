#include "diagnostics/log_buffer.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using diagnostics::LogBuffer;

std::string numbered(int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

void sendNumbered(LogBuffer& buffer, int first, int last) {
    for (int i = first; i <= last; ++i)
        buffer.SendString("line " + std::to_string(i));
}

TEST(LogBuffer, The501stLineDropsTheOldest) {
    LogBuffer buffer;
    sendNumbered(buffer, 1, 500);
    EXPECT_EQ(buffer.text(), numbered(1, 500));
    sendNumbered(buffer, 501, 501);
    EXPECT_EQ(buffer.lineCount(), 500);
    EXPECT_EQ(buffer.text(), numbered(2, 501));
    EXPECT_EQ(buffer.length(), buffer.text().size());
}

TEST(LogBuffer, ClearAfter600LinesLeavesOnlyTheLinesThatFollow) {
    LogBuffer buffer;
    sendNumbered(buffer, 1, 600);
    buffer.Clear();
    EXPECT_EQ(buffer.text(), "");
    EXPECT_EQ(buffer.lineCount(), 0);
    sendNumbered(buffer, 601, 603);
    EXPECT_EQ(buffer.text(), numbered(601, 603));
    EXPECT_EQ(buffer.lineCount(), 3);
}

TEST(LogBuffer, ALineHoldingCrLfCountsOnceAndLeavesWhole) {
    LogBuffer buffer;
    buffer.SendString("reply\r\nsecond part");
    EXPECT_EQ(buffer.text(), "reply\r\nsecond part\r\n");
    EXPECT_EQ(buffer.lineCount(), 1);
    sendNumbered(buffer, 2, 500);
    EXPECT_EQ(buffer.lineCount(), 500);
    sendNumbered(buffer, 501, 501);
    EXPECT_EQ(buffer.text(), numbered(2, 501)); // no "second part" left behind
}

TEST(LogBuffer, LinesOfSeveralPartsKeepTheBufferBounded) {
    LogBuffer buffer;
    for (int i = 0; i < 2000; ++i)
        buffer.SendString("a\r\nb");
    EXPECT_EQ(buffer.lineCount(), 500);
    EXPECT_EQ(buffer.length(), 500u * 6u);
}

// Every SendString leaves the text exactly what plain appending and trimming would give.
TEST(LogBuffer, TheTextIsExactAfterEverySend) {
    LogBuffer buffer;
    std::string model;
    std::size_t modelLines = 0;
    for (int i = 0; i < 1200; ++i) {
        const std::string line(static_cast<std::size_t>(i % 37), static_cast<char>('a' + i % 26));
        buffer.SendString(line);
        model += line + "\r\n";
        if (++modelLines > 500) {
            model.erase(0, model.find("\r\n") + 2);
            --modelLines;
        }
        ASSERT_EQ(buffer.text(), model) << "after line " << i;
        ASSERT_EQ(buffer.length(), model.size());
    }
}

TEST(CaretRule, TheCaretGoesBeforeTheFinalLineBreakBelow65500Characters) {
    using diagnostics::caretAfterSend;
    EXPECT_EQ(caretAfterSend(3, 0), 1u); // "x\r\n"
    EXPECT_EQ(caretAfterSend(2, 9), 9u); // an empty line: length - 2 is 0
    EXPECT_EQ(caretAfterSend(65499, 0), 65497u);
    EXPECT_EQ(caretAfterSend(65500, 42), 42u);
    EXPECT_EQ(caretAfterSend(100000, 42), 42u);
}

} // namespace
