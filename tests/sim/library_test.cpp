// libtarvix-gpibsim.so as a program sees it: loaded with dlopen from the build's lib folder,
// driven only through its exported C functions.
#include "sim_files.h"
#include "whole_match.h"

#include "hp4140/status_byte.h"
#include "sim/gpib_driver.h"
#include "sim/gpibsim.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace gpibsim::test {
namespace {

constexpr int kErr = 0x8000;
constexpr int kTimo = 0x4000;
constexpr int kEnd = 0x2000;
constexpr int kCmpl = 0x0100;
constexpr int kEnol = 2;
constexpr int kEneb = 7;
constexpr int kDabEnd = 1;
constexpr Addr4882_t kNoAddr = 0xFFFF;
constexpr int kRequestingService = 0x40;
namespace status = hp4140::status;

// The library's functions, bound by name.
struct Api {
    decltype(&::SendIFC) SendIFC;
    decltype(&::EnableLocal) EnableLocal;
    decltype(&::EnableRemote) EnableRemote;
    decltype(&::Send) Send;
    decltype(&::Receive) Receive;
    decltype(&::ReadStatusByte) ReadStatusByte;
    decltype(&::ibwait) ibwait;
    decltype(&::ibconfig) ibconfig;
    decltype(&::RegisterGpibGlobalsForThread) RegisterGpibGlobalsForThread;
    decltype(&::UnregisterGpibGlobalsForThread) UnregisterGpibGlobalsForThread;
    decltype(&::ThreadIbsta) ThreadIbsta;
    decltype(&::ThreadIberr) ThreadIberr;
    decltype(&::ThreadIbcnt) ThreadIbcnt;
    decltype(&::ThreadIbcntl) ThreadIbcntl;
    decltype(&::DevClear) DevClear;
    decltype(&::gpibsim_reset) gpibsim_reset;
    decltype(&::gpibsim_load_config) gpibsim_load_config;
    decltype(&::gpibsim_configure) gpibsim_configure;
    decltype(&::gpibsim_messages) gpibsim_messages;
    decltype(&::gpibsim_set_address) gpibsim_set_address;
    decltype(&::gpibsim_set_boards) gpibsim_set_boards;
    decltype(&::gpibsim_set_register_result) gpibsim_set_register_result;
    decltype(&::gpibsim_set_model) gpibsim_set_model;
    decltype(&::gpibsim_set_model_parameter) gpibsim_set_model_parameter;
    decltype(&::gpibsim_set_reading_times) gpibsim_set_reading_times;
    decltype(&::gpibsim_set_noise_seed) gpibsim_set_noise_seed;
    decltype(&::gpibsim_set_noise_level) gpibsim_set_noise_level;
    decltype(&::gpibsim_set_fault) gpibsim_set_fault;
    decltype(&::gpibsim_clear_faults) gpibsim_clear_faults;
    decltype(&::gpibsim_set_virtual_time) gpibsim_set_virtual_time;
    decltype(&::gpibsim_set_time) gpibsim_set_time;
    decltype(&::gpibsim_advance) gpibsim_advance;
    decltype(&::gpibsim_time) gpibsim_time;
    decltype(&::gpibsim_next_reading_time) gpibsim_next_reading_time;
    decltype(&::gpibsim_status_byte) gpibsim_status_byte;
    decltype(&::gpibsim_output_on) gpibsim_output_on;
    decltype(&::gpibsim_remote) gpibsim_remote;
    decltype(&::gpibsim_readings_taken) gpibsim_readings_taken;
    decltype(&::gpibsim_readings_collected) gpibsim_readings_collected;
    decltype(&::gpibsim_lost_readings) gpibsim_lost_readings;
    decltype(&::gpibsim_ignored_commands) gpibsim_ignored_commands;
    decltype(&::gpibsim_last_commands) gpibsim_last_commands;
    decltype(&::gpibsim_set_trace) gpibsim_set_trace;
};

// Loads the library once per test program, with a configuration and a trace named by the
// environment, and notes what it saw before any test touched it.
class Library {
public:
    static Library& get() {
        static Library library;
        return library;
    }

