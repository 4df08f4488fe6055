// The simulated HP 4140B's readings, spoken to over the simulated board in virtual time.
#include "bus_session.h"

#include "sim/device_models.h"
#include "sim/mos_capacitor.h"

#include <cmath>

namespace gpibsim::test {
namespace {

class Instrument : public BusSession {};

constexpr int kAnnounced = status::kReadingReady | status::kVoltageOutput | kStatusRqs;

TEST_F(Instrument, StairReadingsComeAtEveryStepAndTheOutputGoesOffAfterTheLastIsRead) {
    commands({"F2", "A3", "PS0.0", "PT2.0", "PE1.0", "PH1.0", "PD1.0", "W1"});
    EXPECT_EQ(poll() & status::kVoltageOutput, status::kVoltageOutput);
    const std::vector<Reply> replies = collect(0.25);
    EXPECT_EQ(voltagesOf(replies), (std::vector<double>{0, 1, 2}));
    // Readings fall due at 2, 3 and 4 s and are picked up by the next 250 ms poll.
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_DOUBLE_EQ(replies[0].readAt, 2.0);
    EXPECT_DOUBLE_EQ(replies[2].readAt, 4.0);
    for (const Reply& r : replies) {
        EXPECT_EQ(r.kind, 'I');
        EXPECT_EQ(r.announcedBy & kAnnounced, kAnnounced);
    }
    EXPECT_EQ(poll(), 0);
    EXPECT_FALSE(sim.instrument().outputOn());
    EXPECT_EQ(sim.instrument().lostReadings(), 0);
}

TEST_F(Instrument, UpDownSweepIsReadOnTheWayOutAndBack) {
    commands({"F2", "A2", "PS-1.0", "PT1.0", "PE0.5", "PH0.0", "PV0.5", "W1"});
    EXPECT_EQ(voltagesOf(collect(0.25)),
              (std::vector<double>{-1, -0.5, 0, 0.5, 1, 0.5, 0, -0.5, -1}));
}

TEST_F(Instrument, FallingStairStepsDownwards) {
    commands({"F2", "A4", "PS0.0", "PT-2.0", "PE1.0", "PH0.0", "PD0.5", "W1"});
    EXPECT_EQ(voltagesOf(collect(0.25)), (std::vector<double>{0, -1, -2, -1, 0}));
}

TEST_F(Instrument, DiodeReachesTheCurrentLimitInForwardBias) {
    ASSERT_EQ(sim.configure("noise", "relative", "0"), "");
    commands({"F2", "A3", "L3", "PS-1.0", "PT2.0", "PE0.5", "PH0.0", "PD0.5", "W1"});
    const std::vector<Reply> replies = collect(0.25);
    ASSERT_EQ(replies.size(), 7u);
    for (const Reply& r : replies) {
        const bool forward = r.voltage >= 1.0;
        EXPECT_EQ(r.status, forward ? 'L' : 'N') << r.text;
        EXPECT_EQ((r.announcedBy & status::kAtCurrentLimit) != 0, forward) << r.text;
        EXPECT_EQ(forward, r.value == 1e-4) << r.text;
    }
    // Reverse bias: only the leakage and the saturation current, below a picoampere.
    EXPECT_LT(std::fabs(replies[0].value), 1e-12);
    EXPECT_GT(replies[3].value, replies[2].value);
}

TEST_F(Instrument, CapacitanceIsTheCurrentOverTheRampRateOnBothWays) {
    commands({"F3", "A2", "PS-4.0", "PT2.0", "PE1.0", "PH0.0", "PV0.5", "W1"});
    const std::vector<Reply> replies = collect(0.25);
    ASSERT_EQ(replies.size(), 13u);
    const ModelSettings model;
    for (const Reply& r : replies) {
        EXPECT_EQ(r.kind, 'C');
        EXPECT_EQ(r.status, 'N');
        // Noise: 0.2 % of some 50 pA, halved by the filter, over 0.5 V/s: 0.1 pF a sigma.
        EXPECT_NEAR(r.value, mosCapacitance(model, r.voltage), 0.5e-12) << r.text;
    }
    EXPECT_NEAR(replies.front().value, model.oxideCapacitance, 2e-12);
    EXPECT_NEAR(replies[6].value, model.depletionCapacitance, 2e-12);
}

TEST_F(Instrument, TheDiodesSeriesResistanceTakesItsShareOfTheBiasAndNoneByDefault) {
    ModelSettings model;
    const double nVt = model.diodeIdeality * 0.025852;
    const auto junction = [&](double v) {
        return model.diodeSaturationCurrent * std::expm1(v / nVt) + v / model.leakageResistance;
    };
    const auto current = [&](double v) {
        return deviceCurrent(model, {MeasureFunction::CurrentVoltage, v, 0.0, 0.0});
    };
    for (const double v : {-5.0, 0.0, 0.6, 1.4})
        EXPECT_EQ(current(v), junction(v)) << v;

    ASSERT_EQ(sim.configure("model", "series_resistance", "50"), "");
    EXPECT_NE(sim.configure("model", "series_resistance", "-1"), "");
    model = sim.settings().model;
    for (const double v : {-5.0, 0.3, 0.9, 1.5}) {
        const double i = current(v);
        EXPECT_NEAR(i / junction(v - i * 50.0), 1.0, 1e-9) << v;
    }
    EXPECT_NEAR(current(1.5), 1.5 / 50.0 - 0.0206, 1e-3); // about 1 V across the junction
}

TEST_F(Instrument, TheMosCapacitorIsQuasiStaticAndPassesOnlyItsLeakage) {
    ASSERT_EQ(sim.configure("model", "kind", "mos"), "");
    ModelSettings p = sim.settings().model;
    // Cox = 3.9·ε0·A/tox; at flat band the oxide is in series with εs·ε0·A/λ, λ the Debye
    // length sqrt(εs·ε0·kT/(q²·N)).
    const double cox = 3.9 * 8.8541878128e-14 * p.area / (p.oxideThickness * 100.0);
    const double debye = std::sqrt(11.7 * 8.8541878128e-14 * 0.025852 / (1.602176634e-19 * 1e16));
    const double semiconductor = 11.7 * 8.8541878128e-14 * p.area / debye;
    const auto c = [&](const ModelSettings& m, double v) { return quasiStaticCapacitance(m, v); };
    EXPECT_NEAR(c(p, p.flatBandVoltage) / (cox * semiconductor / (cox + semiconductor)), 1.0, 1e-3);
    EXPECT_NEAR(c(p, p.flatBandVoltage - 4.0) / cox, 0.98, 0.02); // accumulation
    EXPECT_LT(c(p, p.flatBandVoltage + 0.5), 0.3 * cox);          // depletion
    EXPECT_GT(c(p, p.flatBandVoltage + 5.0), 0.9 * cox);          // inversion answers a slow sweep
    ModelSettings n = p;
    n.dopingType = DopingType::N;
    for (const double d : {-3.0, -0.2, 0.0, 0.4, 2.0})
        EXPECT_NEAR(c(n, n.flatBandVoltage + d) / c(p, p.flatBandVoltage - d), 1.0, 1e-9) << d;

    commands({"F3", "A1", "PS-3.0", "PT3.0", "PE0.5", "PH0.0", "PV0.5", "W1"});
    for (const Reply& r : collect(0.25))
        EXPECT_NEAR(r.value / c(p, r.voltage), 1.0, 0.01) << r.text;
    ASSERT_EQ(sim.configure("noise", "absolute", "0"), "");
    commands({"F2", "A1", "PS-3.0", "PT3.0", "PE1.0", "PH0.0", "PV1.0", "W1"});
    for (const Reply& r : collect(0.25)) // the leakage and the meter's offset
        EXPECT_NEAR(r.value, r.voltage / p.leakageResistance + 5e-15, 1e-16) << r.text;
}

TEST_F(Instrument, ResistorFollowsOhmsLawAndShortSitsAtTheLimit) {
    ASSERT_EQ(sim.configure("model", "kind", "resistor"), "");
    ASSERT_EQ(sim.configure("model", "resistance", "1e9"), "");
    commands({"F2", "A1", "L2", "PS-2.0", "PT2.0", "PE1.0", "PH0.0", "PV1.0", "W1"});
    for (const Reply& r : collect(0.25))
        EXPECT_NEAR(r.value, r.voltage / 1e9, 1e-11) << r.text;

    ASSERT_EQ(sim.configure("model", "kind", "short"), "");
    commands({"W1"});
    for (const Reply& r : collect(0.25)) {
        EXPECT_EQ(r.status, r.voltage == 0.0 ? 'N' : 'L') << r.text;
        EXPECT_EQ(r.voltage == 0.0 || r.value == std::copysign(1e-3, r.voltage), true) << r.text;
    }
}

TEST_F(Instrument, OpenReadsTheOffsetUntilZeroNullsIt) {
    ASSERT_EQ(sim.configure("model", "kind", "open"), "");
    ASSERT_EQ(sim.configure("noise", "absolute", "0"), "");
    commands({"F1", "PA5.0", "PH0.0", "W1"});
    advance(1.0);
    poll();
    EXPECT_EQ(read(), "NAI+5.000E-15,V+5.00\r\n");
    commands({"Z"});
    advance(1.0);
    EXPECT_EQ(read(), "NAI+0.000E+00,V+5.00\r\n");
}

TEST_F(Instrument, CurrentTestReadsAFreshDecayingValueWhenPolled) {
    ASSERT_EQ(sim.configure("noise", "relative", "0"), "");
    commands({"F1", "A5", "T2", "PA10.0", "PH0.0", "I2", "W1"});
    std::vector<double> values;
    for (int tick = 1; tick <= 6; ++tick) {
        advance(4.0);
        constexpr int kReadingWhileOn = status::kReadingReady | status::kVoltageOutput;
        ASSERT_EQ(poll() & kReadingWhileOn, kReadingWhileOn);
        values.push_back(parseReply(read()).value);
    }
    for (std::size_t i = 1; i < values.size(); ++i)
        EXPECT_LT(values[i], values[i - 1]);
    // 1E-11 A/V x 10 V decaying with 10 s towards the leakage of 10 V / 1E14 ohm.
    EXPECT_NEAR(values.front(), 1e-10 * std::exp(-0.4) + 1e-13, 3e-14);
    EXPECT_TRUE(sim.instrument().outputOn());
    commands({"W7"});
    EXPECT_EQ(poll() & status::kVoltageOutput, 0);
}

TEST_F(Instrument, SlowPollingLosesReadingsAndCountsThem) {
    commands({"F2", "A1", "PS0.0", "PT10.0", "PE1.0", "PH0.0", "PV2.0", "W1"});
    // A reading every 0.5 s; a poll every 2 s collects one in four.
    const std::vector<Reply> replies = collect(2.0);
    EXPECT_EQ(sim.instrument().readingsTaken(), 11);
    EXPECT_EQ(static_cast<long>(replies.size()), sim.instrument().readingsCollected());
    EXPECT_EQ(sim.instrument().lostReadings(), 11 - sim.instrument().readingsCollected());
    EXPECT_EQ(voltagesOf(replies), (std::vector<double>{4, 8, 10}));
    EXPECT_EQ(sim.instrument().lostReadings(), 8);
}

TEST_F(Instrument, SameSeedGivesTheSameReadingsWhateverThePolling) {
    // The reading due at 0.2 s, read after one poll or after an earlier reading.
    const auto run = [&](const char* seed, bool readEarlier) {
        sim.reset();
        EXPECT_EQ(sim.configure("noise", "seed", seed), "");
        EXPECT_EQ(sim.configure("noise", "relative", "0.05"), "");
        commands({"F1", "PA3.0", "PH0.0", "I1", "W1"});
        if (readEarlier) {
            advance(0.1);
            read();
            advance(0.1);
        } else {
            advance(0.2);
        }
        return read();
    };
    const std::string first = run("42", false);
    EXPECT_EQ(run("42", true), first);
    EXPECT_NE(run("43", false), first);
}

TEST_F(Instrument, OverRangeCarriesTheMarkerValue) {
    commands({"F3", "A5", "PA1.0", "W1"});
    advance(1.0);
    EXPECT_EQ(read(), "OAC+2.000E-20,V+1.00\r\n");
    ASSERT_EQ(sim.configure("model", "kind", "short"), "");
    commands({"A1", "PS1.0", "PT2.0", "PE1.0", "PV1.0", "W1"});
    advance(0.1);
    EXPECT_EQ(read(), "OAC+2.000E-20,V+1.00\r\n");
}

TEST_F(Instrument, SerialPollWithdrawsTheRequestAndReadingClearsTheWaitingBit) {
    commands({"F1", "PH0.0", "W1"});
    EXPECT_EQ(sim.board().wait(kBoard, 0).ibsta & sta::kSrqi, 0);
    advance(0.02);
    EXPECT_NE(sim.board().wait(kBoard, 0).ibsta & sta::kSrqi, 0);
    EXPECT_EQ(poll(), kAnnounced);
    EXPECT_EQ(sim.board().wait(kBoard, 0).ibsta & sta::kSrqi, 0);
    EXPECT_EQ(poll(), status::kReadingReady | status::kVoltageOutput);
    read();
    EXPECT_EQ(poll(), status::kVoltageOutput);
}

TEST_F(Instrument, DataOutputOffOffersNothingAndEndsAFiniteRunOnTime) {
    commands({"F2", "A1", "PS-2.0", "PT0.0", "PE1.0", "PH0.0", "PV1.0", "D0", "W1"});
    advance(1.5);
    EXPECT_EQ(poll(), 16);
    advance(1.0);
    EXPECT_EQ(poll(), 0);
    EXPECT_EQ(sim.instrument().lostReadings(), 0);
    EXPECT_EQ(sim.instrument().readingsTaken(), 3);
}

TEST_F(Instrument, BadCommandsAreIgnoredCountedAndNoted) {
    commands({"PV0.5"});
    const CallResult result = command("PV0.0");
    EXPECT_EQ(result.ibsta & sta::kErr, 0);
    EXPECT_EQ(sim.instrument().setup().rampRate, 0.5);
    EXPECT_EQ(command("HELLO").ibsta & sta::kErr, 0);
    EXPECT_EQ(sim.instrument().ignoredCommands(), 2);
    const auto& history = sim.instrument().recentCommands();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history.back(), "HELLO");
}

TEST_F(Instrument, CommandEndsAtLineFeedOrEoiAndAnEndlessMessageIsDropped) {
    const std::string part = "F";
    sim.board().send(kBoard, kAddress, part.data(), 1, eot::kNullEnd);
    EXPECT_EQ(sim.instrument().setup().function, MeasureFunction::Current);
    const std::string rest = "2\r\nA4\n";
    sim.board().send(kBoard, kAddress, rest.data(), static_cast<long>(rest.size()), eot::kNullEnd);
    EXPECT_EQ(sim.instrument().setup().function, MeasureFunction::CurrentVoltage);
    EXPECT_EQ(sim.instrument().setup().ramp, Ramp::StairUpDown);
    const std::string withNewline = "F3";
    sim.board().send(kBoard, kAddress, withNewline.data(), 2, eot::kNlEnd);
    EXPECT_EQ(sim.instrument().setup().function, MeasureFunction::CapacitanceVoltage);

    const std::string endless(300, 'P');
    sim.board().send(kBoard, kAddress, endless.data(), 300, eot::kNullEnd);
    EXPECT_EQ(sim.instrument().ignoredCommands(), 1);
}

} // namespace
} // namespace gpibsim::test
