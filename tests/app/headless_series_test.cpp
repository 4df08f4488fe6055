// The program running a series headless on the simulator, as a lab script would: every step an
// ordinary test with its data file and run record, the summary beside them, and an exit status
// that says how the steps went.

#include "headless_program_support.h"

#include <csignal>
#include <sstream>

namespace {

using namespace headlesstest;

std::vector<std::vector<std::string>> tableOf(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        rows.emplace_back();
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');)
            rows.back().push_back(cell);
        if (line.ends_with('\t'))
            rows.back().emplace_back();
    }
    return rows;
}

class HeadlessSeries : public HeadlessProgram {
protected:
    // The shipped sweep cut to 5 readings (0 to 0.2 V), beside the series file.
    HeadlessSeries() { exampleWith(folder.path(), {"txtConfig(1)=0.2"}); }

    int runSeries(const std::string& text, const std::string& faults = "",
                  const std::string& more = "") {
        putFile(seriesFile(), text);
        return run("--driver sim --dry-run --series " + quoted(seriesFile()) + " " + more, faults);
    }
    fs::path seriesFile() const { return folder / "vb.series.ini"; }
    fs::path data(const std::string& name) const { return folder / "program" / "data" / name; }
    std::vector<std::vector<std::string>> summary() const {
        return tableOf(fileText(data("vb.summary.tsv")));
    }
    bool said(const std::string& line) const {
        return errors().find(line + "\n") != std::string::npos;
    }
};

// VB over two devices: four tests, each named from the template, each record naming its device,
// a file already there kept; the summary last.
TEST_F(HeadlessSeries, ASteppedFieldOverTwoDevicesRunsEveryStepAndSummarisesThem) {
    fs::create_directories(data(""));
    putFile(data("W7_D2_VB0V.txt"), "an earlier run\n");
    ASSERT_EQ(runSeries("[Series]\ntemplate={sample}_{device}_VB{value}V.txt\nsample=W7\n"
                        "operator=A. Lee\npause=1\n"
                        "[Stepped]\nfield=txtConfig(6)\nvalues=0, 1.5\ndevices=D1, D2\n"
                        "setup=changed.ini\noptionVB(0)=1\noptionVB(1)=0\n"),
              0)
        << errors();
    EXPECT_TRUE(said("The series pauses between its steps; without a window it runs them one "
                     "after another."));
    const std::vector<std::string> files{"W7_D1_VB0V.txt", "W7_D1_VB1.5V.txt", "W7_D2_VB0V-2.txt",
                                         "W7_D2_VB1.5V.txt"};
    for (const std::string& name : files)
        EXPECT_EQ(lines(fileText(data(name))), 6) << name; // the header and 5 readings
    EXPECT_EQ(fileText(data("W7_D2_VB0V.txt")), "an earlier run\n");
    const std::string record = fileText(data("W7_D2_VB1.5V.run.ini"));
    EXPECT_NE(record.find("[Sample]\nsample=W7\ndevice=D2\noperator=A. Lee\n"), std::string::npos)
        << record;
    EXPECT_NE(record.find("\ntxtConfig(6)=1.5\n"), std::string::npos);
    EXPECT_NE(record.find("\noptionVB(0)=1\n"), std::string::npos);
    EXPECT_NE(trace().find("\tB1\\r\\n"), std::string::npos);
    EXPECT_NE(trace().find("\tPB1.5\\r\\n"), std::string::npos);

    const auto rows = summary();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"step", "device", "sample", "data file", "outcome",
                                        "readings", "start", "end", "label", "txtConfig(6)"}));
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), rows[0].size()) << i;
        EXPECT_EQ(rows[i][3], data(files[i - 1]).string());
        EXPECT_EQ(rows[i][4], "complete");
        EXPECT_EQ(rows[i][5], "5");
    }
    EXPECT_EQ(rows[3][1], "D2");
    EXPECT_EQ(rows[3][8], "VB = 0 V");
    EXPECT_EQ(rows[4][9], "1.5");
    EXPECT_TRUE(said("Step 3 of 4 (D2, VB = 0 V): complete, 5 readings in " +
                     data("W7_D2_VB0V-2.txt").string()));
    EXPECT_TRUE(said("The series ran to its end: 4 steps done."));
    EXPECT_EQ(lastError(), "The summary is in " + data("vb.summary.tsv").string() + ".");
    EXPECT_FALSE(fs::exists(folder / "program" / "Tarvix-4140.ini"));
}

// The shipped example runs as it stands: three curves of the diode, VB 0, 1 and 2 V.
TEST_F(HeadlessSeries, TheShippedSeriesRunsAsItStands) {
    ASSERT_EQ(
        run("--driver sim --dry-run --series " + quoted(example("IV_diode_VB_family.series.ini"))),
        0)
        << errors();
    for (const char* name : {"IV_diode_VB0V.txt", "IV_diode_VB1V.txt", "IV_diode_VB2V.txt"})
        EXPECT_EQ(lines(fileText(data(name))), 22) << name;
    EXPECT_EQ(tableOf(fileText(data("IV_diode_VB_family.summary.tsv"))).size(), 4u);
}