    std::string problem;
    Api api{};
    void* handle = nullptr;
    TempDir dir;
    std::string tracePath;
    int board1AtLoad = 0;
    bool timeStoodAtLoad = false;

private:
    Library() {
        const char* build = std::getenv("TARVIX_BUILD_DIR");
        if (!build) {
            problem = "TARVIX_BUILD_DIR is not set";
            return;
        }
        tracePath = dir.file("trace.txt");
        setenv("TARVIX_GPIBSIM_TRACE", tracePath.c_str(), 1);
        setenv("TARVIX_GPIBSIM_CONFIG",
               dir.write("sim.ini", "[board]\nboards = 0, 1\n[time]\nvirtual = 1\n"
                                    "[faults]\nbogus = 1\n")
                   .c_str(),
               1);
        const std::string path = std::string(build) + "/lib/tarvix-4140/libtarvix-gpibsim.so";
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        unsetenv("TARVIX_GPIBSIM_TRACE");
        unsetenv("TARVIX_GPIBSIM_CONFIG");
        if (!handle) {
            problem = dlerror();
            return;
        }
        bindAll();
        if (problem.empty())
            observeLoadedState();
    }

    template <typename F> void bind(F& function, const char* name) {
        function = reinterpret_cast<F>(dlsym(handle, name));
        if (!function)
            problem += std::string("missing ") + name + "; ";
    }

    void bindAll();

    void observeLoadedState() {
        api.SendIFC(1);
        board1AtLoad = api.ThreadIbsta();
        const double before = api.gpibsim_time();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        timeStoodAtLoad = api.gpibsim_time() == before;
    }
};

#define BIND(name) bind(api.name, #name)
void Library::bindAll() {
    BIND(SendIFC);
    BIND(EnableLocal);
    BIND(EnableRemote);
    BIND(Send);
    BIND(Receive);
    BIND(ReadStatusByte);
    BIND(ibwait);
    BIND(ibconfig);
    BIND(RegisterGpibGlobalsForThread);
    BIND(UnregisterGpibGlobalsForThread);
    BIND(ThreadIbsta);
    BIND(ThreadIberr);
    BIND(ThreadIbcnt);
    BIND(ThreadIbcntl);
    BIND(DevClear);
    BIND(gpibsim_reset);
    BIND(gpibsim_load_config);
    BIND(gpibsim_configure);
    BIND(gpibsim_messages);
    BIND(gpibsim_set_address);
    BIND(gpibsim_set_boards);
    BIND(gpibsim_set_register_result);
    BIND(gpibsim_set_model);
    BIND(gpibsim_set_model_parameter);
    BIND(gpibsim_set_reading_times);
    BIND(gpibsim_set_noise_seed);
    BIND(gpibsim_set_noise_level);
    BIND(gpibsim_set_fault);
    BIND(gpibsim_clear_faults);
    BIND(gpibsim_set_virtual_time);
    BIND(gpibsim_set_time);
    BIND(gpibsim_advance);
    BIND(gpibsim_time);
    BIND(gpibsim_next_reading_time);
    BIND(gpibsim_status_byte);
    BIND(gpibsim_output_on);
    BIND(gpibsim_remote);
    BIND(gpibsim_readings_taken);
    BIND(gpibsim_readings_collected);
    BIND(gpibsim_lost_readings);
    BIND(gpibsim_ignored_commands);
    BIND(gpibsim_last_commands);
    BIND(gpibsim_set_trace);
}
#undef BIND

class LoadedLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(lib.problem, "");
        ASSERT_EQ(api.gpibsim_set_virtual_time(1), 0);
        api.gpibsim_reset();
    }

    // As the program writes: the command, CR LF, EOI with the last byte.
    int write(const std::string& command, Addr4882_t address = 16) {
        const std::string text = command + "\r\n";
        api.Send(0, address, text.data(), static_cast<long>(text.size()), kDabEnd);
        return api.ThreadIbsta();
    }

    int spoll() {
        short status = 0;
        api.ReadStatusByte(0, 16, &status);
        return status;
    }

    // As the program reads: into 200 blanks, up to a line feed.
    std::string read200() {
        std::string buffer(200, ' ');
        api.Receive(0, 16, buffer.data(), 200, 10);
        return buffer;
    }

    Library& lib = Library::get();
    const Api& api = lib.api;
};

TEST_F(LoadedLibrary, ShowsOnlyTheDriverAndControlFunctions) {
    EXPECT_EQ(dlsym(lib.handle, "_ZN7gpibsim9Simulator5resetEv"), nullptr);
    EXPECT_EQ(dlsym(lib.handle, "_ZN7gpibsim15libraryInstanceEv"), nullptr);
}

