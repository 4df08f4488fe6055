#include "bus_session.h"
#include "sim_files.h"
#include "whole_match.h"

#include "sim/config_reader.h"
#include "sim/settings_keys.h"
#include "sim/trace_writer.h"

#include <sstream>

namespace gpibsim::test {
namespace {

TEST(ConfigReader, ReadsEveryKindOfKeyAndReportsBadLinesByNumber) {
    std::istringstream text("; simulator set-up\n"
                            "[Board]\n"
                            "Address = 7\n"
                            "boards = 0, 2\n"
                            "register_result=3\n"
                            "[instrument]\n"
                            "reading_time_medium_ms = 100\n"
                            "[model]\n"
                            "kind = Resistor\n"
                            "resistance = 2.5e6\n"
                            "# comment\n"
                            "[noise]\n"
                            "seed = 99\n"
                            "[faults]\n"
                            "garble_kind = not_number\n"
                            "read_timeout_every = 4\n"
                            "call_delay_ms = 15\n"
                            "bogus = 1\n"
                            "no_listener = maybe\n"
                            "address 3\n"
                            "[time]\n"
                            "virtual = 1\n");
    SimSettings s;
    const ConfigReport report = readConfig(text, s);
    EXPECT_EQ(s.address, 7);
    EXPECT_EQ(s.boards, (std::vector<int>{0, 2}));
    EXPECT_EQ(s.registerResult, 3);
    EXPECT_DOUBLE_EQ(s.readingTimes[1], 0.1);
    EXPECT_EQ(s.model.kind, ModelKind::Resistor);
    EXPECT_EQ(s.model.resistance, 2.5e6);
    EXPECT_EQ(s.noise.seed, 99u);
    EXPECT_EQ(s.faults.garbleKind, GarbleKind::NotNumber);
    EXPECT_EQ(s.faults.readTimeout.every, 4);
    EXPECT_DOUBLE_EQ(s.faults.callDelay, 0.015);
    EXPECT_FALSE(s.faults.noListener);
    EXPECT_TRUE(s.virtualTime);
    ASSERT_EQ(report.problems.size(), 3u);
    EXPECT_EQ(report.problems[0], "line 18: unknown key [faults] bogus");
    EXPECT_EQ(report.problems[1], "line 19: [faults] no_listener expects 0 or 1");
    EXPECT_EQ(report.problems[2], "line 20: expected key = value");
}

TEST(ConfigReader, KeyOutsideASectionAndAMissingFileAreReported) {
    std::istringstream text("address = 3\n[board\n");
    SimSettings s;
    const ConfigReport report = readConfig(text, s);
    EXPECT_EQ(s.address, 16);
    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_EQ(report.problems[0], "line 1: a key before the first [section]");
    EXPECT_FALSE(readConfigFile("/nonexistent/gpibsim.ini", s).opened);
}

TEST(SettingKeys, RejectedValuesLeaveTheSettingAlone) {
    SimSettings s;
    for (const auto& [section, key, value] :
         std::vector<std::tuple<const char*, const char*, const char*>>{
             {"board", "address", "31"},
             {"board", "address", "1x"},
             {"board", "boards", "0,,1"},
             {"board", "boards", "16"},
             {"model", "kind", "capacitor"},
             {"model", "resistance", "0"},
             {"noise", "relative", "inf"},
             {"instrument", "reading_time_short_ms", "-1"},
             {"faults", "output_off_after", "-2"},
         })
        EXPECT_NE(applySetting(s, section, key, value), "") << key << "=" << value;
    const SimSettings fresh;
    EXPECT_EQ(s.address, fresh.address);
    EXPECT_EQ(s.boards, fresh.boards);
    EXPECT_EQ(s.model.kind, fresh.model.kind);
    EXPECT_EQ(s.model.resistance, fresh.model.resistance);
    EXPECT_EQ(s.noise.relative, fresh.noise.relative);
    EXPECT_EQ(s.readingTimes, fresh.readingTimes);
    EXPECT_EQ(applySetting(s, "board", "boards", ""), "");
    EXPECT_TRUE(s.boards.empty());
}

TEST(TraceLine, HoldsTheCallsFieldsWithControlBytesEscaped) {
    TraceEntry e;
    e.time = 12.3456;
    e.function = "Send";
    e.board = 0;
    e.address = 16;
    e.data = "PA1.0\r\n";
    e.ibsta = 0x8100;
    e.iberr = 2;
    EXPECT_EQ(TraceWriter::line(e), "12.346\tSend\t0\t16\tPA1.0\\r\\n\tibsta=0x8100\tiberr=2");
    e.function = "ibwait";
    e.address.reset();
    e.data = std::string("a\tb\\c\0", 6);
    e.notes = {"ignored X: unknown command"};
    e.lost = 4;
    EXPECT_EQ(TraceWriter::line(e), "12.346\tibwait\t0\t-\ta\\tb\\\\c\\x00\tibsta=0x8100\tiberr=2"
                                    "\tnote=ignored X: unknown command\tlost=4");
}

class TraceFile : public BusSession {
protected:
    TempDir dir;
};

TEST_F(TraceFile, EveryCallAppendsOneLineInTheTraceFormat) {
    const std::string path = dir.file("trace.txt");
    ASSERT_TRUE(sim.openTrace(path));
    ASSERT_EQ(sim.configure("model", "kind", "open"), "");
    ASSERT_EQ(sim.configure("noise", "absolute", "0"), "");
    sim.board().sendIfc(0);
    sim.board().config(0, option::kTimeout, 12);
    const Addr4882 list[] = {16, kNoAddr};
    sim.board().enableRemote(0, list);
    commands({"F2", "A1", "PS0.0", "PT4.0", "PE1.0", "PH0.25", "PV4.0", "XYZ", "W1"});
    advance(0.25);
    poll();
    read();
    advance(1.0);
    sim.board().wait(0, 0);
    poll();
    sim.board().sendIfc(3);
    sim.closeTrace();

    const std::vector<std::string> lines = linesOf(path);
    ASSERT_EQ(lines.size(), 17u);
    for (const std::string& line : lines)
        EXPECT_TRUE(matchesWhole(line, kTraceCallLine)) << line;
    EXPECT_EQ(lines[0], "0.000\tSendIFC\t0\t-\t\tibsta=0x100\tiberr=0");
    EXPECT_EQ(lines[1], "0.000\tibconfig\t0\t-\t3=12\tibsta=0x100\tiberr=0");
    EXPECT_EQ(lines[2], "0.000\tEnableRemote\t0\t-\t16\tibsta=0x100\tiberr=0");
    EXPECT_EQ(lines[3], "0.000\tSend\t0\t16\tF2\\r\\n\tibsta=0x100\tiberr=0");
    EXPECT_EQ(lines[10], "0.000\tSend\t0\t16\tXYZ\\r\\n\tibsta=0x100\tiberr=0"
                         "\tnote=ignored XYZ: unknown command");
    EXPECT_EQ(lines[12], "0.250\tReadStatusByte\t0\t16\t81\tibsta=0x100\tiberr=0");
    EXPECT_EQ(lines[13], "0.250\tReceive\t0\t16\tNAI+5.000E-15,V+0.00\\r\\n"
                         "\tibsta=0x2100\tiberr=0");
    // Readings at 0.5, 0.75, 1 and 1.25 s: the call at 1.25 s finds the last, three were lost.
    EXPECT_EQ(lines[14], "1.250\tibwait\t0\t-\t\tibsta=0x1100\tiberr=0\tlost=3");
    EXPECT_EQ(lines[15], "1.250\tReadStatusByte\t0\t16\t81\tibsta=0x100\tiberr=0");
    EXPECT_EQ(lines[16], "1.250\tSendIFC\t3\t-\t\tibsta=0x8000\tiberr=7");
}

TEST_F(TraceFile, ConfigurationProblemsAreNotedOnLinesOfTheirOwn) {
    const std::string trace = dir.file("trace.txt");
    ASSERT_TRUE(sim.openTrace(trace));
    const std::string config = dir.write("sim.ini", "[faults]\nno_listener = 2\n");
    EXPECT_EQ(sim.loadConfig(config).problems.size(), 1u);
    const std::vector<std::string> lines = linesOf(trace);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0],
              "0.000\tnote\tconfig " + config + ": line 2: [faults] no_listener expects 0 or 1");
}

} // namespace
} // namespace gpibsim::test
