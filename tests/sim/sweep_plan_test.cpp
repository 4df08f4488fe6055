#include "sim/sweep_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace gpibsim {
namespace {

constexpr double kReadingTime = 0.02;

InstrumentSetup ivSetup(Ramp ramp, double start, double stop, double step) {
    InstrumentSetup setup;
    setup.function = MeasureFunction::CurrentVoltage;
    setup.ramp = ramp;
    setup.startVoltage = start;
    setup.stopVoltage = stop;
    setup.stepVoltage = step;
    setup.holdTime = 2.0;
    setup.stepDelay = 1.5;
    setup.rampRate = 0.5;
    return setup;
}

std::vector<double> voltages(const SweepPlan& plan) {
    std::vector<double> result;
    for (long k = 0; k < plan.length().value_or(0); ++k)
        result.push_back(plan.point(k).voltage);
    return result;
}

TEST(SweepPlan, StairHoldsThenReadsAtTheEndOfEveryStep) {
    const SweepPlan plan(ivSetup(Ramp::StairUp, 0.0, 3.0, 1.0), kReadingTime, 100.0);
    ASSERT_EQ(plan.length(), 4);
    EXPECT_EQ(voltages(plan), (std::vector<double>{0, 1, 2, 3}));
    // Hold 2 s, then one step of 1.5 s before each reading.
    EXPECT_DOUBLE_EQ(plan.point(0).readyTime, 103.5);
    EXPECT_DOUBLE_EQ(plan.point(3).readyTime, 108.0);
    EXPECT_EQ(plan.dueBy(103.49), 0);
    EXPECT_EQ(plan.dueBy(103.5), 1);
    EXPECT_EQ(plan.dueBy(106.5), 3);
    EXPECT_EQ(plan.dueBy(1e6), 4);
    EXPECT_DOUBLE_EQ(plan.point(0).secondsSinceApplied, 3.5);
    EXPECT_DOUBLE_EQ(plan.point(2).secondsSinceApplied, 1.5);
    EXPECT_EQ(plan.point(1).rampRate, 0.0);
}

TEST(SweepPlan, StairUpDownComesBackToTheStartMeasuringTheTopOnce) {
    const SweepPlan plan(ivSetup(Ramp::StairUpDown, 0.0, 3.0, 1.0), kReadingTime, 0.0);
    EXPECT_EQ(voltages(plan), (std::vector<double>{0, 1, 2, 3, 2, 1, 0}));
}

TEST(SweepPlan, StepShorterThanTheReadingTimeLastsTheReadingTime) {
    InstrumentSetup setup = ivSetup(Ramp::StairUp, 0.0, 2.0, 1.0);
    setup.stepDelay = 0.0;
    setup.holdTime = 0.0;
    const SweepPlan plan(setup, 0.32, 0.0);
    EXPECT_DOUBLE_EQ(plan.point(0).readyTime, 0.32);
    EXPECT_DOUBLE_EQ(plan.point(2).readyTime, 0.96);
}

TEST(SweepPlan, SweepReadsEachStepOfVoltageAtTheRampRate) {
    const SweepPlan plan(ivSetup(Ramp::SweepUp, -1.0, 1.0, 0.5), kReadingTime, 10.0);
    EXPECT_EQ(voltages(plan), (std::vector<double>{-1, -0.5, 0, 0.5, 1}));
    // 0.5 V at 0.5 V/s: one reading a second after the 2 s hold.
    EXPECT_DOUBLE_EQ(plan.point(0).readyTime, 12.0);
    EXPECT_DOUBLE_EQ(plan.point(4).readyTime, 16.0);
    EXPECT_DOUBLE_EQ(plan.point(2).rampRate, 0.5);
    EXPECT_EQ(plan.dueBy(11.99), 0);
    EXPECT_EQ(plan.dueBy(14.0), 3);
}

TEST(SweepPlan, SweepUpDownRampsBackWithTheRateReversed) {
    const SweepPlan plan(ivSetup(Ramp::SweepUpDown, 0.0, 2.0, 1.0), kReadingTime, 0.0);
    EXPECT_EQ(voltages(plan), (std::vector<double>{0, 1, 2, 1, 0}));
    EXPECT_DOUBLE_EQ(plan.point(1).rampRate, 0.5);
    EXPECT_DOUBLE_EQ(plan.point(3).rampRate, -0.5);
    EXPECT_DOUBLE_EQ(plan.point(4).readyTime, 2.0 + 4 * 2.0);
}

TEST(SweepPlan, FallingSweepStepsDownWhateverTheSignOfTheStep) {
    for (const double step : {2.0, -2.0}) {
        const SweepPlan plan(ivSetup(Ramp::SweepUp, 10.0, 0.0, step), kReadingTime, 0.0);
        EXPECT_EQ(voltages(plan), (std::vector<double>{10, 8, 6, 4, 2, 0})) << step;
        EXPECT_DOUBLE_EQ(plan.point(1).rampRate, -0.5);
    }
    const SweepPlan stairs(ivSetup(Ramp::StairUpDown, 1.0, -1.0, 1.0), kReadingTime, 0.0);
    EXPECT_EQ(voltages(stairs), (std::vector<double>{1, 0, -1, 0, 1}));
}

TEST(SweepPlan, SpanThatIsNoWholeNumberOfStepsTurnsAtTheLastStepShortOfTheStop) {
    EXPECT_EQ(voltages(SweepPlan(ivSetup(Ramp::SweepUpDown, 0.0, 10.0, 3.0), kReadingTime, 0.0)),
              (std::vector<double>{0, 3, 6, 9, 6, 3, 0}));
    // Decimal steps that add up to the stop exactly still reach it.
    EXPECT_EQ(SweepPlan(ivSetup(Ramp::SweepUp, 0.0, 1.0, 0.1), kReadingTime, 0.0).length(), 11);
}

TEST(SweepPlan, EqualStartAndStopOrAStandingRampGiveOneReading) {
    EXPECT_EQ(SweepPlan(ivSetup(Ramp::SweepUpDown, 5.0, 5.0, 1.0), kReadingTime, 0.0).length(), 1);
    InstrumentSetup standing = ivSetup(Ramp::SweepUp, 0.0, 5.0, 0.0);
    const SweepPlan plan(standing, kReadingTime, 0.0);
    EXPECT_EQ(plan.length(), 1);
    EXPECT_DOUBLE_EQ(plan.point(0).readyTime, 2.0);
    standing.stepVoltage = 1.0;
    standing.rampRate = 0.0;
    EXPECT_EQ(SweepPlan(standing, kReadingTime, 0.0).length(), 1);
}

TEST(SweepPlan, HeldOutputReadsEveryReadingTimeUntilStopped) {
    InstrumentSetup setup;
    setup.function = MeasureFunction::Current;
    setup.ramp = Ramp::StairUp; // the ramp does not matter in I
    setup.holdVoltage = 7.0;
    setup.holdTime = 1.0;
    const SweepPlan plan(setup, 0.08, 0.0);
    EXPECT_FALSE(plan.length());
    EXPECT_DOUBLE_EQ(plan.point(0).readyTime, 1.08);
    EXPECT_EQ(plan.dueBy(1.0 + 0.08 * 100), 100);
    EXPECT_EQ(plan.point(99).voltage, 7.0);
    EXPECT_NEAR(plan.point(99).secondsSinceApplied, 9.0, 1e-9);

    InstrumentSetup constantIv = ivSetup(Ramp::Constant, 0.0, 10.0, 1.0);
    constantIv.holdVoltage = -3.0;
    EXPECT_FALSE(SweepPlan(constantIv, 0.08, 0.0).length());
    EXPECT_EQ(SweepPlan(constantIv, 0.08, 0.0).point(5).voltage, -3.0);
}

TEST(SweepPlan, CapacitanceStairRampsAreSwept) {
    InstrumentSetup setup = ivSetup(Ramp::StairUpDown, 0.0, 2.0, 1.0);
    setup.function = MeasureFunction::CapacitanceVoltage;
    const SweepPlan plan(setup, kReadingTime, 0.0);
    EXPECT_EQ(voltages(plan), (std::vector<double>{0, 1, 2, 1, 0}));
    EXPECT_DOUBLE_EQ(plan.point(3).rampRate, -0.5);
}

TEST(SweepPlan, LimitShortensFiniteAndEndlessRuns) {
    SweepPlan sweep(ivSetup(Ramp::SweepUp, 0.0, 10.0, 1.0), kReadingTime, 0.0);
    sweep.limitLength(3);
    EXPECT_EQ(sweep.length(), 3);
    EXPECT_EQ(sweep.dueBy(1e6), 3);
    InstrumentSetup held;
    SweepPlan endless(held, kReadingTime, 0.0);
    endless.limitLength(2);
    EXPECT_EQ(endless.length(), 2);
}

} // namespace
} // namespace gpibsim
