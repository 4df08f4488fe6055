#include "platform/app_error.h"
#include "platform/message_box.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

TEST(MessageBoxStyles, TheDefaultAnswerFollowsTheDefaultButtonBits) {
    using namespace platform::mb;
    EXPECT_EQ(platform::defaultAnswer(OkOnly | Exclamation), Ok);
    EXPECT_EQ(platform::defaultAnswer(OkCancel | Question), Ok);
    EXPECT_EQ(platform::defaultAnswer(OkCancel | DefaultButton2), Cancel);
    EXPECT_EQ(platform::defaultAnswer(YesNoCancel | DefaultButton3), Cancel);
    EXPECT_EQ(platform::defaultAnswer(YesNo | DefaultButton3), Yes); // no third button
}

TEST(RecordingMessageBox, RecordsAndAnswersFromItsQueueThenWithTheDefault) {
    platform::ScopedRecordingMessageBox box;
    box->queueAnswer(platform::mb::Cancel);
    EXPECT_EQ(platform::messageBox().show("first", "", platform::mb::OkCancel), platform::mb::Cancel);
    EXPECT_EQ(platform::messageBox().show("second", "T", platform::mb::OkCancel), platform::mb::Ok);
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[0].text, "first");
    EXPECT_EQ(box->shown()[1].title, "T");
    EXPECT_EQ(box->shown()[1].style, platform::mb::OkCancel);
}

TEST(RecordingMessageBox, TheScopeRestoresThePreviousBox) {
    platform::MessageBox* before = &platform::messageBox();
    {
        platform::ScopedRecordingMessageBox box;
        EXPECT_NE(&platform::messageBox(), before);
    }
    EXPECT_EQ(&platform::messageBox(), before);
}

TEST(CurrentError, ATrapRecordsTheErrorUntilCleared) {
    try {
        throw platform::AppError(53, "File not found", "FormUtility.FileExists");
    } catch (const platform::AppError& error) {
        platform::setCurrentError(error);
    }
    EXPECT_EQ(platform::currentError().number, 53);
    EXPECT_EQ(platform::currentError().description, "File not found");
    EXPECT_EQ(platform::currentError().source, "FormUtility.FileExists");
    platform::clearCurrentError();
    EXPECT_EQ(platform::currentError().number, 0);
    EXPECT_TRUE(platform::currentError().description.empty());
}

TEST(FileError, MapsErrnoOntoTheRuntimeNumbers) {
    EXPECT_EQ(platform::fileError(ENOENT, "/x", "s").number(), platform::errnum::FileNotFound);
    EXPECT_EQ(platform::fileError(EACCES, "/x", "s").number(), platform::errnum::PermissionDenied);
    EXPECT_EQ(platform::fileError(ENOSPC, "/x", "s").number(), platform::errnum::DiskFull);
    EXPECT_EQ(platform::fileError(ENOTDIR, "/x", "s").number(), platform::errnum::PathNotFound);
    EXPECT_EQ(platform::fileError(EIO, "/x", "s").number(), platform::errnum::DeviceIo);
    const platform::AppError error = platform::fileError(EACCES, "/data/run.txt", "SaveData");
    EXPECT_NE(error.description().find("/data/run.txt"), std::string::npos);
    EXPECT_EQ(error.source(), "SaveData");
}

} // namespace
