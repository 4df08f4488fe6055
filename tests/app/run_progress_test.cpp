// How far a run has got and what is left, from the estimate and the readings as they arrive.

#include "app/testrun/run_estimate.h"
#include "app/testrun/run_progress.h"

#include <gtest/gtest.h>

namespace {

using testrun::RunEstimate;
using testrun::RunPace;

// A stair of 21 readings a second apart, the first after a second.
RunEstimate stairOf21() {
    RunEstimate estimate;
    estimate.readings = 21;
    estimate.readingInterval = 1.0;
    estimate.seconds = 21.0;
    return estimate;
}

TEST(RunEstimate, CountsStepsAsTheInstrumentReadsThem) {
    hp4140::TestConfig cv; // the shipped C-V example: -5 V to 5 V and back in 0.1 V steps
    cv.iFunction = hp4140::Function::CV;
    cv.iRamp = hp4140::Ramp::SweepUpDown;
    cv.fStartVoltage = -5.0f;
    cv.fStopVoltage = 5.0f;
    cv.fStepVoltage = 0.1f;
    cv.fRampRate = 0.1f;
    EXPECT_EQ(testrun::EstimateRun(cv).readings, 201);
}

hp4140::TestConfig ivFrom0To(float stop, float step, hp4140::Ramp ramp) {
    hp4140::TestConfig iv;
    iv.iFunction = hp4140::Function::IV;
    iv.iRamp = ramp;
    iv.fStartVoltage = 0.0f;
    iv.fStopVoltage = stop;
    iv.fStepVoltage = step;
    iv.fRampRate = 0.1f;
    return iv;
}

// 0.3 / 0.1 is 2.9999... in binary: the last step still counts. A stair lasts its hold and one
// step delay per reading, to the second. An I test gives at the least one reading per sample
// tick between its first reading and its end, less one for the phase.
TEST(RunEstimate, CountsEveryStepAndTimesStairsAndTimedRunsExactly) {
    EXPECT_EQ(testrun::EstimateRun(ivFrom0To(0.3f, 0.1f, hp4140::Ramp::SweepUp)).readings, 4);
    hp4140::TestConfig stair = ivFrom0To(2.0f, 0.5f, hp4140::Ramp::StairUp);
    stair.iHoldTime = 2;
    stair.fStepDelay = 1.0f;
    const RunEstimate stairs = testrun::EstimateRun(stair);
    EXPECT_EQ(stairs.readings, 5);
    EXPECT_EQ(stairs.seconds, 7.0);

    hp4140::TestConfig timed; // the shipped I example: 1 s hold, a sample a second for 60 s
    timed.iFunction = hp4140::Function::I;
    timed.iHoldTime = 1;
    timed.fSampleRate = 1.0f;
    timed.fMaxSampleTime = 60.0f;
    EXPECT_EQ(testrun::EstimateRun(timed).fewestReadings, 57);
    EXPECT_FALSE(testrun::noReadingRefusal(timed));
    timed.iHoldTime = 57;
    timed.fSampleRate = 5.0f;
    timed.fMaxSampleTime = 59.0f; // samples at 55 and 60 s, the first reading at 57.02 s
    EXPECT_TRUE(testrun::noReadingRefusal(timed));
}

TEST(RunEstimate, NamesAPaceFasterThanTheIntegrationAndPollsFastEnoughForIt) {
    const RunEstimate slow = testrun::EstimateRun(ivFrom0To(10.0f, 0.01f, hp4140::Ramp::SweepUp));
    EXPECT_DOUBLE_EQ(*slow.readingInterval, 0.1);
    hp4140::TestConfig tenMs = ivFrom0To(10.0f, 0.01f, hp4140::Ramp::SweepUp);
    tenMs.fRampRate = 1.0f;
    const RunEstimate fast = testrun::EstimateRun(tenMs);
    EXPECT_LE(fast.pollInterval.count(), 4); // three polls or more in every 10 ms
    EXPECT_EQ(testrun::fastPaceNote(fast),
              "The set-up asks for a reading every 0.01 s (100 readings/s), but the integration "
              "takes 0.02 s per reading (50 readings/s): choose a larger step, a slower ramp or a "
              "shorter integration.");
    EXPECT_FALSE(testrun::fastPaceNote(slow));
}

TEST(RunProgress, SaysWhatIsLeftAndEndsAtExactlyAllOfIt) {
    RunPace pace(stairOf21());
    EXPECT_EQ(pace.progress(0.0, false).fraction, 0.0);
    EXPECT_EQ(pace.progress(0.0, false).text, "0 of about 21 readings, 21 s left");
    for (int k = 1; k <= 17; ++k)
        pace.noteReading(k);
    const testrun::RunProgress running = pace.progress(17.2, false);
    EXPECT_NEAR(*running.fraction, 17.2 / 21.0, 0.01);
    EXPECT_EQ(running.text, "17 of about 21 readings, 4 s left");
    // Late: the bar stops short of its end while the run goes on.
    EXPECT_EQ(pace.progress(40.0, false).fraction, 0.99);
    EXPECT_EQ(pace.progress(40.0, false).text, "17 of about 21 readings, 0 s left");

    const testrun::RunProgress over = pace.progress(10.04, true);
    EXPECT_EQ(over.fraction, 1.0);
    EXPECT_EQ(over.text, "17 of about 21 readings, elapsed 10.0 s");
}

TEST(RunProgress, TheForecastMovesToThePaceObserved) {
    RunPace pace(stairOf21()); // estimated a second apart, the readings come two seconds apart
    for (int k = 1; k <= 11; ++k)
        pace.noteReading(2.0 * k);
    EXPECT_NEAR(*pace.expectedSeconds(), 42.0, 0.1 * 42.0);
    EXPECT_GT(*pace.expectedSeconds(), 35.0);
}

TEST(RunProgress, TimedAndOpenEndedRunsCountTheirReadings) {
    RunEstimate timed;
    timed.seconds = 300.0;
    RunPace iTest(timed);
    iTest.noteReading(4.0);
    EXPECT_EQ(iTest.progress(5.0, false).text, "1 reading, 5 min left");
    EXPECT_EQ(iTest.progress(200.5, false).text, "1 reading, 100 s left");

    RunPace constant{RunEstimate{}};
    constant.noteReading(1.0);
    constant.noteReading(2.0);
    EXPECT_FALSE(constant.progress(2.5, false).fraction.has_value());
    EXPECT_EQ(constant.progress(2.5, false).text, "2 readings, elapsed 2.5 s");
    EXPECT_EQ(constant.progress(3.0, true).fraction, 1.0);
}

} // namespace
