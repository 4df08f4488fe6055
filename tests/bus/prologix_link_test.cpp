// The adapter library as the program binds it, against an emulated Prologix adapter that passes
// the instrument's part on to the simulator: the command set each bus call becomes, the status
// words it leaves, and what happens when the line is slow, noisy, late or gone.

#include "bus/driver_binding.h"
#include "bus/gpib.h"
#include "bus/gpib_calls.h"
#include "bus/prologix/link_error.h"
#include "bus/prologix/open_problem.h"
#include "bus/prologix/target.h"
#include "diagnostics/debug_log.h"
#include "diagnostics/error_queue.h"
#include "platform/app_error.h"
#include "platform/clock.h"
#include "platform/log_sink.h"
#include "prologix_emulator.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/file.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using testsupport::PrologixEmulator;
using Lines = std::vector<std::string>;

constexpr int kErr = 0x8000;
constexpr int kTimo = 0x4000;
constexpr int kEnd = 0x2000;
constexpr int kSrqi = 0x1000;
constexpr int kCmpl = 0x0100;
constexpr int kEdvr = 0;
constexpr int kEnol = 2;
constexpr int kEabo = 6;
constexpr int kEneb = 7;
constexpr int kT300ms = 10;

std::string adapterLibrary() {
    return (testsupport::buildDir() / "lib" / "tarvix-4140" / "libtarvix-prologix.so").string();
}

class Sink : public platform::LogSink {
public:
    void SendString(const std::string& line) override { lines.push_back(line); }
    Lines lines;
};

class AdapterLink : public testing::Test {
protected:
    void start(PrologixEmulator::Faults faults = {}) { emulator.emplace(faults); }
    void bindTo(const std::string& target) {
        binding.emplace(bus::DriverChoice({adapterLibrary()}, target));
        calls.emplace(*binding);
        gpib.emplace(*calls, log, errors);
        errors.setLogWindow(&window);
        errors.EnableLOGOutput();
    }
    std::string tcp() const { return "tcp://127.0.0.1:" + std::to_string(emulator->tcpPort()); }

    int ibsta() const { return static_cast<std::uint16_t>(calls->status().ibsta); }
    int iberr() const { return calls->status().iberr; }
    bool failed() const { return ibsta() & kErr; }
    std::string problem() const { return binding->adapter()->problem(); }
    // The lines the emulator heard since the last call of this, once it has heard `count` (or
    // a second has passed) and nothing more for a moment: commands without an answer arrive
    // after the call has returned.
    Lines heard(std::size_t count) {
        for (int i = 0; i < 100 && emulator->lines().size() < seen_ + count; ++i)
            std::this_thread::sleep_for(10ms);
        std::this_thread::sleep_for(20ms);
        const Lines all = emulator->lines();
        Lines fresh(all.begin() + static_cast<long>(seen_), all.end());
        seen_ = all.size();
        return fresh;
    }
    void expectHeard(const Lines& expected) { EXPECT_EQ(heard(expected.size()), expected); }
    // The instrument's status byte as the emulator's simulator has it.
    int simStatus() { return emulator->sim().call<int()>("gpibsim_status_byte"); }

    std::optional<PrologixEmulator> emulator;
    platform::SteadyClock clock;
    diagnostics::oocDebugLog log{clock};
    diagnostics::oocErrorQueue errors;
    Sink window;
    std::optional<bus::DriverBinding> binding;
    std::optional<bus::GpibCalls> calls;
    std::optional<bus::Gpib> gpib;

private:
    std::size_t seen_ = 0;
};

