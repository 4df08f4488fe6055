// The real main window at Start, against the simulated instrument in virtual time: an existing
// data file is not replaced unasked, and a journal of an earlier test is offered before a test
// may take its place.

#include "app/datafile/data_collection.h"
#include "app/datafile/data_file_text.h"
#include "app/panel/config_panel.h"
#include "quenta/quenta.h"
#include "support/temp_folder.h"
#include "window_on_simulator.h"

#include <QPushButton>

namespace {

namespace fs = std::filesystem;
using testsupport::fileText;
using testsupport::putFile;

enum Answer { kFirst, kSecond, kThird };

class DataFileAtStart : public apptest::WindowOnSimulator {
protected:
    DataFileAtStart() {
        panelFor(simulated);
        window.configPanel().txtSampleRate()->setText("1");
        window.configPanel().txtTotalTestTime()->setText("3");
    }

    // Presses Start with the answer queued for its question, and runs the test to its end.
    void start(std::optional<Answer> answer) {
        if (answer)
            box->queueAnswer(*answer);
        window.cmdStart()->click();
        runToEnd();
    }
    fs::path pathBox() const { return window.leftColumn().txtPathToData()->text().toStdString(); }
    std::string sent() const { return sim.call<const char*(int)>("gpibsim_last_commands", 64); }
    const platform::RecordingMessageBox::Shown& lastShown() const { return box->shown().back(); }

    const fs::path run = programFolder / "run.txt";
};

TEST_F(DataFileAtStart, AnExistingDataFileIsKeptReplacedOrLeftAsTheUserAnswers) {
    putFile(run, "an earlier test");
    start(kFirst);
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(lastShown().answers, (std::vector<std::string>{"Keep both", "Replace", "Cancel"}));
    EXPECT_NE(lastShown().text.find(run.string()), std::string::npos);
    EXPECT_NE(lastShown().text.find("run-2.txt"), std::string::npos);
    EXPECT_EQ(pathBox(), programFolder / "run-2.txt");
    EXPECT_EQ(fileText(run), "an earlier test");
    EXPECT_TRUE(fileText(programFolder / "run-2.txt").starts_with(datafile::kDataFileHeader));

    start(kFirst); // "Keep both" again counts on from the kept file
    EXPECT_EQ(pathBox(), programFolder / "run-3.txt");

    putFile(programFolder / "run-3.txt", "stale");
    start(kSecond);
    EXPECT_EQ(pathBox(), programFolder / "run-3.txt");
    const std::string replaced = fileText(programFolder / "run-3.txt");
    EXPECT_TRUE(replaced.starts_with(datafile::kDataFileHeader));

    const std::string sentBefore = sent();
    start(kThird);
    EXPECT_EQ(box->shown().size(), 4u);
    EXPECT_EQ(sent(), sentBefore);
    EXPECT_EQ(fileText(programFolder / "run-3.txt"), replaced);

    dialogs.queueAnswer(run.string()); // the save dialog asks before it picks an existing file
    window.leftColumn().cmdBrowse()->click();
    start(std::nullopt);
    EXPECT_EQ(box->shown().size(), 4u);
    EXPECT_TRUE(fileText(run).starts_with(datafile::kDataFileHeader));
}

TEST_F(DataFileAtStart, AJournalInTheWayIsOfferedFirstAndTheTestStartsOnlyOnceItIsGone) {
    const fs::path journal = programFolder / "run.txt.partial";
    const std::string readings = std::string(datafile::kDataFileHeader) +
                                 "\r\n1\t1\t2E-12\t0\tAmps\t\tNAI+2.000E-12,V+0.00\r\n"
                                 "2\t2\t3E-12\t0\tAmps\t*\tLAI+3.000E-12,V+0.00\r\n";
    putFile(journal, readings);
    start(kThird);
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[0].answers, (std::vector<std::string>{"Recover", "Discard", "Later"}));
    EXPECT_NE(lastShown().text.find("is in the way: " + journal.string()), std::string::npos);
    EXPECT_EQ(fileText(journal), readings);
    EXPECT_EQ(sent(), "");

    start(kFirst);
    EXPECT_EQ(fileText(programFolder / "run-recovered.txt"), readings);
    EXPECT_FALSE(fs::exists(journal));
    EXPECT_EQ(application.readings().Count(), 2u);
    EXPECT_TRUE(application.readings().Item(2).AtCurrentLimit);
    EXPECT_NE(lastShown().text.find("run-recovered.txt"), std::string::npos);
    EXPECT_EQ(sent(), ""); // the recovered readings are shown, not wiped by a new test

    putFile(journal, readings);
    start(kSecond);
    EXPECT_FALSE(fs::exists(journal));
    EXPECT_NE(sent(), "");
    EXPECT_TRUE(fileText(run).starts_with(datafile::kDataFileHeader));
}

} // namespace
