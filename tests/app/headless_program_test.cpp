// The program itself, run headless on the simulator in virtual time, as a lab script would.

#include "support/sim_library.h"
#include "support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

using testsupport::fileText;

std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

int runProgram(const std::string& arguments, const std::filesystem::path& trace) {
    const std::filesystem::path build = testsupport::buildDir();
    const std::string command = "TARVIX_GPIBSIM_TRACE=" + quoted(trace) + " " +
                                quoted(build / "bin" / "tarvix4140") + " " + arguments +
                                " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HeadlessProgram, ADryRunOfTheIvExampleWritesEveryReadingAndLeavesTheSettingsAlone) {
    testsupport::TempFolder folder;
    const std::filesystem::path example =
        testsupport::buildDir() / "share" / "tarvix-4140" / "config" / "IV_diode_sweep.ini";
    const std::filesystem::path program = folder / "program";
    const std::string arguments =
        "--app-dir " + quoted(program) + " --driver sim --dry-run --run " + quoted(example) +
        " --data " + quoted(folder / "out.txt") + " --plot " + quoted(folder / "out.png");
    ASSERT_EQ(runProgram(arguments, folder / "trace.txt"), 0);

    const std::string data = fileText(folder / "out.txt");
    EXPECT_EQ(
        data.rfind("Index\tTime\tMeasurement\tVoltage\tUnits\tAt Current Limit\tRaw Data\r\n", 0),
        0u);
    EXPECT_EQ(std::count(data.begin(), data.end(), '\n'), 22); // the header and 21 readings
    EXPECT_TRUE(data.ends_with("\r\n"));
    EXPECT_GT(std::filesystem::file_size(folder / "out.png"), 0u);

    const std::string trace = fileText(folder / "trace.txt");
    for (const char* command :
         {"\tF2\\r\\n", "\tPT1.0\\r\\n", "\tPE0.05\\r\\n", "\tW1\\r\\n", "\tD0\\r\\n"})
        EXPECT_NE(trace.find(command), std::string::npos) << command;
    EXPECT_EQ(trace.find("lost="), std::string::npos); // no reading was overwritten unread

    EXPECT_FALSE(std::filesystem::exists(program / "Tarvix-4140.ini"));
    EXPECT_FALSE(std::filesystem::exists(program / "frmMain.ini"));
    EXPECT_FALSE(std::filesystem::exists(program / "oofLog.ini"));
}

TEST(HeadlessProgram, ADataFileThatCannotBeWrittenFailsTheRun) {
    testsupport::TempFolder folder;
    testsupport::putFile(folder / "plain", "x");
    const std::filesystem::path example =
        testsupport::buildDir() / "share" / "tarvix-4140" / "config" / "IV_diode_sweep.ini";
    const std::string arguments = "--app-dir " + quoted(folder / "program") +
                                  " --driver sim --dry-run --run " + quoted(example) + " --data " +
                                  quoted(folder / "plain" / "out.txt");
    EXPECT_EQ(runProgram(arguments, folder / "trace.txt"), 1);
}

} // namespace