TEST_F(AdapterLink, EachBusCallBecomesTheAdaptersCommandsAndLeavesTheStatusWordsOfADriver) {
    start();
    bindTo(emulator->ptyPath());
    EXPECT_TRUE(gpib->GPIBBoardClear(0));
    expectHeard(Lines{"++savecfg 0", "++mode 1", "++auto 0", "++eos 3", "++ver", "++ifc"});
    const std::string named =
        "prologix:" + emulator->ptyPath() + " (" + PrologixEmulator::kVersion + ")";
    EXPECT_EQ(binding->description(), named);
    EXPECT_EQ(window.lines.back(), "GPIB0_Adapter:" + named); // the log window names it

    // The board set-up's timeout and EOI map onto the adapter's settings, sent when they change.
    gpib->ConfigureBoard(0);
    expectHeard(Lines{"++eoi 0", "++read_tmo_ms 3000"});
    calls->ibconfig(0, 3, 11);
    calls->ibconfig(0, 3, 13); // 10 s: more than the adapter takes
    calls->ibconfig(0, 3, 12);
    expectHeard(Lines{"++read_tmo_ms 1000", "++read_tmo_ms 3000"});

    // Data goes out escaped, with EOI on the last byte; ++addr only when the address changes.
    calls->Send(0, 16, "PA+1.5\r\n", bus::EotMode::DABend);
    EXPECT_EQ(ibsta(), kCmpl);
    EXPECT_EQ(calls->status().ibcnt, 8);
    calls->Send(0, 16, "W1\r\n", bus::EotMode::DABend);
    expectHeard(Lines{"++addr 16", "++eoi 1", "DATA:PA+1.5\r\n", "DATA:W1\r\n"});
    EXPECT_EQ(emulator->sim().call<const char*(int)>("gpibsim_last_commands", 2),
              std::string("PA+1.5\nW1"));

    std::this_thread::sleep_for(50ms);                // a reading falls due every 20 ms
    EXPECT_EQ(calls->ReadStatusByte(0, 16) & 16, 16); // the output is on
    expectHeard(Lines{"++spoll 16"});
    const std::string reading = calls->Receive(0, 16, std::string(200, ' '), 10);
    EXPECT_EQ(reading.substr(0, 4), "NAI+");
    EXPECT_EQ(reading.substr(13, 10), ",V+1.50\r\n ");
    EXPECT_EQ(ibsta(), kCmpl | kEnd);
    EXPECT_EQ(calls->status().ibcnt, 22);
    expectHeard(Lines{"++read 10"});

    // A reply longer than the buffer keeps its rest for the next read, as a board does.
    const std::string head = calls->Receive(0, 16, std::string(5, ' '), 0x100);
    EXPECT_EQ(ibsta(), kCmpl);
    const std::string rest = calls->Receive(0, 16, std::string(40, ' '), 10);
    EXPECT_EQ(ibsta(), kCmpl | kEnd);
    EXPECT_EQ(head.substr(0, 4) + rest.substr(8, 10), "NAI+,V+1.50\r\n ");
    expectHeard(Lines{"++read eoi"});

    calls->DevClear(0, 17);
    calls->EnableLocal(0, {16});
    calls->EnableRemote(0, {16}); // the adapter holds REN itself
    EXPECT_EQ(ibsta(), kCmpl);
    EXPECT_FALSE(calls->SrqLineAsserted(0) && !(simStatus() & 0x40));
    expectHeard(Lines{"++addr 17", "++clr", "++addr 16", "++loc", "++srq"});

    calls->SendIFC(1);
    EXPECT_EQ(iberr(), kEneb);
    EXPECT_TRUE(failed());
}

TEST_F(AdapterLink, NothingInTimeIsATimeoutOrNoListenerAndTheLineStaysInStep) {
    start();
    bindTo(tcp());
    calls->SendIFC(0);
    calls->ibconfig(0, 3, kT300ms);
    calls->Receive(0, 16, std::string(200, ' '), 10); // no test runs: nothing to read
    EXPECT_EQ(ibsta(), kErr | kTimo | kCmpl);
    EXPECT_EQ(iberr(), kEabo);
    EXPECT_EQ(calls->status().ibcnt, 0);
    EXPECT_NE(problem().find("Nothing came from GPIB address 16 through the adapter on 127.0.0.1:"),
              std::string::npos)
        << problem();

    emulator->sim().call<int(const char*, const char*)>("gpibsim_set_fault", "no_listener", "1");
    calls->ReadStatusByte(0, 16);
    EXPECT_EQ(ibsta(), kErr | kCmpl);
    EXPECT_EQ(iberr(), kEnol);
    EXPECT_NE(problem().find("did not answer the serial poll (++spoll 16)"), std::string::npos);
    emulator->sim().call<void()>("gpibsim_clear_faults");
    EXPECT_EQ(calls->ReadStatusByte(0, 16), 0);
    EXPECT_FALSE(failed());
    EXPECT_EQ(problem(), "");
}

