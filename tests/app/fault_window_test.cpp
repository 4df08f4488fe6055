// The real main window on the simulated instrument when things go wrong around it: a disk that
// fills in the middle of a run, a journal that another run holds, a stop signal while a dialog
// is open. Nothing read may be lost, and the program must end when told to.

#include "app/datafile/data_file_text.h"
#include "app/headless_run.h"
#include "app/journal_offers.h"
#include "app/panel/config_panel.h"
#include "app/panel/option_group.h"
#include "app/signal_stop.h"
#include "app/stop_signals.h"
#include "diagnostics/qt_message_box.h"
#include "platform/stop_request.h"
#include "quenta/quenta.h"
#include "settings/written_file.h"
#include "support/scoped_mount.h"
#include "window_on_simulator.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>

namespace {

namespace fs = std::filesystem;
using testsupport::fileText;
using testsupport::putFile;

long lines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

class FaultWindow : public apptest::WindowOnSimulator {
protected:
    FaultWindow() { panelFor(simulated); }
    ~FaultWindow() override { platform::clearStopSignal(); }

    // 0 to 20 V in 0.01 V steps at 1 V/s: 2001 readings, 64 KiB of them before the journal's
    // first block goes out.
    void chooseLongSweep() {
        app::ConfigPanel& config = window.configPanel();
        config.optionFunction().setSelected(1, true);
        config.optionRamp().setSelected(0, true);
        config.txtConfig(1)->setText("20");
        config.txtConfig(2)->setText("0.01");
        config.txtConfig(5)->setText("1");
    }
    void setDataPath(const fs::path& path) {
        window.leftColumn().txtPathToData()->setText(QString::fromStdString(path.string()));
    }
    bool asked() const {
        return std::any_of(box->shown().begin(), box->shown().end(),
                           [](const auto& shown) { return !shown.answers.empty(); });
    }
    // Runs the event loop until the condition holds (a second at most).
    bool processUntil(const std::function<bool()>& condition) {
        for (int turn = 0; turn < 100 && !condition(); ++turn) {
            QApplication::processEvents();
            QTest::qWait(10);
        }
        return condition();
    }
};

TEST_F(FaultWindow, ADiskThatFillsInTheMiddleOfARunCostsNoReading) {
    testsupport::ScopedTmpfs small(programFolder / "small", 16384);
    if (!small.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const fs::path data = programFolder / "small" / "run.txt";
    const fs::path moved = programFolder / "data" / "run.txt.partial";
    setDataPath(data);
    chooseLongSweep();
    window.cmdStart()->click();
    const auto moving = [&] { return panel->notice().contains("now go to"); };
    runtime::runInVirtualTime(
        clock, [&] { return panel->run().TestRunning() && !moving(); },
        [] { QApplication::processEvents(); });
    EXPECT_NE(panel->notice().toStdString().find("its readings now go to " + moved.string()),
              std::string::npos)
        << panel->notice().toStdString();
    runToEnd();
    EXPECT_EQ(application.readings().Count(), 2001u);
    ASSERT_FALSE(box->shown().empty());
    const std::string told = box->shown().back().text;
    EXPECT_NE(told.find("The 2001 readings are in " + moved.string()), std::string::npos) << told;
    EXPECT_EQ(lines(fileText(moved)), 2002); // the header and every reading
}

// A running test's journal is its own: the start-up offers pass it over and a test on the same
// data file is refused, until its lock goes (here held as another process would hold it).
TEST_F(FaultWindow, AJournalARunningTestHoldsIsNeitherOfferedNorTaken) {
    const fs::path journal = programFolder / "data" / "held.txt.partial";
    fs::create_directories(journal.parent_path());
    putFile(journal, std::string(datafile::kDataFileHeader) + "\r\n");
    {
        const auto held = settings::FileLock::tryTake(journal);
        ASSERT_TRUE(held);
        app::OfferJournals(window);
        EXPECT_FALSE(asked());
        setDataPath(programFolder / "data" / "held.txt");
        window.cmdStart()->click();
        EXPECT_FALSE(window.testRunning());
        ASSERT_FALSE(box->shown().empty());
        EXPECT_EQ(box->shown().back().text, "The journal " + journal.string() +
                                                " is in use by a running test. Choose another "
                                                "data file.");
        EXPECT_EQ(sim.call<const char*(int)>("gpibsim_last_commands", 64), std::string());
    }
    box->queueAnswer(2); // Later
    app::OfferJournals(window);
    EXPECT_TRUE(asked());
    EXPECT_TRUE(fs::exists(journal));
}

// The program's real message boxes for one test, and its stop signals, which raise SIGTERM as
// soon as a box is open.
class SignalInADialog : public FaultWindow {
protected:
    SignalInADialog() {
        QObject::connect(&raiser, &QTimer::timeout, [] {
            if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) &&
                !platform::stopRequested())
                std::raise(SIGTERM);
        });
        raiser.start(10);
        window.show();
    }
    // The stop ends the event loops with QApplication::exit, which keeps every later dialog of
    // this process from opening until an application loop has run again.
    ~SignalInADialog() override {
        platform::installMessageBox(std::move(recording));
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    std::unique_ptr<platform::MessageBox> recording =
        platform::installMessageBox(std::make_unique<diagnostics::QtMessageBox>());
    app::StopSignals stopSignals{
        [this](int signal) { app::StopOnSignal(window, *panel, signal, false); }};
    QTimer raiser;
};

// The journal offer's default is Recover; told to stop, it answers Later and the window closes.
TEST_F(SignalInADialog, AJournalOfferIsAnsweredLaterAndTheWindowCloses) {
    const fs::path journal = programFolder / "data" / "left.txt.partial";
    fs::create_directories(journal.parent_path());
    const std::string left = std::string(datafile::kDataFileHeader) + "\r\n";
    putFile(journal, left);
    app::OfferJournals(window);
    EXPECT_EQ(platform::stopSignal(), SIGTERM);
    EXPECT_EQ(fileText(journal), left);
    EXPECT_FALSE(fs::exists(programFolder / "data" / "left-recovered.txt"));
    EXPECT_TRUE(processUntil([&] { return !window.isVisible(); }));
}

// The data file cannot be written at the end (a folder has taken its name): the box that says
// so closes, the save dialog gives no file, the readings go to a file of their own, and the
// window closes.
TEST_F(SignalInADialog, AtTheEndOfATestTheReadingsAreSavedUnaskedAndTheWindowCloses) {
    window.configPanel().txtSampleRate()->setText("1");
    window.configPanel().txtTotalTestTime()->setText("3");
    setDataPath(programFolder / "run.txt");
    window.cmdStart()->click();
    ASSERT_TRUE(window.testRunning());
    fs::create_directory(programFolder / "run.txt");
    runToEnd();
    EXPECT_EQ(platform::stopSignal(), SIGTERM);
    EXPECT_TRUE(processUntil([&] { return !window.isVisible(); }));
    const auto saved =
        std::find_if(fs::directory_iterator(programFolder / "data"), fs::directory_iterator(),
                     [](const auto& entry) { return entry.path().extension() == ".txt"; });
    ASSERT_NE(saved, fs::directory_iterator());
    EXPECT_GE(application.readings().Count(), 2u);
    EXPECT_EQ(lines(fileText(saved->path())),
              1 + static_cast<long>(application.readings().Count()));
}

// A signal beats a failure, a failure beats a lost run, a lost run beats missing readings.
TEST(ExitStatus, TheFirstThatAppliesOfASignalAFailureALostRunAndMissingReadings) {
    using testrun::RunOutcome;
    testrun::RunReport missing;
    missing.expected = 21;
    missing.filed = 20;
    testrun::RunReport lost;
    lost.outcome = RunOutcome::Lost;
    testrun::RunReport lostAndMissing = missing;
    lostAndMissing.outcome = RunOutcome::Lost;
    const testrun::RunReport clean;
    struct Case {
        const testrun::RunReport& report;
        bool saved;
        int signal;
        int status;
    };
    for (const Case& c :
         {Case{clean, true, 0, 0}, Case{missing, true, 0, 4}, Case{lost, true, 0, 3},
          Case{lostAndMissing, true, 0, 3}, Case{missing, false, 0, 1}, Case{lost, false, 0, 1},
          Case{lostAndMissing, false, 0, 1}, Case{clean, false, 0, 1},
          Case{lostAndMissing, false, SIGTERM, 143}, Case{clean, true, SIGINT, 130},
          Case{missing, true, SIGHUP, 129}, Case{lost, true, SIGTERM, 143}})
        EXPECT_EQ(app::RunExitStatus(c.report, c.saved, true, c.signal), c.status)
            << c.saved << " " << c.signal << " " << c.status;
}

} // namespace
