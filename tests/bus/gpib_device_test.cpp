#include "support/bus_fixture.h"

#include "bus/gpib_device.h"
#include "hp4140/status_byte.h"
#include "platform/yield.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

using Lines = std::vector<std::string>;

namespace status = hp4140::status;

class RecordingObserver : public bus::SpollObserver {
public:
    void SetSpoll(std::int16_t status) override {
        calls.push_back("spoll " + std::to_string(status));
    }
    Lines calls;
};

class Device : public testsupport::BusFixture {
protected:
    Device() {
        device.setBoardID(0);
        device.setGPIBAddress(kAddress);
        device.setSpollObserver(&observer);
    }

    bool logged(const std::string& line) const {
        return std::find(window.lines.begin(), window.lines.end(), line) != window.lines.end();
    }
    long traced(const std::string& function) const {
        const Lines trace = traceLines();
        return std::count_if(trace.begin(), trace.end(),
                             [&](const std::string& l) { return l.starts_with(function + "\t"); });
    }

    platform::CountingYield yield;
    diagnostics::oocErrorQueue appErrors;
    RecordingObserver observer;
    bus::GPIBDevice device{gpib, appErrors, log, clock, yield};
};

TEST_F(Device, SaveStringNamesBoardAndAddress) {
    device.setInstrumentID("HP4140");
    device.setGPIBAddress(7);
    EXPECT_EQ(device.SaveString(), "HP4140:0,07");
    device.setIDN("HEWLETT-PACKARD 4140B");
    EXPECT_EQ(device.SaveString(), "HP4140:HEWLETT-PACKARD 4140B");
}

TEST_F(Device, SendTracesTheCommandInTheApplicationQueue) {
    EXPECT_TRUE(device.Send("F2"));
    EXPECT_EQ(appErrors.GetErrorString(), appErrors.messageHeader() + "\r\nF2");
}

TEST_F(Device, AReplyIsReadIntoTwoHundredBlanks) {
    for (const char* command : {"F1", "I1", "D3", "W1"})
        device.Send(command);
    clock.sleep(std::chrono::milliseconds(100));
    ASSERT_TRUE(status::has(device.SPOLL(), status::kReadingReady));
    const std::string reply = device.Receive();
    ASSERT_EQ(reply.size(), 200u);
    const auto lineFeed = reply.find('\n');
    ASSERT_NE(lineFeed, std::string::npos);
    EXPECT_EQ(reply.substr(lineFeed - 1, 2), "\r\n");
    EXPECT_EQ(reply.find_first_not_of(' ', lineFeed + 1), std::string::npos);
    EXPECT_EQ(device.Receive(50).size(), 50u);
}

TEST_F(Device, SerialPollHandsTheStatusAsReadToTheObserver) {
    device.Send("F1");
    device.Send("W1");
    const std::int16_t polled = device.SPOLL();
    EXPECT_TRUE(status::has(polled, status::kVoltageOutput));
    EXPECT_EQ(observer.calls, (Lines{"spoll " + std::to_string(polled)}));
}

TEST_F(Device, AFailedPollIsNoStatusAndLeavesTheDisplaysAlone) {
    device.SPOLL();
    EXPECT_FALSE(device.lastPollFailed());
    observer.calls.clear();
    device.setGPIBAddress(kAddress + 1); // nobody listens there
    EXPECT_EQ(device.SPOLL(), 0);
    EXPECT_TRUE(device.lastPollFailed());
    device.setGPIBAddress(31); // no valid address: no driver call at all
    EXPECT_EQ(device.SPOLL(), 0);
    EXPECT_TRUE(device.lastPollFailed());
    EXPECT_TRUE(observer.calls.empty());
    device.setGPIBAddress(kAddress);
    device.SPOLL();
    EXPECT_FALSE(device.lastPollFailed());
}

TEST_F(Device, OfflineModeLeavesTheBusAlone) {
    device.setDEMO(true);
    EXPECT_TRUE(device.Send("W1"));
    EXPECT_EQ(device.Receive(), "");
    EXPECT_EQ(device.SendAndReceive("W1"), "");
    EXPECT_EQ(device.SPOLL(), 0);
    EXPECT_FALSE(device.MAV());
    EXPECT_FALSE(device.SRQ());
    float wait = 5000;
    EXPECT_EQ(device.WaitForSRQ(wait), 0.0f);
    EXPECT_EQ(device.WaitForMAV(10, true), 0.0f);
    EXPECT_TRUE(observer.calls.empty());
    EXPECT_TRUE(traceLines().empty());
    EXPECT_FALSE(appErrors.ErrorsExist());
}