TEST_F(LoadedLibrary, TakesConfigurationAndTraceFromTheEnvironmentAtLoad) {
    EXPECT_EQ(lib.board1AtLoad, kCmpl);
    EXPECT_TRUE(lib.timeStoodAtLoad);
    const std::vector<std::string> lines = linesOf(lib.tracePath);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.front().find("\tnote\tconfig "), std::string::npos) << lines.front();
    EXPECT_NE(lines.front().find("unknown key [faults] bogus"), std::string::npos);
}

TEST_F(LoadedLibrary, RegisteredWordsFollowTheReturnCode) {
    for (const int code : {0, 1, 2, 3, 42}) {
        ASSERT_EQ(api.gpibsim_set_register_result(code), 0);
        int ibsta = -1;
        int iberr = -1;
        int ibcnt = -1;
        long ibcntl = -1;
        EXPECT_EQ(api.RegisterGpibGlobalsForThread(&ibsta, &iberr, &ibcnt, &ibcntl), code);
        write("F1", 17);
        EXPECT_EQ(api.ThreadIbsta(), kErr | kCmpl);
        EXPECT_EQ(api.ThreadIberr(), kEnol);
        const bool registered = code == 0 || code == 1;
        EXPECT_EQ(ibsta, registered ? kErr | kCmpl : -1) << code;
        EXPECT_EQ(iberr, registered ? kEnol : -1) << code;
        EXPECT_EQ(ibcnt, registered ? 0 : -1) << code;
        EXPECT_EQ(ibcntl, registered ? 0 : -1) << code;
        EXPECT_EQ(api.UnregisterGpibGlobalsForThread(), 0);
        ibsta = -1;
        write("F1");
        EXPECT_EQ(ibsta, -1);
    }
}

TEST_F(LoadedLibrary, StatusWordsBelongToTheCallingThread) {
    write("F1", 17);
    int otherIbsta = 0;
    int otherIberr = -1;
    long otherCount = -1;
    std::thread other([&] {
        int words[3] = {};
        long count = 0;
        api.RegisterGpibGlobalsForThread(&words[0], &words[1], &words[2], &count);
        write("F2");
        otherIbsta = api.ThreadIbsta();
        otherIberr = words[1];
        otherCount = count;
        api.UnregisterGpibGlobalsForThread();
    });
    other.join();
    EXPECT_EQ(otherIbsta, kCmpl);
    EXPECT_EQ(otherIberr, 0);
    EXPECT_EQ(otherCount, 4);
    EXPECT_EQ(api.ThreadIbsta(), kErr | kCmpl);
    EXPECT_EQ(api.ThreadIberr(), kEnol);
}

TEST_F(LoadedLibrary, MissingBoardsAndListenersShowInTheStatus) {
    api.SendIFC(2);
    EXPECT_EQ(api.ThreadIbsta(), kErr);
    EXPECT_EQ(api.ThreadIberr(), kEneb);
    const int boards[] = {2};
    ASSERT_EQ(api.gpibsim_set_boards(boards, 1), 0);
    api.SendIFC(2);
    EXPECT_EQ(api.ThreadIbsta(), kCmpl);
    api.SendIFC(0);
    EXPECT_EQ(api.ThreadIberr(), kEneb);
    ASSERT_EQ(api.gpibsim_set_boards(nullptr, 0), 0);
    EXPECT_EQ(api.ibwait(2, 0), kErr);

    api.gpibsim_reset();
    ASSERT_EQ(api.gpibsim_set_address(5), 0);
    EXPECT_EQ(write("F1"), kErr | kCmpl);
    EXPECT_EQ(write("F1", 5), kCmpl);
    ASSERT_EQ(api.gpibsim_set_fault("no_listener", "1"), 0);
    EXPECT_EQ(write("F1", 5), kErr | kCmpl);
    EXPECT_EQ(api.ThreadIberr(), kEnol);
}

