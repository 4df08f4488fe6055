// The program run headless as a lab script runs it, when things go wrong around it: two runs on
// one data file, stop signals at awkward moments, a driver call that never returns, a closed
// standard error, odd files and names. Nothing read may be lost and nothing may hang.

#include "headless_program_support.h"
#include "platform/message_box.h"

#include <chrono>
#include <csignal>
#include <sys/stat.h>
#include <thread>

namespace {

using namespace headlesstest;
using std::chrono::steady_clock;

// A current test that reads every 0.1 s for ten minutes, in real time.
fs::path longCurrentTest(const fs::path& folder) {
    putFile(folder / "i.ini", "[FORM]\noptionFunction(0)=1\ntxtSampleRate=0.1\n"
                              "txtTotalTestTime=600\ntxtGPIBAddress=16\n");
    return folder / "i.ini";
}

class HeadlessFaults : public HeadlessProgram {
protected:
    // The program in the background on the driver, into out.txt.
    std::unique_ptr<Started> startInBackground(const std::string& driver,
                                               std::vector<std::string> more = {},
                                               std::vector<std::string> variables = {}) {
        std::vector<std::string> arguments{program().string(),
                                           "--app-dir",
                                           (folder / "program").string(),
                                           "--driver",
                                           driver,
                                           "--run",
                                           longCurrentTest(folder.path()).string(),
                                           "--data",
                                           (folder / "out.txt").string()};
        arguments.insert(arguments.end(), more.begin(), more.end());
        std::vector<std::string> environment = offscreenEnvironment(folder.path());
        environment.push_back("TARVIX_GPIBSIM_CONFIG=" + (folder / "sim.ini").string());
        environment.insert(environment.end(), variables.begin(), variables.end());
        return std::make_unique<Started>(arguments, environment, (folder / "stderr.txt").string());
    }
    bool traced(const char* what) const { return trace().find(what) != std::string::npos; }
};

// The second run's board clear must not reach the first run's bus, and its refusal names the
// journal the first one holds; the first run's readings are untouched.
TEST_F(HeadlessFaults, ASecondRunOnTheSameDataFileIsRefusedBeforeItsFirstBusCall) {
    putFile(folder / "sim.ini", "");
    auto first = startInBackground("sim");
    ASSERT_TRUE(waitFor([&] { return traced("\tReceive\t"); }));
    const fs::path firstTrace = folder / "first-trace.txt";
    fs::rename(folder / "trace.txt", firstTrace);
    const fs::path journal = folder / "out.txt.partial";
    EXPECT_EQ(run("--driver sim --run " + quoted(longCurrentTest(folder.path())) + " --data " +
                  quoted(folder / "out.txt")),
              1);
    EXPECT_EQ(lastError(), std::string(platform::kAppTitle) + ": The journal " + journal.string() +
                               " is in use by a running test. Choose another data file.");
    EXPECT_FALSE(fs::exists(folder / "trace.txt") && !trace().empty()) << trace();
    EXPECT_EQ(first->stop(SIGTERM), 143);
    EXPECT_GE(lines(data()), 2);
    EXPECT_FALSE(fs::exists(journal));
}

// Told to stop while the set-up goes over a slow bus, the program sends nothing more of it,
// never starts the instrument, and idles it.
TEST_F(HeadlessFaults, ASignalDuringTheDownloadStartsNothing) {
    putFile(folder / "sim.ini", "[faults]\ncall_delay_ms = 200\n");
    auto tarvix = startInBackground("sim");
    ASSERT_TRUE(waitFor([&] { return traced("\tSend\t"); }));
    EXPECT_EQ(tarvix->stop(SIGTERM), 143);
    EXPECT_FALSE(traced("\tW1\\r\\n")) << trace();
    const std::string sent = trace();
    for (const char* idle : {"\tW7\\r\\n", "\tD0\\r\\n", "\tEnableLocal\t"})
        EXPECT_NE(sent.find(idle), std::string::npos) << idle;
}

// A reader of standard error that goes away (a pager quit, `| head`) must not end the test.
TEST_F(HeadlessFaults, AClosedStandardErrorDoesNotEndTheTest) {
    putFile(folder / "sim.ini", "");
    const std::string command = "bash -c '" + environment() + quoted(program()) + " --app-dir " +
                                quoted(folder / "program") + " --driver sim --dry-run --run " +
                                quoted(example("IV_diode_sweep.ini")) + " --data " +
                                quoted(folder / "out.txt") +
                                " 2>&1 | head -c 20 >/dev/null; exit ${PIPESTATUS[0]}'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(lines(data()), 22);
    EXPECT_NE(trace().rfind("\tD0\\r\\n"), std::string::npos);
}

// A driver call that never returns: the watchdog ends the process once a stop signal or the
// run's time limit has come, with the readings on disk and a word about the output.
TEST_F(HeadlessFaults, ADriverCallThatNeverReturnsEndsTheRunAtTheSignalOrTheTimeLimit) {
    const fs::path mark = folder / "hanging";
    const std::vector<std::string> hang{"TARVIX_HANG_AFTER=12",
                                        "TARVIX_HANG_MARK=" + mark.string()};
    struct Case {
        std::vector<std::string> options;
        int signal;
        int status;
    };
    for (const Case& c : {Case{{}, SIGTERM, 143}, Case{{"--max-time", "1"}, 0, 3}}) {
        fs::remove(folder / "out.txt.partial");
        fs::remove(mark);
        auto tarvix = startInBackground(HANGING_DRIVER, c.options, hang);
        ASSERT_TRUE(waitFor([&] { return fs::exists(mark); }));
        const auto hungAt = steady_clock::now();
        const int status = c.signal ? tarvix->stop(c.signal) : tarvix->wait();
        EXPECT_EQ(status, c.status);
        EXPECT_LT(steady_clock::now() - hungAt, std::chrono::seconds(8));
        const fs::path journal = folder / "out.txt.partial";
        const long readings = lines(fileText(journal)) - 1;
        EXPECT_GE(readings, 1) << "the readings before the hang";
        EXPECT_NE(lastError().find("has not returned for "), std::string::npos) << errors();
        EXPECT_NE(lastError().find("its output may still be on. The " + std::to_string(readings) +
                                   " readings are in " + journal.string() + "."),
                  std::string::npos)
            << lastError();
    }
}

// The window's offer of a journal left behind is open when the signal comes: it answers Later
// (not its default, Recover), and the program ends with 128 + the signal.
TEST_F(HeadlessFaults, ASignalWhileTheStartUpOfferIsOpenKeepsTheJournalAndEndsTheProgram) {
    const fs::path journal = folder / "program" / "data" / "left.txt.partial";
    fs::create_directories(journal.parent_path());
    const std::string left = "Index\tTime\tMeasurement\tVoltage\tUnits\tAt Current Limit\tRaw "
                             "Data\r\n1\t1\t1E-12\t0\tAmps\t\tNAI+1.000E-12,V+0.00\r\n";
    putFile(journal, left);
    Started tarvix({program().string(), "--app-dir", (folder / "program").string()},
                   offscreenEnvironment(folder.path()));
    ASSERT_TRUE(waitFor([&] { return tarvix.catches(SIGTERM); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the offer is up by now
    EXPECT_EQ(tarvix.stop(SIGTERM), 143);
    EXPECT_EQ(fileText(journal), left);
    EXPECT_FALSE(fs::exists(folder / "program" / "data" / "left-recovered.txt"));
}

// Anything but a regular file is refused before it is opened: a FIFO would wait for a writer.
TEST_F(HeadlessFaults, AConfigurationThatIsNoRegularFileIsRefusedAtOnce) {
    const fs::path fifo = folder / "config.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto started = steady_clock::now();
    EXPECT_EQ(dryRun(fifo), 2);
    EXPECT_LT(steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_NE(lastError().find(fifo.string() + " is not a regular file"), std::string::npos)
        << lastError();
}

// A byte order mark is no part of the file; an empty value and a key given twice are named.
TEST_F(HeadlessFaults, AConfigurationFromAnotherEditorRunsAndWhatItGivesAmissIsNamed) {
    std::string config = fileText(example("IV_diode_sweep.ini"));
    config.erase(0, config.find("[FORM]")); // the mark before the section's very header
    config.replace(config.find("txtConfig(2)=0.05"), 17, "txtConfig(2)=");
    config += "txtConfig(5)=0.2\n";
    putFile(folder / "bom.ini", "\xEF\xBB\xBF" + config);
    EXPECT_EQ(dryRun(folder / "bom.ini"), 0) << errors();
    EXPECT_NE(errors().find("txtConfig(2) has no value, so the panel keeps its own\n"),
              std::string::npos)
        << errors();
    EXPECT_NE(errors().find("txtConfig(5) is given more than once; the first value, '0.1', is "
                            "used\n"),
              std::string::npos);
}

// Names the run cannot write are refused before anything is sent: no name at all, one whose
// bytes are no UTF-8, one whose run record or journal would be longer than a name may be.
TEST_F(HeadlessFaults, DataFileNamesTheRunCannotWriteAreRefusedBeforeAnyBusCall) {
    const fs::path config = example("IV_diode_sweep.ini");
    const std::string iv = "--driver sim --dry-run --run " + quoted(config) + " --data ";
    EXPECT_EQ(run(iv + "''"), 2);
    EXPECT_NE(errors().find("option --data needs the name of the data file"), std::string::npos);
    EXPECT_EQ(run(iv + quoted(folder / "r\xff\xfe\x80un.txt")), 2);
    EXPECT_NE(errors().find("r\\xFF\\xFE\\x80un.txt"), std::string::npos) << errors();
    const fs::path longName = folder / (std::string(242, 'x') + ".txt");
    EXPECT_EQ(run(iv + quoted(longName)), 1);
    EXPECT_NE(lastError().find("The data file " + longName.string() + " cannot be written"),
              std::string::npos)
        << lastError();
    EXPECT_FALSE(fs::exists(folder / "trace.txt") && !trace().empty());
    EXPECT_TRUE(!fs::exists(folder / "program" / "data") ||
                fs::is_empty(folder.path() / "program" / "data"));
}

// An I test ends when the instrument switches its output off, and says so; it expects the
// readings its time can hold at the least; and one that can take none is refused.
TEST_F(HeadlessFaults, ACurrentTestCountsItsReadingsAndEndsWhenTheOutputGoesOff) {
    const fs::path example_ = example("I_current_vs_time.ini");
    EXPECT_EQ(dryRun(example_), 0) << lastError();
    EXPECT_NE(fileText(folder / "out.run.ini").find("\nexpected=57\n"), std::string::npos);

    EXPECT_EQ(dryRun(example_, "output_off_after = 5\n"), 4);
    EXPECT_EQ(lastError().rfind("The test ended when the instrument switched its output off after "
                                "1 reading",
                                0),
              0u)
        << lastError();

    std::string never = fileText(example_);
    for (const auto& [key, value] :
         {std::pair{"txtConfig(3)=", "57"}, {"txtSampleRate=", "5"}, {"txtTotalTestTime=", "59"}}) {
        const std::size_t at = never.find(key);
        never.replace(at, never.find('\n', at) - at, std::string(key) + value);
    }
    putFile(folder / "never.ini", never);
    fs::remove(folder / "trace.txt");
    EXPECT_EQ(dryRun(folder / "never.ini"), 2);
    EXPECT_NE(errors().find("The test would take no reading"), std::string::npos) << errors();
    EXPECT_FALSE(fs::exists(folder / "trace.txt") && !trace().empty());
}

} // namespace
