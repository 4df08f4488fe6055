// The simulated board: what each call returns, the reads as the program makes them, and the
// faults it can be told to show.
#include "bus_session.h"

#include <functional>

namespace gpibsim::test {
namespace {

constexpr int kTimedOut = sta::kErr | sta::kTimo | sta::kCmpl;

class BoardCalls : public BusSession {
protected:
    // A sweep of three readings a second apart, the first at once.
    void startThreeReadingSweep() {
        commands({"F2", "A1", "PS0.0", "PT2.0", "PE1.0", "PH0.0", "PV1.0", "W1"});
    }
};

TEST_F(BoardCalls, ReadIntoTwoHundredBlanksStopsAfterTheLineFeedAndLeavesTheRest) {
    ASSERT_EQ(sim.configure("model", "kind", "open"), "");
    ASSERT_EQ(sim.configure("noise", "absolute", "0"), "");
    startThreeReadingSweep();
    const std::string buffer = readBuffer();
    const std::string reply = "NAI+5.000E-15,V+0.00\r\n";
    EXPECT_EQ(buffer, reply + std::string(200 - reply.size(), ' '));
    EXPECT_EQ(last.ibcnt, static_cast<long>(reply.size()));
    EXPECT_EQ(last.ibsta, sta::kCmpl | sta::kEnd);
}

TEST_F(BoardCalls, ShortBufferReadsTheReplyInPiecesWithEndOnlyOnTheLast) {
    startThreeReadingSweep();
    std::string piece(5, ' ');
    last = sim.board().receive(kBoard, kAddress, piece.data(), 5, 10);
    EXPECT_EQ(last.ibcnt, 5);
    EXPECT_EQ(last.ibsta & sta::kEnd, 0);
    const std::string whole = piece + read();
    EXPECT_NE(last.ibsta & sta::kEnd, 0);
    EXPECT_EQ(whole.substr(0, 3), "NAI");
    EXPECT_EQ(whole.substr(whole.size() - 9), ",V+0.00\r\n");
}

TEST_F(BoardCalls, TerminationByteStopsEarlyUnlessOnlyEoiIsAsked) {
    startThreeReadingSweep();
    std::string buffer(200, ' ');
    last = sim.board().receive(kBoard, kAddress, buffer.data(), 200, ',');
    EXPECT_EQ(buffer[static_cast<std::size_t>(last.ibcnt) - 1], ',');
    EXPECT_EQ(last.ibsta & sta::kEnd, 0);
    read();
    advance(1.0);
    last = sim.board().receive(kBoard, kAddress, buffer.data(), 200, kStopEnd | 'A');
    EXPECT_EQ(buffer.substr(static_cast<std::size_t>(last.ibcnt) - 2, 2), "\r\n");
}

TEST_F(BoardCalls, ReadWaitsForTheNextReadingWithinTheTimeout) {
    startThreeReadingSweep();
    read();
    EXPECT_DOUBLE_EQ(sim.time(), 0.0);
    const Reply next = parseReply(read());
    EXPECT_EQ(next.voltage, 1.0);
    EXPECT_DOUBLE_EQ(sim.time(), 1.0);
    EXPECT_EQ(last.ibsta & sta::kErr, 0);
}

TEST_F(BoardCalls, ReadWithNothingToComeTimesOutAfterTheBoardTimeout) {
    EXPECT_EQ(read(), "");
    EXPECT_EQ(last.ibsta, kTimedOut);
    EXPECT_EQ(last.iberr, err::kEabo);
    EXPECT_DOUBLE_EQ(sim.time(), 3.0);
    ASSERT_EQ(sim.board().config(kBoard, option::kTimeout, 11).ibsta, sta::kCmpl);
    read();
    EXPECT_DOUBLE_EQ(sim.time(), 4.0);
    // Without a limit a read that can never finish gives up at once rather than hang.
    sim.board().config(kBoard, option::kTimeout, 0);
    read();
    EXPECT_EQ(last.ibsta, kTimedOut);
    EXPECT_DOUBLE_EQ(sim.time(), 4.0);
}

TEST_F(BoardCalls, OtherAddressesHaveNoListenerAndOtherBoardsAreMissing) {
    short status = 0;
    const CallResult wrongAddress = sim.board().readStatusByte(kBoard, 17, &status);
    EXPECT_EQ(wrongAddress.ibsta, sta::kErr | sta::kCmpl);
    EXPECT_EQ(wrongAddress.iberr, err::kEnol);
    const std::string text = "F1\r\n";
    EXPECT_EQ(sim.board().send(kBoard, 5, text.data(), 4, eot::kDabEnd).iberr, err::kEnol);
    EXPECT_EQ(sim.board().send(kBoard, 31, text.data(), 4, eot::kDabEnd).iberr, err::kEarg);
    // A secondary address: the instrument has none.
    EXPECT_EQ(sim.board().send(kBoard, 16 | (3 << 8), text.data(), 4, eot::kDabEnd).iberr,
              err::kEnol);

    for (const CallResult& r : {sim.board().sendIfc(1), sim.board().wait(2, 0),
                                sim.board().config(3, option::kTimeout, 12),
                                sim.board().readStatusByte(1, kAddress, &status)}) {
        EXPECT_EQ(r.ibsta, sta::kErr);
        EXPECT_EQ(r.iberr, err::kEneb);
    }
    ASSERT_EQ(sim.configure("board", "boards", "1, 2"), "");
    EXPECT_EQ(sim.board().sendIfc(1).ibsta, sta::kCmpl);
    EXPECT_EQ(sim.board().sendIfc(0).iberr, err::kEneb);
    ASSERT_EQ(sim.configure("board", "address", "17"), "");
    EXPECT_EQ(sim.board().readStatusByte(1, 17, &status).ibsta, sta::kCmpl);
}

TEST_F(BoardCalls, BadArgumentsAreRefused) {
    short status = 0;
    EXPECT_EQ(sim.board().readStatusByte(kBoard, kAddress, nullptr).iberr, err::kEarg);
    EXPECT_EQ(sim.board().send(kBoard, kAddress, nullptr, 3, eot::kDabEnd).iberr, err::kEarg);
    EXPECT_EQ(sim.board().send(kBoard, kAddress, "F1", 2, 7).iberr, err::kEarg);
    EXPECT_EQ(sim.board().receive(kBoard, kAddress, nullptr, 10, 10).iberr, err::kEarg);
    EXPECT_EQ(sim.board().config(kBoard, 99, 0).iberr, err::kEarg);
    EXPECT_EQ(sim.board().config(kBoard, option::kTimeout, 18).iberr, err::kEarg);
    const Addr4882 unterminated[40] = {};
    EXPECT_EQ(sim.board().enableRemote(kBoard, unterminated).iberr, err::kEarg);
    EXPECT_EQ(sim.board().readStatusByte(kBoard, kAddress, &status).ibsta, sta::kCmpl);
}

TEST_F(BoardCalls, RemoteAndLocalFollowTheAddressList) {
    const Addr4882 instrument[] = {kAddress, kNoAddr};
    const Addr4882 withStranger[] = {kAddress, 3, kNoAddr};
    EXPECT_EQ(sim.board().enableRemote(kBoard, instrument).ibsta, sta::kCmpl);
    EXPECT_TRUE(sim.instrument().isRemote());
    EXPECT_EQ(sim.board().enableLocal(kBoard, withStranger).iberr, err::kEnol);
    EXPECT_TRUE(sim.instrument().isRemote());
    EXPECT_EQ(sim.board().enableLocal(kBoard, instrument).ibsta, sta::kCmpl);
    EXPECT_FALSE(sim.instrument().isRemote());
}

TEST_F(BoardCalls, IbwaitForServiceRequestWaitsForTheNextReading) {
    commands({"F2", "A3", "PS0.0", "PT1.0", "PE1.0", "PH0.0", "PD2.0", "W1"});
    const CallResult waited = sim.board().wait(kBoard, sta::kSrqi | sta::kTimo);
    EXPECT_NE(waited.ibsta & sta::kSrqi, 0);
    EXPECT_DOUBLE_EQ(sim.time(), 2.0);
    poll();
    read();
    poll();
    read();
    const CallResult nothing = sim.board().wait(kBoard, sta::kSrqi | sta::kTimo);
    EXPECT_EQ(nothing.ibsta, sta::kCmpl | sta::kTimo);
}

TEST_F(BoardCalls, DeviceClearThrowsAwayWhatWasWaiting) {
    startThreeReadingSweep();
    EXPECT_EQ(poll() & status::kReadingReady, status::kReadingReady);
    EXPECT_EQ(sim.board().devClear(kBoard, kAddress).ibsta, sta::kCmpl);
    EXPECT_EQ(poll(), status::kVoltageOutput);
    EXPECT_EQ(sim.board().devClear(kBoard, 9).iberr, err::kEnol);
}

TEST_F(BoardCalls, NoListenerFaultSilencesTheInstrument) {
    ASSERT_EQ(sim.configure("faults", "no_listener", "1"), "");
    short status = 0;
    EXPECT_EQ(command("W1").iberr, err::kEnol);
    EXPECT_EQ(sim.board().readStatusByte(kBoard, kAddress, &status).iberr, err::kEnol);
    EXPECT_EQ(sim.board().devClear(kBoard, kAddress).iberr, err::kEnol);
    EXPECT_EQ(read(), "");
    EXPECT_EQ(last.iberr, err::kEnol);
    EXPECT_EQ(sim.board().sendIfc(kBoard).ibsta, sta::kCmpl);
}

TEST_F(BoardCalls, ReadTimeoutFaultHitsTheChosenReads) {
    ASSERT_EQ(sim.configure("faults", "read_timeout_at", "2"), "");
    ASSERT_EQ(sim.configure("faults", "read_timeout_every", "5"), "");
    commands({"F1", "PH0.0", "W1"});
    std::vector<int> failed;
    for (int n = 1; n <= 10; ++n) {
        advance(0.5);
        read();
        if (last.ibsta & sta::kTimo)
            failed.push_back(n);
    }
    EXPECT_EQ(failed, (std::vector<int>{2, 5, 10}));
    EXPECT_EQ(last.iberr, err::kEabo);
    // Each injected timeout spends the board's 3 s.
    EXPECT_NEAR(sim.time(), 10 * 0.5 + 3 * 3.0, 1e-9);
}

TEST_F(BoardCalls, GarbleFaultSpoilsTheChosenReplies) {
    struct Case {
        const char* kind;
        std::function<bool(const std::string&)> spoilt;
    };
    const Case cases[] = {
        {"no_comma", [](const std::string& r) { return r.find(',') == std::string::npos; }},
        {"short", [](const std::string& r) { return r == "NA\r\n"; }},
        {"not_number", [](const std::string& r) { return r.find("?.???") == 4; }},
    };
    ASSERT_EQ(sim.configure("faults", "garble_every", "2"), "");
    commands({"F1", "PH0.0", "W1"});
    for (const Case& c : cases) {
        ASSERT_EQ(sim.configure("faults", "garble_kind", c.kind), "");
        advance(0.5);
        const std::string whole = read();
        EXPECT_EQ(whole.find(','), 13u) << whole;
        advance(0.5);
        const std::string spoilt = read();
        EXPECT_TRUE(c.spoilt(spoilt)) << c.kind << ": " << spoilt;
        EXPECT_EQ(spoilt.substr(spoilt.size() - 2), "\r\n");
    }
}

TEST_F(BoardCalls, OutputOffFaultEndsTheRunEarly) {
    ASSERT_EQ(sim.configure("faults", "output_off_after", "2"), "");
    commands({"F2", "A1", "PS0.0", "PT10.0", "PE1.0", "PH0.0", "PV1.0", "W1"});
    EXPECT_EQ(voltagesOf(collect(0.25)), (std::vector<double>{0, 1}));
    commands({"F1", "I3", "W1"});
    EXPECT_EQ(collect(0.25).size(), 2u);
}

TEST_F(BoardCalls, NoListenerAfterFaultLosesTheInstrumentInTheMiddleOfARun) {
    ASSERT_EQ(sim.configure("faults", "no_listener_after", "2"), "");
    commands({"F2", "A1", "PS0.0", "PT10.0", "PE1.0", "PH0.0", "PV1.0", "W1"});
    EXPECT_EQ(collect(0.25).size(), 2u);
    EXPECT_EQ(poll(), 0);
    EXPECT_EQ(last.iberr, err::kEnol);
    EXPECT_TRUE(sim.instrument().outputOn()); // nobody can switch it off now
}

TEST_F(BoardCalls, RefuseRemoteFaultFailsEnableRemoteOnly) {
    ASSERT_EQ(sim.configure("faults", "refuse_remote", "1"), "");
    const Addr4882 instrument[] = {kAddress, kNoAddr};
    const CallResult refused = sim.board().enableRemote(kBoard, instrument);
    EXPECT_EQ(refused.ibsta & sta::kErr, sta::kErr);
    EXPECT_EQ(refused.iberr, err::kEbus);
    EXPECT_FALSE(sim.instrument().isRemote());
    EXPECT_EQ(poll(), 0);
    EXPECT_EQ(last.ibsta, sta::kCmpl);
}

TEST_F(BoardCalls, CallDelayFaultSpendsTimeOnEveryCall) {
    ASSERT_EQ(sim.configure("faults", "call_delay_ms", "40"), "");
    poll();
    command("F1");
    sim.board().sendIfc(kBoard);
    EXPECT_NEAR(sim.time(), 0.12, 1e-12);
}

} // namespace
} // namespace gpibsim::test