// The program's whole I-V test against the library: the start, the download, the 250 ms polls
// with one reply read per announced reading, and the closing sequence.
TEST_F(LoadedLibrary, ProgramStyleStairTestCollectsEveryReading) {
    const Addr4882_t instrument[] = {16, kNoAddr};
    api.SendIFC(0);
    for (const auto& [option, value] : {std::pair{4, 0}, {3, 12}, {17, 1}, {7, 0}, {31, 15}})
        EXPECT_EQ(api.ibconfig(0, option, value), kCmpl);
    spoll();
    api.EnableRemote(0, instrument);
    EXPECT_EQ(api.ThreadIbsta(), kCmpl);
    EXPECT_EQ(api.gpibsim_remote(), 1);
    spoll();
    for (const char* command : {"T1", "L1", "M1", "F2", "A3", "PA0.0", "PS0.0", "PT5.0", "PE1.0",
                                "PH1.0", "PD1.0", "PV0.5", "B2", "PB0.0", "J1", "I1"})
        EXPECT_EQ(write(command), kCmpl) << command;
    api.gpibsim_advance(1.0);
    spoll();
    spoll();
    write("D3");
    write("W1");

    std::vector<std::string> replies;
    for (int tick = 0; tick < 200; ++tick) {
        api.gpibsim_advance(0.25);
        const int polled = spoll();
        if (polled & status::kReadingReady) {
            const std::string buffer = read200();
            EXPECT_EQ(api.ThreadIbsta(), kCmpl | kEnd);
            EXPECT_EQ(buffer.substr(static_cast<std::size_t>(api.ThreadIbcnt())),
                      std::string(200 - static_cast<std::size_t>(api.ThreadIbcntl()), ' '));
            replies.push_back(buffer.substr(0, static_cast<std::size_t>(api.ThreadIbcnt())));
        }
        if (!(polled & status::kVoltageOutput))
            break;
    }
    ASSERT_EQ(replies.size(), 6u);
    // The diode: forward from 0 V, at the 1E-2 A limit from 1 V on.
    for (std::size_t i = 0; i < replies.size(); ++i) {
        const std::string line = std::string(i == 0 ? "N" : "L") +
                                 R"(AI[+-]\d\.\d{3}E[+-]\d{2},V\+)" + std::to_string(i) +
                                 R"(\.00\r\n)";
        EXPECT_TRUE(matchesWhole(replies[i], line)) << replies[i];
    }
    EXPECT_EQ(api.gpibsim_lost_readings(), 0);
    EXPECT_NEAR(api.gpibsim_time(), 1.0 + 7.25, 1e-9);

    for (const char* command : {"W7", "D0", "F1", "T1"}) {
        write(command);
        spoll();
    }
    api.EnableLocal(0, instrument);
    EXPECT_EQ(api.gpibsim_remote(), 0);
    EXPECT_EQ(std::string(api.gpibsim_last_commands(4)), "W7\nD0\nF1\nT1");
    EXPECT_EQ(api.gpibsim_ignored_commands(), 0);
}

TEST_F(LoadedLibrary, VirtualTimeMovesOnlyForward) {
    EXPECT_EQ(api.gpibsim_time(), 0.0);
    EXPECT_EQ(api.gpibsim_set_time(2.5), 0);
    EXPECT_EQ(api.gpibsim_advance(0.5), 0);
    EXPECT_EQ(api.gpibsim_time(), 3.0);
    EXPECT_EQ(api.gpibsim_set_time(1.0), -1);
    EXPECT_NE(std::string(api.gpibsim_messages()), "");
    EXPECT_EQ(api.gpibsim_advance(-1.0), -1);
    EXPECT_EQ(api.gpibsim_time(), 3.0);

    EXPECT_EQ(api.gpibsim_next_reading_time(), -1.0);
    write("F1");
    write("I3");
    write("PH1.0");
    write("W1");
    EXPECT_DOUBLE_EQ(api.gpibsim_next_reading_time(), 3.0 + 1.0 + 0.32);
    ASSERT_EQ(api.gpibsim_set_time(10.0), 0);
    EXPECT_EQ(api.gpibsim_status_byte(),
              status::kReadingReady | status::kVoltageOutput | kRequestingService);
    EXPECT_EQ(api.gpibsim_lost_readings(), api.gpibsim_readings_taken() - 1);

    // Back in real time the clock carries on from the virtual reading.
    ASSERT_EQ(api.gpibsim_set_virtual_time(0), 0);
    EXPECT_GE(api.gpibsim_time(), 10.0);
    EXPECT_EQ(api.gpibsim_set_time(20.0), -1);
    EXPECT_EQ(api.gpibsim_set_virtual_time(1), 0);
}