// A late answer, noise before an answer and slow answers each cost at most the call they hit.
TEST_F(AdapterLink, ALateOrNoisyAnswerIsNeverTakenForTheNextOne) {
    start({.replyDelay = 20ms, .lateSpoll = 2, .lateBy = 800ms, .garbageAt = 6});
    bindTo(emulator->ptyPath());
    calls->SendIFC(0);                                  // answer 1: ++ver
    calls->ibconfig(0, 3, kT300ms);                     // a wait of 0.5 s for each answer
    calls->Send(0, 16, "W1\r\n", bus::EotMode::DABend); // the output goes on: status 16 and more
    EXPECT_GE(calls->ReadStatusByte(0, 16), 16);        // answer 2
    calls->ReadStatusByte(0, 16);                       // answered only after 0.8 s
    EXPECT_EQ(iberr(), kEnol);
    calls->ibwait(0, 0); // its answer must be 0 or 1, not the late status byte
    EXPECT_FALSE(failed()) << problem();
    heard(0);
    calls->ReadStatusByte(0, 16); // noise comes first
    EXPECT_TRUE(failed());
    EXPECT_EQ(iberr(), kEdvr);
    EXPECT_NE(problem().find("answered ++spoll 16 with \"\\x80\\xFE~#!\\x07\", which is no status"),
              std::string::npos)
        << problem();
    EXPECT_EQ(calls->ReadStatusByte(0, 16) & 16, 16);
    EXPECT_FALSE(failed());
    const Lines last = heard(0);
    EXPECT_EQ(std::count(last.begin(), last.end(), "++ver"), 1); // back in step first
}

// An AR488 resets when its port opens and hears nothing for a while.
TEST_F(AdapterLink, TheSetUpIsSentAgainUntilAnAdapterThatResetsAnswers) {
    start({.deafFor = 700ms});
    bindTo(emulator->ptyPath());
    const auto began = std::chrono::steady_clock::now();
    calls->SendIFC(0);
    EXPECT_FALSE(failed()) << problem();
    EXPECT_GE(std::chrono::steady_clock::now() - began, 700ms);
    expectHeard(Lines{"++savecfg 0", "++mode 1", "++auto 0", "++eos 3", "++ver", "++ifc"});
    EXPECT_EQ(calls->ReadStatusByte(0, 16), 0);
    EXPECT_FALSE(failed());
}

// No call but the board clear a test starts with opens the link again.
TEST_F(AdapterLink, ALostConnectionFailsEveryCallUntilTheNextBoardClear) {
    start({.dropAfter = 8});
    bindTo(tcp());
    EXPECT_TRUE(gpib->GPIBBoardClear(0)); // 6 lines
    gpib->GPIBSPOLL(0, 16);               // the 7th
    gpib->GPIBWrite(0, 16, "W1");         // ++addr 16 is the 8th
    EXPECT_TRUE(failed());
    EXPECT_EQ(iberr(), kEdvr);
    gpib->GPIBSPOLL(0, 16);
    gpib->GPIBSPOLL(0, 16);
    EXPECT_EQ(iberr(), kEdvr);
    const std::string gone =
        "GPIB0_Adapter:The adapter on 127.0.0.1:" + std::to_string(emulator->tcpPort()) +
        " is gone (";
    EXPECT_EQ(std::count_if(window.lines.begin(), window.lines.end(),
                            [&](const std::string& line) { return line.starts_with(gone); }),
              1)
        << testing::PrintToString(window.lines);
    EXPECT_EQ(gpib->boardSetupHint(0), problem());
    EXPECT_TRUE(problem().ends_with("; it is opened again at the next test start.")) << problem();
    EXPECT_EQ(emulator->tcpConnections(), 1);

    EXPECT_TRUE(gpib->GPIBBoardClear(0));
    EXPECT_EQ(emulator->tcpConnections(), 2);
    gpib->GPIBSPOLL(0, 16);
    EXPECT_FALSE(failed());
}

