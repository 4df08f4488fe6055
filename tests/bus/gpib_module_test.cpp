#include "support/bus_fixture.h"

#include "platform/app_error.h"
#include "platform/message_box.h"
#include <algorithm>

using testsupport::BusFixture;

namespace {

using Lines = std::vector<std::string>;

TEST_F(BusFixture, AWriteLogsTheCommandThenTheSrqLine) {
    EXPECT_TRUE(gpib.GPIBWrite(0, kAddress, "W1"));
    EXPECT_EQ(window.lines, (Lines{"GPIB0_17_Write:W1[No Error]", "GPIB0_SRQ:0[No Error]"}));
    EXPECT_FALSE(errors.ErrorsExist());
}

TEST_F(BusFixture, BoardClearAndSerialPollLines) {
    EXPECT_TRUE(gpib.GPIBBoardClear(0));
    const std::int16_t status = gpib.GPIBSPOLL(0, kAddress);
    EXPECT_EQ(window.lines, (Lines{"GPIB0_BoardClear[No Error]",
                                   "GPIB0_17_SPOLL:" + std::to_string(status) + "[No Error]"}));
}

TEST_F(BusFixture, AWriteToNoListenerLogsTheErrorInTheLogAndTheQueue) {
    sim.call<int(int)>("gpibsim_set_address", 16);
    EXPECT_FALSE(gpib.GPIBWrite(0, kAddress, "W1"));
    const std::string line =
        "GPIB0_17_Write:W1[GPIBError=2; ENOL <No Listener>; ibsta=&H8100= ERR CMPL]";
    ASSERT_FALSE(window.lines.empty());
    EXPECT_EQ(window.lines.front(), line);
    EXPECT_EQ(errors.GetErrorString(), errors.messageHeader() + "\r\n" + line);
}

TEST_F(BusFixture, AWriteSendsTheCommandWithCrLfAndEoiOnTheLastByte) {
    gpib.GPIBWrite(0, kAddress, "F1");
    const Lines trace = traceLines();
    const auto send = std::find_if(trace.begin(), trace.end(),
                                   [](const std::string& l) { return l.starts_with("Send\t"); });
    ASSERT_NE(send, trace.end());
    // With the other family's end mode the simulator would see an extra line feed.
    EXPECT_EQ(send->substr(0, send->find("\tibsta")), "Send\t0\t17\tF1\\r\\n");
    EXPECT_EQ(window.lines.front(), "GPIB0_17_Write:F1[No Error]");
}

TEST_F(BusFixture, InvalidBoardOrAddressMakesNoCallAndNoLine) {
    std::string buffer(200, ' ');
    EXPECT_FALSE(gpib.GPIBWrite(4, kAddress, "W1"));
    EXPECT_FALSE(gpib.GPIBWrite(0, 31, "W1"));
    EXPECT_FALSE(gpib.GPIBRead(0, 31, buffer));
    EXPECT_EQ(gpib.GPIBSPOLL(0, 31), 0);
    EXPECT_FALSE(gpib.GPIBSRQ(4, 0));
    EXPECT_FALSE(gpib.GPIBBoardClear(4));
    EXPECT_FALSE(gpib.GPIBDeviceClear(0, -1));
    EXPECT_FALSE(gpib.GPIBEnableLocal(-1, kAddress));
    EXPECT_FALSE(gpib.GPIBEnableRemote(0, 31));
    EXPECT_TRUE(window.lines.empty());
    EXPECT_TRUE(traceLines().empty());
}

TEST_F(BusFixture, SrqWithAddressZeroNeverPolls) {
    EXPECT_FALSE(gpib.GPIBSRQ(0, 0));
    for (const std::string& line : traceLines())
        EXPECT_EQ(line.find("ReadStatusByte"), std::string::npos) << line;
}

TEST_F(BusFixture, EveryRegistrationCodeLeavesTheStatusAsTheDriverWroteIt) {
    for (const int code : {0, 1, 2, 3}) {
        bus::GpibCalls fresh(binding);
        sim.call<int(int)>("gpibsim_set_register_result", code);
        fresh.SendIFC(0);
        EXPECT_EQ(fresh.status().registered, code <= 1) << code;
        if (code <= 1) {
            EXPECT_EQ(fresh.status().ibsta, 0x100) << code; // CMPL
        }
    }
}

TEST_F(BusFixture, AFailedRegistrationReportsADriverErrorAndIsRetried) {
    bus::GpibCalls fresh(binding);
    sim.call<int(int)>("gpibsim_set_register_result", 7);
    fresh.SendIFC(0);
    EXPECT_FALSE(fresh.status().registered);
    EXPECT_EQ(fresh.status().ibsta, bus::LongToStatusInt(0x8000));
    EXPECT_EQ(fresh.status().iberr, 0);
    EXPECT_EQ(fresh.status().ibcnt, 0x37F0);
    sim.call<int(int)>("gpibsim_set_register_result", 0);
    fresh.SendIFC(0);
    EXPECT_TRUE(fresh.status().registered);
    EXPECT_EQ(fresh.status().ibsta, 0x100);
}

TEST_F(BusFixture, ThePresentDriverIsLogged) {
    EXPECT_TRUE(gpib.GPIBDriverPresent());
    EXPECT_EQ(window.lines, Lines{"GPIBNIDLL is Present"});
}

class MissingDriver : public testing::Test {
protected:
    platform::VirtualClock clock;
    bus::DriverBinding binding{{"/nonexistent/libgpib.so.0"}};
    bus::GpibCalls calls{binding};
    diagnostics::oocDebugLog log{clock};
    diagnostics::oocErrorQueue errors;
    testsupport::RecordingSink window;
    bus::Gpib gpib{calls, log, errors};
    platform::ScopedRecordingMessageBox box;
};

TEST_F(MissingDriver, IsReportedAsMissingOnEveryProbe) {
    log.setEnabled(true);
    log.setLogWindow(&window);
    EXPECT_FALSE(gpib.GPIBDriverPresent());
    EXPECT_FALSE(gpib.GPIBDriverPresent());
    EXPECT_EQ(window.lines, (Lines{"GPIBNIDLL is Missing", "GPIBNIDLL is Missing"}));
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[0].text.rfind("48: No GPIB driver library was found", 0), 0u)
        << box->shown()[0].text;
    EXPECT_EQ(box->shown()[0].style & platform::mb::IconMask, platform::mb::Exclamation);
    EXPECT_THROW(gpib.GPIBWrite(0, 16, "W1"), platform::AppError);
}

} // namespace