TEST_F(LoadedLibrary, ControlFunctionsRefuseBadValuesAndSayWhy) {
    EXPECT_EQ(api.gpibsim_set_address(31), -1);
    EXPECT_EQ(std::string(api.gpibsim_messages()),
              "[board] address expects a whole number from 0 to 30");
    EXPECT_EQ(api.gpibsim_set_model("capacitor"), -1);
    EXPECT_EQ(api.gpibsim_set_model_parameter("weight", 1.0), -1);
    EXPECT_EQ(api.gpibsim_set_fault("gremlins", "1"), -1);
    EXPECT_EQ(api.gpibsim_set_boards(nullptr, 2), -1);
    EXPECT_EQ(api.gpibsim_configure(nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(api.gpibsim_load_config("/nonexistent/sim.ini"), -1);
    EXPECT_EQ(api.gpibsim_set_trace("/nonexistent/folder/trace.txt"), -1);
    // All or nothing: a bad long reading time keeps the short one as it was.
    EXPECT_EQ(api.gpibsim_set_reading_times(0.5, 0.08, -1.0), -1);
    write("F1");
    write("PH0.0");
    write("W1");
    EXPECT_DOUBLE_EQ(api.gpibsim_next_reading_time(), 0.02);

    EXPECT_EQ(api.gpibsim_set_reading_times(0.01, 0.1, 1.0), 0);
    EXPECT_EQ(api.gpibsim_set_model("resistor"), 0);
    EXPECT_EQ(api.gpibsim_set_model_parameter("resistance", 1e6), 0);
    EXPECT_EQ(api.gpibsim_set_noise_seed(7), 0);
    EXPECT_EQ(api.gpibsim_set_noise_level(0.0, 0.0), 0);
    EXPECT_EQ(api.gpibsim_configure("instrument", "offset_current", "0"), 0);
    write("PA2.0");
    write("W1");
    api.gpibsim_advance(0.01);
    EXPECT_EQ(read200().substr(0, 22), "NAI+2.000E-06,V+2.00\r\n");
    EXPECT_EQ(std::string(api.gpibsim_messages()), "");
}

TEST_F(LoadedLibrary, ConfigurationFileAppliesGoodKeysAndCountsBadOnes) {
    const std::string path =
        lib.dir.write("extra.ini", "[board]\naddress = 9\n[faults]\nread_timeout_at = 1\n"
                                   "garble_kind = sideways\n");
    EXPECT_EQ(api.gpibsim_load_config(path.c_str()), 1);
    EXPECT_NE(std::string(api.gpibsim_messages()).find("line 5"), std::string::npos);
    read200();
    EXPECT_EQ(api.ThreadIberr(), kEnol);
    std::string buffer(200, ' ');
    api.Receive(0, 9, buffer.data(), 200, 10);
    EXPECT_EQ(api.ThreadIbsta(), kErr | kTimo | kCmpl);
    api.gpibsim_clear_faults();
    api.gpibsim_reset();
    EXPECT_EQ(write("F1"), kCmpl);
}

TEST_F(LoadedLibrary, TraceLinesFollowTheFormat) {
    int words[3] = {};
    long count = 0;
    api.RegisterGpibGlobalsForThread(&words[0], &words[1], &words[2], &count);
    write("F1");
    write("W1");
    api.gpibsim_advance(1.0);
    spoll();
    read200();
    api.UnregisterGpibGlobalsForThread();
    const std::vector<std::string> lines = linesOf(lib.tracePath);
    ASSERT_GE(lines.size(), 6u);
    for (const std::string& line : lines)
        EXPECT_TRUE(matchesWhole(line, kTraceCallLine) || matchesWhole(line, kTraceNoteLine))
            << line;
    const std::vector<std::string> last(lines.end() - 6, lines.end());
    EXPECT_EQ(fieldsOf(last[0])[1], "RegisterGpibGlobalsForThread");
    EXPECT_EQ(fieldsOf(last[0]).back(), "note=returned 0");
    EXPECT_EQ(fieldsOf(last[3])[1], "ReadStatusByte");
    EXPECT_EQ(fieldsOf(last[3])[4], "81");
    EXPECT_EQ(fieldsOf(last[3]).back().substr(0, 5), "lost=");
    EXPECT_EQ(fieldsOf(last[4])[0], "1.000");
    EXPECT_EQ(fieldsOf(last[4])[4].substr(0, 3), "NAI");
    EXPECT_EQ(fieldsOf(last[4])[4].substr(fieldsOf(last[4])[4].size() - 4), "\\r\\n");
    EXPECT_EQ(fieldsOf(last[5])[1], "UnregisterGpibGlobalsForThread");
}

} // namespace
} // namespace gpibsim::test
