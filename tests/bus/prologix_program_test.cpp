// The program itself, headless, through an emulated Prologix adapter on each transport (a
// pseudo-terminal, loopback TCP with slow answers): the instrument hears the same commands and
// the data file holds the same readings as in a run straight on the simulator; a connection that
// drops mid-run ends it as lost with the readings written; a port that cannot be opened is
// refused at Start, named. Runs through the adapter are real-time, so the tests are short.

#include "prologix_emulator.h"
#include "support/temp_folder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::fileText;
using testsupport::PrologixEmulator;
using testsupport::putFile;
using Rows = std::vector<std::string>;

enum class Transport { Pty, Tcp };

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// A shipped example with some of its keys changed.
std::string exampleWith(const char* name, const std::map<std::string, std::string>& changes) {
    std::string config =
        fileText(testsupport::buildDir() / "share" / "tarvix-4140" / "config" / name);
    for (const auto& [key, value] : changes) {
        const std::size_t at = config.find("\n" + key + "=");
        if (at == std::string::npos)
            throw std::runtime_error("no key " + key + " in " + name);
        const std::size_t end = config.find('\n', at + 1);
        config.replace(at + 1, end - at - 1, key + "=" + value);
    }
    return config;
}

// Short tests of each function. The I test reads whichever reading is waiting at each tick, so
// its device is a plain resistor without noise.
struct Short {
    const char* name;
    std::string config;
    std::string sim;
};

Short iTest() {
    return {"I",
            exampleWith(
                "I_current_vs_time.ini",
                {{"txtConfig(3)", "0.1"}, {"txtSampleRate", "0.5"}, {"txtTotalTestTime", "1.25"}}),
            "[model]\nkind = resistor\n[noise]\nrelative = 0\nabsolute = 0\n"};
}

Short ivStair() {
    return {"I-V",
            exampleWith("IV_diode_sweep.ini", {{"optionRamp(0)", "0"},
                                               {"optionRamp(2)", "1"},
                                               {"txtConfig(1)", "0.2"},
                                               {"txtConfig(2)", "0.1"},
                                               {"txtConfig(3)", "0.1"},
                                               {"txtConfig(4)", "0.4"}}),
            ""};
}

Short cvSweep() {
    return {"C-V",
            exampleWith("CV_mos_capacitor.ini", {{"optionRamp(0)", "1"},
                                                 {"optionRamp(1)", "0"},
                                                 {"txtConfig(0)", "-1.2"},
                                                 {"txtConfig(1)", "-1"},
                                                 {"txtConfig(3)", "0.1"},
                                                 {"txtConfig(5)", "0.3"}}),
            ""};
}

struct Outcome {
    int status = -1;
    std::string errors;
    Rows data;     // without the time column, which real time cannot repeat
    Rows commands; // what the instrument was sent and what it answered, in order
    std::string record;
};

// A data file's rows without their time field (the second).
Rows withoutTimes(const std::string& text) {
    Rows rows;
    std::istringstream in(text);
    for (std::string row; std::getline(in, row);) {
        const auto first = row.find('\t');
        const auto second = row.find('\t', first + 1);
        rows.push_back(first == std::string::npos ? row : row.erase(first, second - first));
    }
    return rows;
}

// The data of every Send and Receive of a simulator trace, in order.
Rows exchanges(const std::string& trace) {
    Rows found;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string time, function, board, address, data;
        std::getline(fields, time, '\t');
        std::getline(fields, function, '\t');
        std::getline(fields, board, '\t');
        std::getline(fields, address, '\t');
        std::getline(fields, data, '\t');
        if (function == "Send" || function == "Receive")
            found.push_back(function + " " + data);
    }
    return found;
}

class AdapterProgram : public testing::TestWithParam<Transport> {
protected:
    static fs::path program() { return testsupport::buildDir() / "bin" / "tarvix4140"; }

