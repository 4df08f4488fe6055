#include "diagnostics/error_queue.h"
#include "platform/app_error.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using diagnostics::oocErrorQueue;

const std::string kHeader = "The following errors have occurred:";

class RecordingSink : public platform::LogSink {
public:
    void SendString(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

class RecordingCaption : public diagnostics::CaptionSink {
public:
    void showCaption(const std::string& caption) override { captions.push_back(caption); }
    std::vector<std::string> captions;
};

TEST(ErrorQueue, StartsEmptyWithItsTitleAndHeader) {
    const oocErrorQueue queue;
    EXPECT_FALSE(queue.ErrorsExist());
    EXPECT_EQ(queue.messageTitle(), "QE");
    EXPECT_EQ(queue.GetErrorString(), "The following errors have occurred:");
}

TEST(ErrorQueue, ErrorsExistFollowsAddingAndFlushing) {
    oocErrorQueue queue;
    queue.AddString("A");
    EXPECT_TRUE(queue.ErrorsExist());
    queue.FlushErrors();
    EXPECT_FALSE(queue.ErrorsExist());
}

TEST(ErrorQueue, GetErrorStringPutsHeaderEntriesAndFooterOnLinesOfTheirOwn) {
    oocErrorQueue queue;
    queue.AddString("A");
    queue.AddString("B");
    EXPECT_EQ(queue.GetErrorString(), "The following errors have occurred:\r\nA\r\nB");
    queue.setMessageFooter("Check the cable.");
    EXPECT_EQ(queue.GetErrorString(),
              "The following errors have occurred:\r\nA\r\nB\r\nCheck the cable.");
}

TEST(ErrorQueue, AddErrorDescribesTheCurrentError) {
    oocErrorQueue queue;
    platform::setCurrentError(platform::ErrorRecord{5, "X", ""});
    queue.AddError();
    queue.AddError("at start");
    platform::clearCurrentError();
    queue.AddError();
    EXPECT_EQ(queue.GetErrorString(), kHeader + "\r\n5: X. \r\n5: X. at start\r\n0: . ");
}

TEST(ErrorQueue, MessageAppendSuffixesEntriesButNotTheLastMessage) {
    oocErrorQueue queue;
    RecordingCaption label;
    queue.setOutputLabel(&label);
    queue.EnablebLBLOutput();
    queue.setMessageAppend(" (GPIB0)");
    queue.AddString("A");
    EXPECT_EQ(queue.lastMessage(), "A");
    EXPECT_EQ(queue.GetErrorString(), kHeader + "\r\nA (GPIB0)");
    queue.setMessageAppend(" (GPIB1)"); // the caption follows the new suffix at once
    EXPECT_EQ(label.captions, (std::vector<std::string>{" (GPIB0)", "A (GPIB0)", "A (GPIB1)"}));
}

TEST(ErrorQueue, EchoesGoOnlyWhereTurnedOnAndAttached) {
    oocErrorQueue queue;
    RecordingSink window;
    RecordingCaption label;
    queue.AddString("no target yet");
    queue.EnableLOGOutput();
    queue.EnablebLBLOutput();
    queue.AddString("turned on, nothing attached");
    queue.setLogWindow(&window);
    queue.setOutputLabel(&label);
    queue.AddString("both");
    queue.DisableLOGOutput();
    queue.AddString("label only");
    queue.EnableLOGOutput();
    queue.DisablebLBLOutput();
    queue.AddString("window only");
    EXPECT_EQ(window.lines, (std::vector<std::string>{"both", "window only"}));
    EXPECT_EQ(label.captions, (std::vector<std::string>{"both", "label only"}));
}

TEST(ErrorQueueDisplay, AnEmptyQueueShowsNothingAndKeepsItsHeader) {
    platform::ScopedRecordingMessageBox box;
    oocErrorQueue queue;
    queue.DisplayErrors("New header", platform::mb::Critical);
    EXPECT_TRUE(box->shown().empty());
    EXPECT_EQ(queue.messageHeader(), "The following errors have occurred:");
}

TEST(ErrorQueueDisplay, ShowsEverythingOnceThenForgetsIt) {
    platform::ScopedRecordingMessageBox box;
    oocErrorQueue queue;
    queue.AddString("A");
    queue.AddString("B");
    queue.DisplayErrors();
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(box->shown()[0].text, "The following errors have occurred:\r\nA\r\nB");
    EXPECT_EQ(box->shown()[0].title, "QE");
    EXPECT_EQ(box->shown()[0].style, platform::mb::OkOnly);
    EXPECT_FALSE(queue.ErrorsExist());
}

TEST(ErrorQueueDisplay, ANewHeaderHoldsForLaterDisplaysToo) {
    platform::ScopedRecordingMessageBox box;
    oocErrorQueue queue;
    queue.AddString("A");
    queue.DisplayErrors("Bus errors:", platform::mb::Exclamation);
    queue.AddString("B");
    queue.DisplayErrors();
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[0].text, "Bus errors:\r\nA");
    EXPECT_EQ(box->shown()[0].style, platform::mb::Exclamation);
    EXPECT_EQ(box->shown()[1].text, "Bus errors:\r\nB");
}

// The desktop box runs an event loop; a timer tick may queue an error while it is up.
class BoxThatQueuesWhileShown : public platform::MessageBox {
public:
    explicit BoxThatQueuesWhileShown(oocErrorQueue& queue) : queue_(queue) {}
    int show(const std::string&, const std::string&, int) override {
        queue_.AddString("arrived while shown");
        return platform::mb::Ok;
    }
    std::size_t ask(const std::string&, const std::vector<std::string>&, std::size_t) override {
        return 0;
    }

private:
    oocErrorQueue& queue_;
};

TEST(ErrorQueueDisplay, AnErrorQueuedWhileTheBoxIsUpIsKept) {
    oocErrorQueue queue;
    auto previous = platform::installMessageBox(std::make_unique<BoxThatQueuesWhileShown>(queue));
    queue.AddString("A");
    queue.DisplayErrors();
    platform::installMessageBox(std::move(previous));
    EXPECT_EQ(queue.GetErrorString(), kHeader + "\r\narrived while shown");
}

} // namespace
