// The program itself, run headless on the simulator, as a lab script would: what it writes,
// what it sends, and the exit status that tells the script how the run went.

#include "headless_program_support.h"
#include "platform/message_box.h"
#include "support/scoped_mount.h"

#include <csignal>
#include <sstream>

namespace {

using namespace headlesstest;

// Width and height from a PNG file's header.
std::pair<unsigned, unsigned> pngSize(const fs::path& path) {
    const std::string bytes = fileText(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    const auto at = [&](std::size_t i) {
        unsigned value = 0;
        for (std::size_t k = i; k < i + 4; ++k)
            value = value << 8 | static_cast<unsigned char>(bytes[k]);
        return value;
    };
    return {at(16), at(20)};
}

TEST_F(HeadlessProgram, ADryRunOfTheIvExampleWritesEveryReadingAndLeavesTheSettingsAlone) {
    ASSERT_EQ(dryRun(example("IV_diode_sweep.ini"), "", "--plot " + quoted(folder / "out.png")), 0);
    EXPECT_EQ(lastError(), "The test ran to its end.");
    // In a file the progress comes a line at each tenth of the run, and ends as the window's
    // progress bar does.
    EXPECT_NE(errors().find("\n21 of about 21 readings, elapsed 11."), std::string::npos)
        << errors();
    EXPECT_EQ(errors().find('\r'), std::string::npos);
    EXPECT_LE(lines(errors()), 14);
    EXPECT_EQ(
        data().rfind("Index\tTime\tMeasurement\tVoltage\tUnits\tAt Current Limit\tRaw Data\r\n", 0),
        0u);
    EXPECT_EQ(lines(data()), 22); // the header and 21 readings
    EXPECT_TRUE(data().ends_with("\r\n"));
    EXPECT_EQ(pngSize(folder / "out.png"), std::make_pair(1600u, 1000u));
    EXPECT_NE(fileText(folder / "out.run.ini").find("\noutcome=complete\n"), std::string::npos);

    for (const char* command :
         {"\tF2\\r\\n", "\tPT1.0\\r\\n", "\tPE0.05\\r\\n", "\tW1\\r\\n", "\tD0\\r\\n"})
        EXPECT_NE(trace().find(command), std::string::npos) << command;
    EXPECT_EQ(trace().find("lost="), std::string::npos); // no reading was overwritten unread

    const fs::path settings = folder / "program";
    EXPECT_FALSE(fs::exists(settings / "Tarvix-4140.ini"));
    EXPECT_FALSE(fs::exists(settings / "frmMain.ini"));
    EXPECT_FALSE(fs::exists(settings / "oofLog.ini"));
}

// The chart goes to a PNG or a PDF by the name's extension, at the size asked for; any other name
// is refused before the instrument is touched.
TEST_F(HeadlessProgram, EveryShippedExampleEndsCleanAndItsChartIsSavedAsAsked) {
    EXPECT_EQ(dryRun(example("I_current_vs_time.ini"), "",
                     "--plot " + quoted(folder / "i.png") + " --plot-size 640x480"),
              0)
        << lastError();
    EXPECT_EQ(pngSize(folder / "i.png"), std::make_pair(640u, 480u));
    EXPECT_EQ(dryRun(example("CV_mos_capacitor.ini"), "", "--plot " + quoted(folder / "cv.PDF")), 0)
        << lastError();
    EXPECT_EQ(fileText(folder / "cv.PDF").rfind("%PDF", 0), 0u);

    fs::remove(folder / "trace.txt");
    EXPECT_EQ(dryRun(example("CV_mos_capacitor.ini"), "", "--plot " + quoted(folder / "cv.jpg")),
              2);
    EXPECT_NE(errors().find(".png or .pdf"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "trace.txt"));
}

// The exit status tells a script how the run went, and so does the run record beside the data
// file; the data file keeps what was read.
TEST_F(HeadlessProgram, ARunThatDidNotGoAsPlannedSaysSoInItsExitStatusAndItsRecord) {
    const fs::path iv = example("IV_diode_sweep.ini");
    const auto recorded = [&](const std::string& line) {
        return fileText(folder / "out.run.ini").find("\n" + line + "\n") != std::string::npos;
    };
    EXPECT_EQ(dryRun(iv, "no_listener_after = 7\n", "--bus-timeout 5"), 3);
    EXPECT_EQ(lines(data()), 8);
    EXPECT_NE(errors().find("Instrument not answering since"), std::string::npos);
    EXPECT_NE(trace().rfind("\tW7\\r\\n"), std::string::npos); // the stop was tried
    EXPECT_TRUE(recorded("outcome=lost"));
    EXPECT_TRUE(recorded("readings=7"));
    EXPECT_TRUE(recorded("txtConfig(2)=0.05")); // the configuration it ran

    EXPECT_EQ(dryRun(iv, "output_off_after = 5\ngarble_at = 2\n"), 4);
    EXPECT_EQ(lastError(), "The test ran to its end; 16 of 21 readings missing, 1 unreadable.");
    EXPECT_TRUE(recorded("outcome=incomplete"));
    EXPECT_TRUE(recorded("missing=16"));
    EXPECT_TRUE(recorded("unreadable=1"));

    EXPECT_EQ(dryRun(iv, "read_timeout_every = 1\n", "--max-time 40"), 3);
    EXPECT_EQ(lastError().rfind("The test overran its time limit; ", 0), 0u) << lastError();
    EXPECT_TRUE(recorded("outcome=overrun"));
}

// A read that times out spends the board's 3 s; the program's time follows it, so each
// reading's time and its voltage on the 0.1 V/s sweep (after a 1 s hold) still agree.
TEST_F(HeadlessProgram, ADryRunKeepsTheTimesTrueWhenReadsTimeOut) {
    ASSERT_EQ(dryRun(example("IV_diode_sweep.ini"), "read_timeout_at = 3\n"), 4);
    std::istringstream rows(data());
    std::string row;
    std::getline(rows, row);
    int checked = 0;
    while (std::getline(rows, row)) {
        float time = 0, voltage = 0;
        int index = 0;
        char measurement[32];
        if (std::sscanf(row.c_str(), "%d\t%f\t%31s\t%f", &index, &time, measurement, &voltage) ==
                4 &&
            voltage != 0.0f) {
            EXPECT_NEAR((time - 1.0f) * 0.1f, voltage, 0.03f) << row;
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}

// A configuration that cannot be read is refused with one line, before the bus is touched.
TEST_F(HeadlessProgram, AConfigurationItCannotReadIsRefusedBeforeAnyBusCall) {
    putFile(folder / "empty.ini", "");
    putFile(folder / "binary.ini", std::string("\x7f"
                                               "ELF\0\1\2\3\xff\xfe",
                                               10));
    putFile(folder / "other.ini", "[FORM]\nsomething=else\n");
    putFile(folder / "huge.ini", "[FORM]\ntxtConfig(1)=5\n" + std::string(1 << 21, ';'));
    fs::create_directory(folder / "folder.ini");
    for (const fs::path& config :
         {folder / "missing.ini", fs::path("/dev/null"), folder / "empty.ini",
          folder / "binary.ini", folder / "other.ini", folder / "huge.ini", folder / "folder.ini",
          fs::path("/dev/zero")}) {
        EXPECT_EQ(dryRun(config), 2) << config;
        EXPECT_EQ(lines(errors()), 1) << errors();
        EXPECT_NE(errors().find(config.string()), std::string::npos) << errors();
        EXPECT_FALSE(fs::exists(folder / "trace.txt") && !trace().empty()) << config;
        EXPECT_FALSE(fs::exists(folder / "out.txt"));
    }
}

// A step of 0.002 V is sent as PE0.0, which the instrument would ignore: one reading of 21.
TEST_F(HeadlessProgram, ASetUpTheInstrumentWouldIgnoreIsRefusedBeforeAnyBusCall) {
    std::string config = fileText(example("IV_diode_sweep.ini"));
    const std::size_t step = config.find("txtConfig(2)=");
    ASSERT_NE(step, std::string::npos);
    config.replace(step, config.find('\n', step) - step, "txtConfig(2)=0.002");
    putFile(folder / "tiny.ini", config);
    EXPECT_EQ(dryRun(folder / "tiny.ini"), 2);
    EXPECT_NE(errors().find("Step Voltage is sent as PE0.0, which the instrument ignores"),
              std::string::npos)
        << errors();
    EXPECT_TRUE(trace().empty());
}

// The fields keep their rules, but every value they had to change is named.
TEST_F(HeadlessProgram, ConfigurationValuesTheFieldsHadToChangeAreNamed) {
    std::string config = fileText(example("IV_diode_sweep.ini"));
    for (const auto& [key, value] : {std::pair{"txtConfig(1)=", "NaN"},
                                     {"txtConfig(0)=", "1e308"},
                                     {"txtSampleRate=", "-1"},
                                     {"txtConfig(3)=", "2.5"}}) {
        const std::size_t at = config.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        config.replace(at, config.find('\n', at) - at, std::string(key) + value);
    }
    putFile(folder / "odd.ini", config);
    dryRun(folder / "odd.ini");
    const std::string said = errors();
    for (const char* note : {"Stop Voltage: 'NaN' is not a number; 0 used\n",
                             "Start Voltage: '1e308' is more than 100; 100 used\n",
                             "Sample Rate (sec): '-1' is less than 0.1; 0.1 used\n"})
        EXPECT_NE(said.find(note), std::string::npos) << note << said;
    EXPECT_EQ(said.find("Hold Time"), std::string::npos); // 2.5 was taken as it stood
}

// A data file that cannot be written is refused before anything is sent, not after the test.
TEST_F(HeadlessProgram, ADataFileThatCannotBeWrittenIsRefusedBeforeAnyBusCall) {
    putFile(folder / "plain", "x");
    const fs::path data = folder / "plain" / "out.txt";
    EXPECT_EQ(run("--driver sim --dry-run --run " + quoted(example("IV_diode_sweep.ini")) +
                  " --data " + quoted(data)),
              1);
    EXPECT_NE(lastError().find("The data file " + data.string() + " cannot be written ("),
              std::string::npos)
        << lastError();
    EXPECT_FALSE(fs::exists(folder / "trace.txt") && !trace().empty());
}

// An earlier test's journal is never written over: the run is refused, and both lines name it.
TEST_F(HeadlessProgram, AJournalInTheWayIsNamedAndTheRunRefused) {
    const fs::path journal = folder / "out.txt.partial";
    const std::string readings =
        "Index\tTime\tMeasurement\tVoltage\tUnits\tAt Current Limit\tRaw Data\r\n"
        "1\t1\t1E-12\t0\tAmps\t\tNAI+1.000E-12,V+0.00\r\n";
    putFile(journal, readings);
    EXPECT_EQ(dryRun(example("IV_diode_sweep.ini")), 1);
    EXPECT_EQ(errors().find("A test that did not end left its journal " + journal.string() +
                            " (1 reading); it stays there"),
              0u)
        << errors();
    EXPECT_EQ(lastError(), std::string(platform::kAppTitle) +
                               ": The journal of an earlier test that did not end is in the way: " +
                               journal.string() +
                               ". Recover or discard it, or choose another data file.");
    EXPECT_EQ(fileText(journal), readings);
    EXPECT_FALSE(fs::exists(folder / "trace.txt") && !trace().empty());
}

// A disk that fills in the middle of a run (2001 readings, 64 KiB of them before the first
// block of the journal goes out): the journal moves to the program folder at once, and the data
// file that cannot be written at the end goes there too, unasked; the last line names the file
// that holds every reading.
TEST_F(HeadlessProgram, ADiskThatFillsDuringTheRunCostsNoReading) {
    testsupport::ScopedTmpfs small(folder / "small", 16384);
    if (!small.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const fs::path data = folder / "small" / "out.txt";
    const fs::path config =
        exampleWith(folder.path(), {"txtConfig(1)=20", "txtConfig(2)=0.01", "txtConfig(5)=1"});
    EXPECT_EQ(run("--driver sim --dry-run --run " + quoted(config) + " --data " + quoted(data)), 1);
    const fs::path moved = folder / "program" / "data" / "out.txt.partial";
    EXPECT_NE(errors().find("The journal " + data.string() +
                            ".partial could not be written (61: " + "Disk full"),
              std::string::npos)
        << errors();
    EXPECT_NE(errors().find("its readings now go to " + moved.string() + "."), std::string::npos);
    EXPECT_NE(errors().find("The data file " + data.string() + " could not be written (61: "),
              std::string::npos);
    EXPECT_EQ(errors().find("Choose"), std::string::npos); // nobody is there to choose
    const std::string prefix = "The 2001 readings are in ";
    ASSERT_EQ(lastError().rfind(prefix, 0), 0u) << lastError();
    const std::string named =
        lastError().substr(prefix.size(), lastError().size() - prefix.size() - 1);
    EXPECT_EQ(fs::path(named).parent_path(), folder / "program" / "data");
    EXPECT_EQ(lines(fileText(named)), 2002);
    EXPECT_FALSE(fs::exists(moved)); // the readings are in a data file now
}

// Told to stop in the middle of a real-time run, the program stops the instrument as Abort
// does, writes what it read and exits with 128 + the signal.
TEST_F(HeadlessProgram, ASignalStopsTheRunWithTheInstrumentIdleAndTheReadingsWritten) {
    putFile(folder / "i.ini", "[FORM]\noptionFunction(0)=1\ntxtSampleRate=0.1\n"
                              "txtTotalTestTime=600\ntxtGPIBAddress=16\n");
    Started tarvix({program().string(), "--app-dir", (folder / "program").string(), "--driver",
                    "sim", "--run", (folder / "i.ini").string(), "--data",
                    (folder / "out.txt").string()},
                   offscreenEnvironment(folder.path()));
    ASSERT_TRUE(waitFor(
        [&] { return lines(trace()) > 0 && trace().find("\tReceive\t") != std::string::npos; }));
    EXPECT_EQ(tarvix.stop(SIGTERM), 143);
    const std::string sent = trace();
    const std::string afterReading = sent.substr(sent.rfind("\tReceive\t"));
    for (const char* command : {"\tW7\\r\\n", "\tD0\\r\\n", "\tEnableLocal\t"})
        EXPECT_NE(afterReading.find(command), std::string::npos) << command;
    EXPECT_GE(lines(data()), 2); // the header and at least the reading seen
}

TEST_F(HeadlessProgram, AnIdleWindowClosesOnASignalAsFileExitDoes) {
    Started tarvix({program().string(), "--app-dir", (folder / "program").string()},
                   offscreenEnvironment(folder.path()));
    ASSERT_TRUE(waitFor([&] { return tarvix.catches(SIGINT); }));
    EXPECT_EQ(tarvix.stop(SIGINT), 130);
    EXPECT_TRUE(fs::exists(folder / "program" / "frmMain.ini"));
    EXPECT_TRUE(fs::exists(folder / "program" / "Tarvix-4140.ini"));
}

} // namespace
