#include "app/testrun/expected_points.h"

#include <gtest/gtest.h>

namespace {

using hp4140::Function;
using hp4140::Ramp;
using hp4140::TestConfig;

TestConfig sweep(Ramp iRamp, float start, float stop, float step) {
    TestConfig c;
    c.iFunction = Function::IV;
    c.iRamp = iRamp;
    c.fStartVoltage = start;
    c.fStopVoltage = stop;
    c.fStepVoltage = step;
    c.fRampRate = 0.5f;
    c.fStepDelay = 1.0f;
    return c;
}

testrun::Expectation expect(const TestConfig& c) {
    EXPECT_FALSE(testrun::startRefusal(c).has_value());
    return testrun::CalculateExpectedTimePoints(c, {});
}

TEST(ExpectedPoints, FollowTheRampAndTheFunction) {
    TestConfig i;
    i.fSampleRate = 4.0f;
    i.fMaxSampleTime = 60.0f;
    EXPECT_EQ(expect(i).points, 16);
    EXPECT_EQ(expect(i).time, 60.0f);

    EXPECT_EQ(expect(sweep(Ramp::SweepUp, 0, 10, 1)).points, 11);
    EXPECT_EQ(expect(sweep(Ramp::SweepUp, 0, 10, 1)).time, 27.0f);
    EXPECT_EQ(expect(sweep(Ramp::SweepUpDown, 0, 10, 1)).points, 22);
    EXPECT_EQ(expect(sweep(Ramp::SweepUpDown, 0, 10, 1)).time, 27.0f);
    EXPECT_EQ(expect(sweep(Ramp::StairUp, 0, 10, 1)).points, 11);
    EXPECT_EQ(expect(sweep(Ramp::StairUp, 0, 10, 1)).time, 19.5f);
}

TEST(ExpectedPoints, AFallingSweepCountsByItsAbsoluteValues) {
    EXPECT_EQ(expect(sweep(Ramp::SweepUp, 10, 0, 1)).points, 9);
    EXPECT_EQ(expect(sweep(Ramp::SweepUp, 10, 0, 1)).time, 21.0f);
    EXPECT_EQ(expect(sweep(Ramp::SweepUp, 10, 0, -1)).points, 11);
}

TEST(ExpectedPoints, AConstantRampKeepsThePreviousValues) {
    TestConfig c = sweep(Ramp::Constant, 0, 10, 0);
    c.fRampRate = 0;
    EXPECT_FALSE(testrun::startRefusal(c).has_value());
    const testrun::Expectation previous{42, 7.5f};
    EXPECT_EQ(testrun::CalculateExpectedTimePoints(c, previous).points, 42);
    EXPECT_EQ(testrun::CalculateExpectedTimePoints(c, previous).time, 7.5f);
}

TEST(StartRefusal, NamesTheFieldThatWouldDivideByZeroOrOverflow) {
    const auto zeroStep = testrun::startRefusal(sweep(Ramp::StairUp, 0, 10, 0));
    ASSERT_TRUE(zeroStep);
    EXPECT_EQ(*zeroStep, "Step Voltage is sent as PE0.0, which the instrument ignores: a sweep or "
                         "stair needs a step of at least 0.01 V either way.");

    TestConfig stillSweep = sweep(Ramp::SweepUp, 0, 10, 1);
    stillSweep.fRampRate = 0;
    const auto zeroRate = testrun::startRefusal(stillSweep);
    ASSERT_TRUE(zeroRate);
    EXPECT_EQ(zeroRate->rfind("dV/dt (V/s) is sent as PV0.0, which the instrument ignores", 0), 0u);

    TestConfig stair = sweep(Ramp::StairUp, 0, 10, 1);
    stair.fRampRate = 0; // a stair does not use the rate
    EXPECT_FALSE(testrun::startRefusal(stair));

    const auto tinyStep = testrun::startRefusal(sweep(Ramp::SweepUp, -100, 100, 1e-6f));
    ASSERT_TRUE(tinyStep);
    EXPECT_NE(tinyStep->find("PE0.0"), std::string::npos);

    TestConfig endless = sweep(Ramp::StairUpDown, -100, 100, 0.01f);
    endless.fStepDelay = 100;
    const auto tooLong = testrun::startRefusal(endless);
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->rfind("Step Delay gives a test longer than", 0), 0u);

    TestConfig slow = sweep(Ramp::SweepUp, 0, 100, 1);
    slow.fRampRate = 1e-9f;
    EXPECT_TRUE(testrun::startRefusal(slow));

    TestConfig noRate;
    noRate.fSampleRate = 0;
    noRate.fMaxSampleTime = 60;
    EXPECT_TRUE(testrun::startRefusal(noRate));
}

} // namespace
