#include "sim/command_parser.h"
#include "sim/reply_format.h"
#include "sim/settings_keys.h"
#include "sim/trace_writer.h"
#include "support/comma_locale.h"

#include <gtest/gtest.h>

#include <string>

namespace gpibsim {
namespace {

TEST(ReplyFormat, WritesStatusValueAndVoltageInTheInstrumentsLayout) {
    struct Case {
        Reading reading;
        std::string text;
    };
    const Case cases[] = {
        {{ReadingStatus::Normal, false, 1.2344e-12, 10.0}, "NAI+1.234E-12,V+10.00\r\n"},
        {{ReadingStatus::Normal, false, -5.6789e-9, -2.5}, "NAI-5.679E-09,V-2.50\r\n"},
        {{ReadingStatus::AtLimit, false, 1e-4, 0.7}, "LAI+1.000E-04,V+0.70\r\n"},
        {{ReadingStatus::Normal, true, 9.99996e-11, 100.0}, "NAC+1.000E-10,V+100.00\r\n"},
        {{ReadingStatus::OverRange, true, 5.0, 1.0}, "OAC+2.000E-20,V+1.00\r\n"},
        {{ReadingStatus::Normal, false, 0.0, -0.001}, "NAI+0.000E+00,V+0.00\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatReply(c.reading), c.text);
}

TEST(ReplyFormat, NumbersIgnoreACommaLocale) {
    const testsupport::CommaLocale comma;
    if (!comma.ok())
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(formatReply({ReadingStatus::Normal, false, 1.5e-12, 2.5}),
              "NAI+1.500E-12,V+2.50\r\n");
    InstrumentSetup s;
    EXPECT_EQ(applyCommand("PV0.0125", s).action, CommandAction::Setting);
    EXPECT_EQ(s.rampRate, 0.0125);
    TraceEntry e;
    e.time = 1.5;
    e.function = "SendIFC";
    EXPECT_EQ(TraceWriter::line(e).substr(0, 6), "1.500\t");
    SimSettings settings;
    EXPECT_EQ(applySetting(settings, "instrument", "reading_time_short_ms", "2.5"), "");
    EXPECT_DOUBLE_EQ(settings.readingTimes[0], 0.0025);
}

TEST(ReplyFormat, GarblesEachWayAFaultyLineWould) {
    const Reading r{ReadingStatus::Normal, false, 1.5e-12, 2.0};
    EXPECT_EQ(garbledReply(r, GarbleKind::NoComma), "NAI+1.500E-12 V+2.00\r\n");
    EXPECT_EQ(garbledReply(r, GarbleKind::TooShort), "NA\r\n");
    EXPECT_EQ(garbledReply(r, GarbleKind::NotNumber), "NAI+?.???E-??,V+2.00\r\n");
}

TEST(CommandParser, AcceptsEveryCommandOfTheProgram) {
    InstrumentSetup s;
    for (const char* command :
         {"T2", "L3", "M2", "F3", "A4", "PA-5.0", "PS-2.5", "PT10.0", "PE0.05", "PH10.0", "PD1.25",
          "PV0.0125", "B1", "PB1.5", "J0", "I2", "D0"})
        EXPECT_EQ(applyCommand(command, s).action, CommandAction::Setting) << command;
    EXPECT_EQ(s.trigger, 2);
    EXPECT_EQ(s.currentLimitVA, 3);
    EXPECT_EQ(s.currentLimitVB, 2);
    EXPECT_EQ(s.function, MeasureFunction::CapacitanceVoltage);
    EXPECT_EQ(s.ramp, Ramp::StairUpDown);
    EXPECT_EQ(s.holdVoltage, -5.0);
    EXPECT_EQ(s.startVoltage, -2.5);
    EXPECT_EQ(s.stopVoltage, 10.0);
    EXPECT_EQ(s.stepVoltage, 0.05);
    EXPECT_EQ(s.holdTime, 10.0);
    EXPECT_EQ(s.stepDelay, 1.25);
    EXPECT_EQ(s.rampRate, 0.0125);
    EXPECT_EQ(s.vbMode, 1);
    EXPECT_EQ(s.vbVoltage, 1.5);
    EXPECT_FALSE(s.filter);
    EXPECT_EQ(s.integration, 2);
    EXPECT_FALSE(s.dataOutput);
    EXPECT_EQ(applyCommand("D3", s).action, CommandAction::Setting);
    EXPECT_TRUE(s.dataOutput);
    EXPECT_EQ(applyCommand("W1", s).action, CommandAction::Start);
    EXPECT_EQ(applyCommand("W7", s).action, CommandAction::Stop);
    EXPECT_EQ(applyCommand("Z", s).action, CommandAction::Zero);
}

TEST(CommandParser, RejectsUnknownMalformedAndOutOfRangeCommandsWithoutChangingAnything) {
    struct Case {
        const char* command;
        const char* problem;
    };
    const Case cases[] = {
        {"X1", "unknown command"},      {"f1", "unknown command"},     {"PQ1.0", "unknown command"},
        {"", "unknown command"},        {"F", "unknown command"},      {"F9", "out of range"},
        {"A0", "out of range"},         {"D1", "out of range"},        {"W2", "out of range"},
        {"Fx", "malformed number"},     {"PAabc", "malformed number"}, {"PA", "malformed number"},
        {"PA1.0V", "malformed number"}, {"PVnan", "malformed number"}, {"PA100.5", "out of range"},
        {"PV0.0", "out of range"},      {"PE0.0", "out of range"},     {"PD-5.0", "out of range"},
        {"PH2000.0", "out of range"},
    };
    for (const Case& c : cases) {
        InstrumentSetup s;
        const CommandOutcome outcome = applyCommand(c.command, s);
        EXPECT_EQ(outcome.action, CommandAction::Rejected) << c.command;
        EXPECT_EQ(outcome.problem, c.problem) << c.command;
        EXPECT_EQ(s.rampRate, InstrumentSetup{}.rampRate);
        EXPECT_EQ(s.holdVoltage, InstrumentSetup{}.holdVoltage);
        EXPECT_EQ(s.function, InstrumentSetup{}.function);
    }
}

TEST(CommandParser, StepSignIsKeptButOnlyItsSizeIsChecked) {
    InstrumentSetup s;
    EXPECT_EQ(applyCommand("PE-1.0", s).action, CommandAction::Setting);
    EXPECT_EQ(s.stepVoltage, -1.0);
    EXPECT_EQ(applyCommand("PA+2.5", s).action, CommandAction::Setting);
    EXPECT_EQ(s.holdVoltage, 2.5);
}

} // namespace
} // namespace gpibsim