    int runProgram(const std::string& environment, const std::string& arguments) {
        const std::string command = environment + quoted(program()) + " --app-dir " +
                                    quoted(folder / "program") + " " + arguments + " 2>" +
                                    quoted(folder / "stderr.txt");
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    Outcome outcome(int status, const std::string& data, const fs::path& trace) {
        return {status, fileText(folder / "stderr.txt"), withoutTimes(fileText(folder / data)),
                exchanges(fileText(trace)),
                fileText(folder / (data.substr(0, data.size() - 4) + ".run.ini"))};
    }

    // The test in a dry run straight on the simulator.
    Outcome direct(const Short& test) {
        putFile(folder / "test.ini", test.config);
        putFile(folder / "sim.ini", test.sim);
        fs::remove(folder / "direct-trace.txt");
        const int status =
            runProgram("TARVIX_GPIBSIM_CONFIG=" + quoted(folder / "sim.ini") +
                           " TARVIX_GPIBSIM_TRACE=" + quoted(folder / "direct-trace.txt") + " ",
                       "--driver sim --dry-run --run " + quoted(folder / "test.ini") + " --data " +
                           quoted(folder / "direct.txt"));
        return outcome(status, "direct.txt", folder / "direct-trace.txt");
    }

    // The test in real time through the adapter, whose simulator starts afresh as the direct
    // run's does.
    Outcome throughAdapter(const Short& test, PrologixEmulator& emulator,
                           const std::string& more = "") {
        putFile(folder / "test.ini", test.config);
        putFile(folder / "sim.ini", test.sim);
        fs::remove(folder / "adapter-trace.txt");
        testsupport::SimLibrary& sim = emulator.sim();
        sim.call<void()>("gpibsim_reset");
        EXPECT_EQ(sim.call<int(const char*)>("gpibsim_load_config", (folder / "sim.ini").c_str()),
                  0);
        sim.call<int(const char*)>("gpibsim_set_trace", (folder / "adapter-trace.txt").c_str());
        const int status = runProgram("", "--driver " + quoted(fs::path(driver(emulator))) +
                                              " --run " + quoted(folder / "test.ini") + " --data " +
                                              quoted(folder / "adapter.txt") + " " + more);
        sim.call<int(const char*)>("gpibsim_set_trace", "");
        return outcome(status, "adapter.txt", folder / "adapter-trace.txt");
    }

    std::string driver(const PrologixEmulator& emulator) const {
        if (GetParam() == Transport::Pty)
            return "prologix:" + emulator.ptyPath();
        return "prologix:tcp://127.0.0.1:" + std::to_string(emulator.tcpPort());
    }

    // Slow answers on the TCP link: a network adapter is further away.
    PrologixEmulator::Faults faults() const {
        PrologixEmulator::Faults faults;
        if (GetParam() == Transport::Tcp)
            faults.replyDelay = 15ms;
        return faults;
    }

    testsupport::TempFolder folder;
};

TEST_P(AdapterProgram, ShortTestsOfEachFunctionSendAndWriteWhatTheyDoStraightOnTheSimulator) {
    PrologixEmulator emulator(faults());
    for (const Short& test : {iTest(), ivStair(), cvSweep()}) {
        SCOPED_TRACE(test.name);
        const Outcome expected = direct(test);
        ASSERT_EQ(expected.status, 0) << expected.errors;
        const Outcome got = throughAdapter(test, emulator);
        EXPECT_EQ(got.status, 0) << got.errors;
        EXPECT_EQ(got.commands, expected.commands);
        EXPECT_EQ(got.data, expected.data);
        EXPECT_GE(got.data.size(), 3u); // the header and at least two readings
        EXPECT_NE(got.record.find("\ndriver=" + driver(emulator) + " (" +
                                  PrologixEmulator::kVersion + ")\n"),
                  std::string::npos)
            << got.record;
        EXPECT_NE(got.record.find("\noutcome=complete\n"), std::string::npos);
    }
}

TEST_P(AdapterProgram, AConnectionThatDropsMidRunEndsItAsLostWithTheReadingsWritten) {
    PrologixEmulator::Faults drop = faults();
    drop.dropAfter = 2;
    drop.dropOn = "++read 10";
    PrologixEmulator emulator(drop);
    const Outcome got = throughAdapter(ivStair(), emulator, "--bus-timeout 1");
    EXPECT_EQ(got.status, 3) << got.errors;
    EXPECT_NE(got.errors.find("Instrument not answering since"), std::string::npos) << got.errors;
    ASSERT_EQ(got.data.size(), 3u); // the header and the two readings read before the drop
    const Rows whole = direct(ivStair()).data;
    EXPECT_EQ(got.data, Rows(whole.begin(), whole.begin() + 3));
    EXPECT_NE(got.record.find("\noutcome=lost\n"), std::string::npos) << got.record;
    EXPECT_NE(got.record.find("\nreadings=2\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Transports, AdapterProgram,
                         testing::Values(Transport::Pty, Transport::Tcp), [](const auto& info) {
                             return info.param == Transport::Pty ? "Pty" : "Tcp";
                         });

// Refused before anything reaches the instrument, with the port named and what to do.
TEST(AdapterPort, APortThatIsMissingOrBusyIsRefusedAtStartNamed) {
    testsupport::TempFolder folder;
    putFile(folder / "test.ini", ivStair().config);
    const auto run = [&](const std::string& port) {
        const std::string command =
            quoted(testsupport::buildDir() / "bin" / "tarvix4140") + " --app-dir " +
            quoted(folder / "program") + " --driver prologix:" + port + " --run " +
            quoted(folder / "test.ini") + " --data " + quoted(folder / "out.txt") + " 2>" +
            quoted(folder / "stderr.txt");
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("/nonexistent/ttyUSB9"), 1);
    EXPECT_NE(fileText(folder / "stderr.txt")
                  .find("Instrument could not be enabled at GPIB address 16 on board id 0. EDVR "
                        "<DOS Error>; ibsta=&H8000= ERR\nThe serial port /nonexistent/ttyUSB9 does "
                        "not exist: is the adapter plugged in?"),
              std::string::npos)
        << fileText(folder / "stderr.txt");

    PrologixEmulator emulator;
    const int other = ::open(emulator.ptyPath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(run(emulator.ptyPath()), 1);
    EXPECT_NE(fileText(folder / "stderr.txt")
                  .find("The serial port " + emulator.ptyPath() + " is in use by another program"),
              std::string::npos)
        << fileText(folder / "stderr.txt");
    EXPECT_TRUE(emulator.lines().empty());
    ::close(other);
}

} // namespace
