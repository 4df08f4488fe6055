// What a test leaves on disk while it runs (its journal), how data files are read back, and what
// the data file's checks refuse before a test starts.

#include "datafile_test_support.h"

#include "app/datafile/data_file.h"
#include "app/datafile/data_file_reader.h"
#include "app/datafile/data_file_start.h"
#include "app/datafile/data_file_text.h"
#include "platform/app_error.h"
#include "platform/message_box.h"
#include "support/scoped_mount.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using datafile::JournalPace;
using testsupport::fileText;
using testsupport::putFile;

long errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const platform::AppError& error) {
        return error.number();
    }
    return 0;
}

class Journal : public testing::Test {
protected:
    Journal() : dataFile(dialogs, folder.path(), session) {
        datafiletest::fillThreeReadings(readings);
        session.setDataPath((folder / "iv.txt").string());
    }

    // A test filing the three readings; the trouble the journal reported, its refusal first.
    std::vector<std::string> journalThree(JournalPace pace) {
        std::vector<std::string> troubles;
        if (auto refusal = dataFile.journal().open(session.dataPath(), "Amps", pace, now)) {
            troubles.push_back(*refusal);
            return troubles;
        }
        for (const auto& r : readings)
            if (auto trouble = dataFile.journal().append(*r, readings))
                troubles.push_back(*trouble);
        return troubles;
    }
    std::string text() const { return datafile::dataFileText(readings, "Amps"); }

    testsupport::TempFolder folder;
    app::ScriptedFileDialogs dialogs;
    app::Session session; // the application's, whose data path the data file writes
    datafile::DataFile dataFile;
    datafile::DataCollection readings;
    platform::ScopedRecordingMessageBox box;
    const std::chrono::system_clock::time_point now = std::chrono::system_clock::now();
};

TEST_F(Journal, InRealTimeEachReadingIsOnDiskAtOnceAndTheJournalGoesWithTheDataFile) {
    EXPECT_TRUE(journalThree(JournalPace::EachReading).empty());
    EXPECT_EQ(fileText(folder / "iv.txt.partial"), text()); // a journal is a data file
    ASSERT_TRUE(dataFile.SaveData(readings, "Amps"));
    EXPECT_EQ(fileText(folder / "iv.txt"), text());
    EXPECT_FALSE(fs::exists(folder / "iv.txt.partial"));
}

TEST_F(Journal, ADataFileThatCannotBeWrittenLeavesTheJournalAndEveryMessageNamesIt) {
    journalThree(JournalPace::Blocks);
    EXPECT_EQ(fs::file_size(folder / "iv.txt.partial"), 0u); // a dry run writes in blocks
    putFile(folder / "blocker", "x");
    session.setDataPath((folder / "blocker" / "iv.txt").string());
    EXPECT_FALSE(dataFile.SaveData(readings, "Amps"));
    EXPECT_EQ(fileText(folder / "iv.txt.partial"), text());
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find("The 3 readings are in " +
                                        (folder / "iv.txt.partial").string() + "."),
              std::string::npos)
        << box->shown()[0].text;
    EXPECT_EQ(dataFile.journal().whereKept(),
              "The 3 readings are in " + (folder / "iv.txt.partial").string());
}

TEST_F(Journal, WithoutADataFileTheJournalGoesToTheDataFolderUnderAFreeName) {
    session.setDataPath({});
    journalThree(JournalPace::EachReading);
    const fs::path first = datafile::unsavedReadingsPath(folder.path(), now, ".partial");
    EXPECT_EQ(fileText(first), text());
    journalThree(JournalPace::EachReading); // the same second: the first journal is kept
    EXPECT_EQ(fileText(first), text());
    EXPECT_EQ(fileText(first.parent_path() / (first.stem().string() + "-2.partial")), text());
}

// A journal is made as its test starts, and never over another: one left by a test that did not
// end is in the way, one a running test holds (its lock taken here by hand) is in use.
TEST_F(Journal, AFileAlreadyInTheJournalsPlaceIsNeverTouched) {
    const fs::path journal = folder / "iv.txt.partial";
    putFile(journal, "an earlier test's readings");
    EXPECT_EQ(journalThree(JournalPace::EachReading),
              std::vector{datafile::journalInTheWayText(journal)});
    {
        const auto held = settings::FileLock::tryTake(journal);
        ASSERT_TRUE(held);
        testsupport::TempFolder other;
        EXPECT_EQ(datafile::RunJournal(other.path())
                      .open(session.dataPath(), "Amps", JournalPace::Blocks, now),
                  datafile::journalInUseText(journal));
    }
    EXPECT_EQ(fileText(journal), "an earlier test's readings");
}

TEST(DataFileReader, ReadsBackWhatTheDataFileHoldsLineForLine) {
    datafile::DataCollection readings;
    datafiletest::fillThreeReadings(readings);
    const std::string text = datafile::dataFileText(readings, "Farads");
    const auto contents = datafile::parseDataFileText(text);
    ASSERT_TRUE(contents);
    ASSERT_EQ(contents->lines.size(), 3u);
    EXPECT_EQ(contents->skipped, 0u);
    EXPECT_FALSE(contents->unfinished);
    std::string rewritten(datafile::kDataFileHeader);
    rewritten += "\r\n";
    for (const datafile::DataFileLine& line : contents->lines) {
        std::string again;
        datafile::appendDataFileLine(again, line.reading, line.units);
        EXPECT_EQ(line.text, again);
        rewritten += again + "\r\n";
    }
    EXPECT_EQ(rewritten, text);
    EXPECT_TRUE(contents->lines[1].reading.AtCurrentLimit);
    EXPECT_EQ(contents->lines[1].reading.Current, -2.25e-7f);
}

