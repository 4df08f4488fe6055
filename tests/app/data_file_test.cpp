#include "datafile_test_support.h"

#include "app/datafile/data_file.h"
#include "app/datafile/data_file_text.h"
#include "platform/app_error.h"
#include "platform/message_box.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using app::ScriptedFileDialogs;
using datafile::DataCollection;
using datafile::DataFile;
using testsupport::fileText;
using testsupport::putFile;
using testsupport::TempFolder;

class SaveDataTest : public testing::Test {
protected:
    SaveDataTest() : dataFile(dialogs, folder.path(), session) {
        fillThreeReadings(readings);
        session.setDataPath((folder / "runs/today/iv.txt").string());
    }

    static void fillThreeReadings(DataCollection& c) { datafiletest::fillThreeReadings(c); }
    std::string expectedText() const { return datafile::dataFileText(readings, "Amps"); }
    // A path whose folder cannot be made: a plain file stands where the folder should be.
    std::string blockedPath() const {
        putFile(folder / "blocker", "x");
        return (folder / "blocker/sub/iv.txt").string();
    }

    TempFolder folder;
    ScriptedFileDialogs dialogs;
    app::Session session; // the application's, whose data path the data file writes
    DataFile dataFile;
    DataCollection readings;
    platform::ScopedRecordingMessageBox box;
};

TEST_F(SaveDataTest, WritesTheFileMakingItsFolders) {
    EXPECT_TRUE(dataFile.SaveData(readings, "Amps"));
    EXPECT_EQ(fileText(session.dataPath()), expectedText());
    EXPECT_TRUE(box->shown().empty());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(SaveDataTest, ReplacesThePreviousFileWholeAndLeavesNoTemporaryFile) {
    std::filesystem::create_directories(folder / "runs/today");
    putFile(session.dataPath(), std::string(100000, 'o'));
    ASSERT_TRUE(dataFile.SaveData(readings, "Amps"));
    EXPECT_EQ(fileText(session.dataPath()), expectedText());
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(folder / "runs/today"))
        ++files;
    EXPECT_EQ(files, 1u);
}

TEST_F(SaveDataTest, FolderThatCannotBeMadeIsReportedAndTheReadingsSavedElsewhere) {
    session.setDataPath(blockedPath());
    const std::string elsewhere = (folder / "rescued.txt").string();
    dialogs.queueAnswer(elsewhere);

    EXPECT_TRUE(dataFile.SaveData(readings, "Amps"));

    ASSERT_EQ(box->shown().size(), 1u);
    const std::string& text = box->shown()[0].text;
    EXPECT_EQ(text.rfind("76: Path not found", 0), 0u) << text;
    EXPECT_NE(text.find("\"" + session.dataPath() + "\""), std::string::npos) << text;
    EXPECT_NE(text.find("3 readings are kept"), std::string::npos) << text;
    EXPECT_EQ(box->shown()[0].style & platform::mb::IconMask, platform::mb::Exclamation);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].request.title, "Save Data File As...");
    EXPECT_EQ(fileText(elsewhere), expectedText());
    EXPECT_EQ(readings.Count(), 3u);
}

TEST_F(SaveDataTest, CancelledRescueKeepsTheReadingsAndEndsQuietly) {
    session.setDataPath(blockedPath());
    EXPECT_FALSE(dataFile.SaveData(readings, "Amps"));
    EXPECT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(readings.Count(), 3u);
    EXPECT_EQ(readings.Item(2).Index, 2);
}

TEST_F(SaveDataTest, EmptyDataPathIsReportedNotSilentlyLost) {
    session.setDataPath({});
    EXPECT_FALSE(dataFile.SaveData(readings, "Amps"));
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find("no data file was chosen"), std::string::npos);
    EXPECT_EQ(
        box->shown()[0].text.rfind(std::to_string(platform::errnum::PathFileAccess) + ": ", 0), 0u);
}