TEST_F(AdapterLink, APortThatCannotBeOpenedIsNamedWithWhatToDo) {
    start();
    bindTo("/nonexistent/ttyUSB9");
    EXPECT_FALSE(gpib->GPIBBoardClear(0));
    gpib->GPIBSPOLL(0, 16);
    EXPECT_EQ(iberr(), kEdvr);
    EXPECT_EQ(gpib->boardSetupHint(0).value_or(""),
              "The serial port /nonexistent/ttyUSB9 does not exist: is the adapter plugged in? (ls "
              "/dev/ttyUSB* /dev/ttyACM* /dev/serial/by-id lists the serial ports there are.)");

    // Another program holding the port keeps us out, even as root.
    const int other = ::open(emulator->ptyPath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    bindTo(emulator->ptyPath());
    calls->SendIFC(0);
    EXPECT_NE(
        problem().find("The serial port " + emulator->ptyPath() + " is in use by another program"),
        std::string::npos)
        << problem();
    ::close(other);
    calls->SendIFC(0);
    EXPECT_FALSE(failed()) << problem();

    bindTo("tcp://127.0.0.1:1"); // nothing listens on port 1
    calls->SendIFC(0);
    EXPECT_EQ(problem().rfind("Nothing accepts connections at 127.0.0.1:1: ", 0), 0u) << problem();
}

TEST(AdapterOpenProblem, PermissionDeniedSaysHowToJoinThePortsGroup) {
    EXPECT_EQ(prologix::serialOpenProblem("/dev/ttyUSB0", EACCES, "alice", "dialout"),
              "Permission denied on the serial port /dev/ttyUSB0, which belongs to the group "
              "dialout. Join that group with \"sudo adduser alice dialout\", then log out and "
              "log in again (a new group counts from the next login).");
    EXPECT_NE(prologix::serialOpenProblem("/dev/ttyACM0", EBUSY, "alice", "dialout")
                  .find("/dev/ttyACM0 is in use"),
              std::string::npos);
}

TEST(AdapterTarget, ASerialPortOrATcpAddressWithTheirDefaults) {
    using prologix::parseTarget;
    using Kind = prologix::Target::Kind;
    const auto usb = parseTarget("/dev/ttyUSB0");
    EXPECT_EQ(usb.kind, Kind::Serial);
    EXPECT_EQ(usb.baud, 115200);
    EXPECT_EQ(parseTarget("/dev/serial/by-id/usb-Prologix?baud=9600").baud, 9600);
    const auto ethernet = parseTarget("tcp://gpib-lab");
    EXPECT_EQ(ethernet.kind, Kind::Tcp);
    EXPECT_EQ(ethernet.name(), "gpib-lab:1234");
    EXPECT_EQ(parseTarget("tcp://[fe80::1]:4000").name(), "[fe80::1]:4000");
    EXPECT_EQ(parseTarget("tcp://10.0.0.5:99").port, 99);

    for (const char* bad : {"ttyUSB0", "/dev/ttyUSB0?baud=12", "/dev/ttyUSB0?parity=E", "tcp://",
                            "tcp://host:0", "tcp://host:http", "tcp://[::1"})
        EXPECT_THROW(parseTarget(bad), prologix::LinkError) << bad;

    // The program hears of a choice it cannot use when it binds, with the reason.
    bus::DriverBinding binding(bus::DriverChoice({adapterLibrary()}, "/dev/ttyUSB0?baud=12"));
    try {
        binding.api();
        ADD_FAILURE() << "bound";
    } catch (const platform::AppError& error) {
        EXPECT_EQ(error.number(), 48);
        EXPECT_EQ(std::string(error.description())
                      .rfind("The adapter prologix:/dev/ttyUSB0?baud=12 cannot be used: \"12\" is "
                             "not a baud rate",
                             0),
                  0u)
            << error.description();
    }
}

} // namespace