// A step whose set-up the instrument would ignore is refused at its Start; the series goes on or
// stops as it says, and exits with 2 either way. A series file that cannot be used is refused
// before anything is sent.
TEST_F(HeadlessSeries, ARefusedStepIsMarkedAndTheSeriesGoesOnOrStopsAsPlanned) {
    EXPECT_EQ(runSeries("[Step 1]\nsetup=gone.ini\n"), 2);
    EXPECT_EQ(lines(errors()), 1) << errors();
    EXPECT_NE(errors().find("gone.ini, is missing"), std::string::npos) << errors();
    EXPECT_TRUE(trace().empty());

    const std::string steps = "[Step 1]\nsetup=changed.ini\n"
                              "[Step 2]\nsetup=changed.ini\ntxtConfig(2)=0.002\n"
                              "[Step 3]\nsetup=changed.ini\ntxtConfig(1)=0.1\n";
    for (const char* onRefusal : {"continue", "stop"}) {
        const bool goesOn = onRefusal == std::string("continue");
        fs::remove_all(data(""));
        EXPECT_EQ(runSeries("[Series]\ntemplate=step{step}.txt\non_refusal=" +
                            std::string(onRefusal) + "\n" + steps),
                  2)
            << errors();
        EXPECT_NE(errors().find("Step Voltage is sent as PE0.0, which the instrument ignores"),
                  std::string::npos);
        EXPECT_EQ(lines(fileText(data("step1.txt"))), 6);
        EXPECT_FALSE(fs::exists(data("step2.txt")));
        EXPECT_EQ(fs::exists(data("step3.txt")), goesOn) << onRefusal;
        const auto rows = summary();
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[2][4], "refused");
        EXPECT_EQ(rows[3][4], goesOn ? "complete" : "not run");
        EXPECT_TRUE(said("Step 2 of 3 (Step Voltage = 0.002 V): refused")) << errors();
    }
}

// The instrument goes away in step 2: that step keeps what it read, step 1 keeps its file, and
// the series stops with step 3 not run.
TEST_F(HeadlessSeries, ALostInstrumentStopsTheSeriesAndKeepsEveryFileRead) {
    EXPECT_EQ(runSeries("[Series]\ntemplate=lost{step}.txt\n"
                        "[Step 1]\nsetup=changed.ini\n"
                        "[Step 2]\nsetup=changed.ini\ntxtConfig(1)=1\n"
                        "[Step 3]\nsetup=changed.ini\n",
                        "no_listener_after = 7\n", "--bus-timeout 5"),
              3)
        << errors();
    EXPECT_EQ(lines(fileText(data("lost1.txt"))), 6);
    EXPECT_NE(fileText(data("lost1.run.ini")).find("\noutcome=complete\n"), std::string::npos);
    EXPECT_EQ(lines(fileText(data("lost2.txt"))), 8);
    EXPECT_NE(fileText(data("lost2.run.ini")).find("\noutcome=lost\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(data("lost3.txt")));
    const auto rows = summary();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][4], "complete");
    EXPECT_EQ(rows[2][4], "lost");
    EXPECT_EQ(rows[2][5], "7");
    EXPECT_EQ(rows[3][4], "not run");
    EXPECT_TRUE(said("Step 3 of 3: not run")) << errors();
    EXPECT_TRUE(
        said("The series stopped when step 2 lost the instrument: 2 steps done, 1 not run."));
}

// Told to stop, the series stops the running test as Abort does, runs no further step and still
// leaves its summary.
TEST_F(HeadlessSeries, AStopSignalEndsTheSeriesAfterTheRunningStep) {
    putFile(folder / "i.ini", "[FORM]\noptionFunction(0)=1\ntxtSampleRate=0.1\n"
                              "txtTotalTestTime=600\ntxtGPIBAddress=16\n");
    putFile(seriesFile(), "[Series]\ntemplate=i{step}.txt\n[Step 1]\nsetup=i.ini\n"
                          "[Step 2]\nsetup=i.ini\n");
    putFile(folder / "sim.ini", "");
    std::vector<std::string> environment = offscreenEnvironment(folder.path());
    environment.push_back("TARVIX_GPIBSIM_CONFIG=" + (folder / "sim.ini").string());
    Started tarvix({program().string(), "--app-dir", (folder / "program").string(), "--driver",
                    "sim", "--series", seriesFile().string()},
                   environment, (folder / "stderr.txt").string());
    ASSERT_TRUE(waitFor([&] { return trace().find("\tReceive\t") != std::string::npos; }));
    EXPECT_EQ(tarvix.stop(SIGTERM), 143);
    EXPECT_GE(lines(fileText(data("i1.txt"))), 2);
    EXPECT_FALSE(fs::exists(data("i2.txt")));
    const auto rows = summary();
    ASSERT_EQ(rows.size(), 3u) << errors();
    EXPECT_EQ(rows[1][4], "stopped");
    EXPECT_EQ(rows[2][4], "not run");
}

} // namespace