TEST_F(Device, WaitForMavWithZeroPollsOnceAndFails) {
    EXPECT_EQ(device.WaitForMAV(0, true), -1.0f);
    EXPECT_EQ(traced("ReadStatusByte"), 1);
    EXPECT_EQ(yield.count(), 1);
    EXPECT_TRUE(logged("GPIB17_WaitForMAV... FAIL after 0.000 seconds"));
}

TEST_F(Device, WaitForMavReturnsTheSecondsWaited) {
    device.setSPOLLMAVMask(1); // a reading is waiting
    for (const char* command : {"F1", "I1", "D3", "W1"})
        device.Send(command);
    const float waited = device.WaitForMAV(5, false);
    EXPECT_GT(waited, 0.0f);
    EXPECT_LT(waited, 1.0f);
    EXPECT_EQ(yield.count(), 0);
    EXPECT_TRUE(std::any_of(window.lines.begin(), window.lines.end(), [](const std::string& l) {
        return l.starts_with("GPIB17_WaitForMAV... 0.") && l.ends_with(" seconds");
    }));
}

TEST_F(Device, WaitForSrqCapsTheWaitAt1200Seconds) {
    log.setLogWindow(nullptr);
    log.setEnabled(false);
    float wait = 5000;
    EXPECT_EQ(device.WaitForSRQ(wait), -1.0f);
    EXPECT_EQ(wait, 1200.0f);
    EXPECT_NEAR(clock.elapsedSeconds(), 1200.0, 0.05);
    EXPECT_EQ(yield.count(), 0);
}

TEST_F(Device, SendAndReceiveDelayPausesInHundredMillisecondSteps) {
    for (const auto& [delay, pauses] : {std::pair{1000, 10}, {250, 3}, {0, 1}, {1, 1}}) {
        platform::CountingYield counting;
        bus::GPIBDevice fresh{gpib, appErrors, log, clock, counting};
        fresh.setGPIBAddress(kAddress);
        const double before = clock.elapsedSeconds();
        fresh.SendAndReceiveDelay("W7", static_cast<std::int16_t>(delay), 20);
        EXPECT_EQ(counting.count(), pauses) << delay;
        EXPECT_NEAR(clock.elapsedSeconds() - before, pauses * 0.1, 1e-9) << delay;
    }
}

TEST_F(Device, AScriptSendsItsCommandsAndKeepsBlanksBeforeAComment) {
    testsupport::TempFolder folder;
    const std::filesystem::path script = folder / "script.txt";
    std::ofstream(script) << "F1 #the function\n\tI1\r\n&&SDC\n&&sdc\n\n# nothing\n";
    device.RunFileScript(script.string());
    EXPECT_EQ(appErrors.GetErrorString(), appErrors.messageHeader() + "\r\nF1 \r\nI1");
    EXPECT_TRUE(logged("GPIB17_devclear"));
    EXPECT_EQ(traced("DevClear"), 1);
    EXPECT_EQ(yield.count(), 6);
}

TEST_F(Device, LowLevelCommandsOtherThanSdcAreIgnored) {
    device.LowLevelCommandSend("sdc");
    device.LowLevelCommandSend("GTL");
    EXPECT_TRUE(traceLines().empty());
}

TEST_F(Device, MavWithAZeroMaskIsNeverSet) {
    device.Send("W1");
    device.setSPOLLMAVMask(0);
    EXPECT_FALSE(device.MAV());
}

TEST(DeviceWithoutDriver, APollOfAMissingDriverIsQueuedNotThrown) {
    platform::VirtualClock clock;
    bus::DriverBinding binding({"/nonexistent/libgpib.so.0"});
    bus::GpibCalls calls(binding);
    diagnostics::oocDebugLog log(clock);
    diagnostics::oocErrorQueue appErrors;
    diagnostics::oocErrorQueue deviceErrors;
    bus::Gpib gpib(calls, log, appErrors);
    platform::CountingYield yield;
    bus::GPIBDevice device(gpib, appErrors, log, clock, yield);
    device.setErrorQueue(deviceErrors);
    device.setGPIBAddress(16);
    EXPECT_EQ(device.SPOLL(), 0);
    ASSERT_TRUE(deviceErrors.ErrorsExist());
    EXPECT_NE(deviceErrors.GetErrorString().find("48: "), std::string::npos);
    EXPECT_NE(deviceErrors.GetErrorString().find(". Error occurred in GPIBdevice.SPOLL"),
              std::string::npos);
}

} // namespace