TEST(DataFileReader, SkipsAndCountsMalformedLinesAndLeavesOutACutShortLastLine) {
    const std::string header(datafile::kDataFileHeader);
    const auto contents = datafile::parseDataFileText(
        header + "\r\n1\t0.5\t1E-12\t0\tAmps\t\tNAI+1E-12\t,V+0.00\r\n" // a tab from before
        + "2\t1\tx\t0\tAmps\t\tNAI\r\n"                                 // no number
        + "3\t1.5\t3E-12\t0\tAmps\t?\tNAI\r\n"                          // no limit mark
        + "\r\n"                                                        // empty
        + "12abc\t1\t3E-12\t0\tAmps\t\tNAI\r\n"                         // no index
        + "6\t1\t1e39\t0\tAmps\t\tNAI\r\n"                              // no 32-bit value
        + "4\t2\t4E-12\t0.5\tAmps\t*\tLAI\n"                            // LF alone
        + "5\t2.5\t5E-12\t0\tAmps\t\tNAI+5E-1");
    ASSERT_TRUE(contents);
    ASSERT_EQ(contents->lines.size(), 2u);
    EXPECT_EQ(contents->lines[0].reading.RawData, "NAI+1E-12\t,V+0.00");
    EXPECT_EQ(contents->lines[1].reading.Index, 4);
    EXPECT_EQ(contents->skipped, 5u);
    EXPECT_TRUE(contents->unfinished);
    EXPECT_FALSE(datafile::parseDataFileText("Index\tTime\r\n1\t2\r\n"));
    EXPECT_FALSE(datafile::parseDataFileText(header)); // no line end: not even the header
}

TEST(DataFileReader, RefusesWhatIsNoDataFileWithoutReadingItWhole) {
    testsupport::TempFolder folder;
    putFile(folder / "notes.txt", "Dear diary\r\n");
    using platform::errnum::InvalidFileFormat;
    EXPECT_EQ(errorNumberOf([&] { datafile::readDataFile(folder / "notes.txt"); }),
              InvalidFileFormat);
    EXPECT_EQ(errorNumberOf([&] { datafile::readDataFile(folder.path()); }), InvalidFileFormat);
    EXPECT_EQ(errorNumberOf([&] { datafile::readDataFile("/dev/zero"); }), InvalidFileFormat);
    EXPECT_EQ(errorNumberOf([&] { datafile::readDataFile(folder / "missing.txt"); }),
              platform::errnum::FileNotFound);
    EXPECT_FALSE(datafile::isDataFile("/dev/zero"));
}

TEST(DataFileNames, FreeNamesCountOnBeforeTheExtensionPastFilesAndJournals) {
    testsupport::TempFolder folder;
    putFile(folder / "iv.txt", "");
    EXPECT_EQ(datafile::nextFreeName(folder / "iv.txt"), folder / "iv-2.txt");
    putFile(folder / "iv-2.txt.partial", "");
    EXPECT_EQ(datafile::nextFreeName(folder / "iv.txt"), folder / "iv-3.txt");
    EXPECT_EQ(datafile::recoveredPathOf(folder / "iv.txt.partial"), folder / "iv-recovered.txt");
    putFile(folder / "iv-recovered.txt", "");
    EXPECT_EQ(datafile::recoveredPathOf(folder / "iv.txt.partial"), folder / "iv-recovered-2.txt");
}

class Probe : public testing::Test {
protected:
    // The refusal for the path, checked to name it and to leave no probe file behind.
    std::string refusalFor(const fs::path& path) {
        const auto refusal = datafile::probeRefusal(path.string());
        if (!refusal)
            return {};
        EXPECT_NE(refusal->find(path.string()), std::string::npos) << *refusal;
        return *refusal;
    }
    std::size_t entriesIn(const fs::path& where) {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(where), fs::directory_iterator()));
    }

    testsupport::TempFolder folder;
};

TEST_F(Probe, MakesTheFolderAndLeavesNothingWhereTheFileCanBeWritten) {
    EXPECT_EQ(refusalFor(folder / "runs" / "today" / "iv.txt"), "");
    EXPECT_EQ(entriesIn(folder / "runs" / "today"), 0u);
}

TEST_F(Probe, RefusesAPathThroughAFileAndAFolderForAFile) {
    putFile(folder / "plain", "x");
    EXPECT_NE(refusalFor(folder / "plain" / "iv.txt"), "");
    EXPECT_NE(refusalFor(folder.path()).find("is a folder"), std::string::npos);
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST_F(Probe, RefusesAFullDiskAndAReadOnlyFileSystem) {
    testsupport::ScopedTmpfs full(folder / "full", 8192);
    testsupport::ScopedTmpfs readOnly(folder / "ro", 8192, true);
    if (!full.mounted() || !readOnly.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    putFile(folder / "full" / "filler", std::string(8192, 'x'));
    ASSERT_EQ(fs::file_size(folder / "full" / "filler"), 8192u);
    EXPECT_NE(refusalFor(folder / "full" / "iv.txt").find("(61: Disk full"), std::string::npos);
    EXPECT_NE(refusalFor(folder / "ro" / "iv.txt").find("(70: Permission denied"),
              std::string::npos);
    EXPECT_EQ(entriesIn(folder / "full"), 1u);
}

} // namespace