// Told to stop, the program asks nobody: readings with nowhere to go get a file of their own.
TEST_F(SaveDataTest, UnaskedTheReadingsGoToTheDataFileOrAFileOfTheirOwn) {
    const auto now = std::chrono::system_clock::now();
    EXPECT_EQ(dataFile.SaveDataUnasked(readings, "Amps", now).written, session.dataPath());
    for (const std::string& path : {std::string(), blockedPath()}) {
        session.setDataPath(path);
        const auto written = dataFile.SaveDataUnasked(readings, "Amps", now).written;
        ASSERT_TRUE(written);
        EXPECT_EQ(*written, datafile::unsavedReadingsPath(folder.path(), now, ".txt").string());
        EXPECT_EQ(fileText(*written), expectedText());
    }
    EXPECT_TRUE(box->shown().empty());
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(
        datafile::unsavedReadingsPath("/p", now, ".txt").string().starts_with("/p/data/unsaved-"));
}

// The record goes beside its data file, named after it, and the two are replaced together: a
// record that cannot be written leaves the earlier data file as it was.
TEST_F(SaveDataTest, TheRunRecordIsWrittenWithItsDataFileOrNeitherIs) {
    EXPECT_TRUE(dataFile.SaveData(readings, "Amps", "[Run]\noutcome=complete\n"));
    EXPECT_EQ(fileText(folder / "runs/today/iv.run.ini"), "[Run]\noutcome=complete\n");
    EXPECT_EQ(fileText(session.dataPath()), expectedText());
    EXPECT_EQ(dataFile.lastWritten(), session.dataPath());

    session.setDataPath((folder / "runs/today/cv.TXT").string());
    putFile(session.dataPath(), "an earlier run");
    std::filesystem::create_directory(folder / "runs/today/cv.run.ini"); // in the record's way
    EXPECT_FALSE(dataFile.SaveData(readings, "Amps", "[Run]\n"));
    EXPECT_EQ(fileText(session.dataPath()), "an earlier run");
    EXPECT_EQ(box->shown().size(), 1u);
    EXPECT_FALSE(dataFile.lastWritten());
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(folder / "runs/today"))
        ++files;
    EXPECT_EQ(files, 4u); // no temporary file is left behind

    EXPECT_EQ(datafile::runRecordPathOf("/d/iv.dat"), "/d/iv.dat.run.ini");
    EXPECT_EQ(datafile::runRecordPathOf("/d/iv"), "/d/iv.run.ini");
}

TEST_F(SaveDataTest, RescueThatFailsAgainIsReportedAgain) {
    session.setDataPath(blockedPath());
    dialogs.queueAnswer((folder / "blocker/other.txt").string());
    dialogs.queueAnswer((folder / "second.txt").string());
    EXPECT_TRUE(dataFile.SaveData(readings, "Amps"));
    EXPECT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(fileText(folder / "second.txt"), expectedText());
}

TEST_F(SaveDataTest, SaveDialogStartsInTheDataFolderAndCancelKeepsThePath) {
    const std::string before = session.dataPath();
    dataFile.browse();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const ScriptedFileDialogs::Shown& shown = dialogs.shown()[0];
    EXPECT_EQ(shown.kind, ScriptedFileDialogs::Kind::Save);
    EXPECT_EQ(shown.request.folder, folder.path() / "data" / "");
    EXPECT_EQ(shown.request.fileName, "");
    EXPECT_EQ(shown.request.filters, (std::vector<std::string>{"Data Files (*.txt)", "All (*.*)"}));
    EXPECT_EQ(shown.request.defaultSuffix, "txt");
    EXPECT_TRUE(shown.request.confirmOverwrite);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "data"));
    EXPECT_EQ(session.dataPath(), before);
}

TEST_F(SaveDataTest, BrowseMakesTheChosenFileTheDataPath) {
    dialogs.queueAnswer("/srv/lab/cv.txt");
    dataFile.browse();
    EXPECT_EQ(session.dataPath(), "/srv/lab/cv.txt");
}

} // namespace
