#include "diagnostics/debug_log.h"
#include "platform/app_error.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "support/scoped_program_folders.h"
#include "support/temp_folder.h"

#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

using diagnostics::oocDebugLog;
using namespace std::chrono_literals;

platform::Clock::WallTime localWallTime(int year, int month, int day, int hour, int minute,
                                        int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&parts));
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class RecordingSink : public platform::LogSink {
public:
    void SendString(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

class DebugLog : public testing::Test {
protected:
    testsupport::TempFolder folder;
    platform::VirtualClock clock{localWallTime(2026, 12, 6, 14, 26, 0)};
    oocDebugLog log{clock};
    std::string path(const std::string& name) const { return (folder.path() / name).string(); }
};

TEST_F(DebugLog, StartsDisabledAndClosedAndDropsEntries) {
    RecordingSink window;
    log.setLogWindow(&window);
    EXPECT_FALSE(log.Enabled());
    EXPECT_FALSE(log.isOpen());
    log.AddEntry("dropped");
    EXPECT_EQ(log.pendingText(), "");
    EXPECT_TRUE(window.lines.empty());
}

TEST_F(DebugLog, AddEntryWritesTabsTextAndOptionalStampByteForByte) {
    log.setEnabled(true);
    log.setLogFilePath(path("a.txt"));
    clock.advance(7s); // opened at 14:26:07
    log.OpenLog();
    log.EnterRoutine("Routine");
    clock.advance(12500ms);
    log.AddEntry("plain");
    log.AddEntry("stamped", true);
    EXPECT_EQ(log.pendingText(), "Log Opened 06 Dec 2026 14:26:07\r\n"
                                 "Routine\r\n"
                                 "\tplain\r\n"
                                 "\tstamped--14:26:19, 12.500\r\n");
}

TEST_F(DebugLog, EachEntryReachesTheWindowWithoutIndentationOrStamp) {
    RecordingSink window;
    log.setLogWindow(&window);
    log.setEnabled(true);
    log.EnterRoutine("outer");
    log.AddEntry("inner", true);
    EXPECT_EQ(window.lines, (std::vector<std::string>{"outer", "inner"}));
}

TEST_F(DebugLog, EnterAndExitLinesStandAtTheSameDepthAndExitStopsAtZero) {
    log.setEnabled(true);
    log.ExitRoutine("stray exit");
    EXPECT_EQ(log.indentation(), 0);
    log.EnterRoutine("Enter A");
    log.EnterRoutine("Enter B");
    log.AddEntry("work");
    log.ExitRoutine("Exit B");
    log.ExitRoutine("Exit A");
    EXPECT_EQ(log.pendingText(),
              "stray exit\r\nEnter A\r\n\tEnter B\r\n\t\twork\r\n\tExit B\r\nExit A\r\n");
    EXPECT_EQ(log.indentation(), 0);
}

TEST_F(DebugLog, AddErrorRecordsTheCurrentError) {
    log.setEnabled(true);
    platform::setCurrentError(platform::ErrorRecord{53, "File not found", "x"});
    log.AddError("while loading");
    platform::clearCurrentError();
    log.AddError("");
    EXPECT_EQ(log.pendingText(), "**** 53: File not found. while loading\r\n**** 0: . \r\n");
}

TEST_F(DebugLog, CloseWritesOneBlockAfterWhatTheFileHeldAndReopeningAppends) {
    { std::ofstream(path("a.txt"), std::ios::binary) << "earlier\r\n"; }
    log.setEnabled(true);
    log.setLogFilePath(path("a.txt"));
    log.OpenLog();
    log.AddEntry("one");
    EXPECT_EQ(readFile(path("a.txt")), "earlier\r\n"); // nothing written while open
    clock.advance(61s);
    log.CloseLog();
    log.OpenLog();
    log.AddEntry("two");
    log.CloseLog();
    EXPECT_EQ(readFile(path("a.txt")), "earlier\r\n"
                                       "Log Opened 06 Dec 2026 14:26:00\r\n"
                                       "one\r\n"
                                       "Log Closed 06 Dec 2026 14:27:01\r\n"
                                       "\r\n"
                                       "Log Opened 06 Dec 2026 14:27:01\r\n"
                                       "two\r\n"
                                       "Log Closed 06 Dec 2026 14:27:01\r\n"
                                       "\r\n");
    EXPECT_EQ(log.pendingText(), "");
}

TEST_F(DebugLog, CloseOnAClosedLogChangesNothing) {
    log.setEnabled(true);
    log.setLogFilePath(path("a.txt"));
    log.AddEntry("kept");
    log.CloseLog();
    EXPECT_EQ(log.pendingText(), "kept\r\n");
    EXPECT_FALSE(std::filesystem::exists(path("a.txt")));
}

TEST_F(DebugLog, EntriesMadeBeforeOpeningReachTheFileAtClose) {
    log.setEnabled(true);
    log.setLogFilePath(path("a.txt"));
    log.AddEntry("early");
    log.OpenLog();
    log.CloseLog();
    EXPECT_EQ(readFile(path("a.txt")), "early\r\nLog Opened 06 Dec 2026 14:26:00\r\n"
                                       "Log Closed 06 Dec 2026 14:26:00\r\n\r\n");
}

TEST_F(DebugLog, ADisabledLogStillOpensAndClosesItsFile) {
    log.setLogFilePath(path("a.txt"));
    log.OpenLog();
    EXPECT_TRUE(log.isOpen());
    log.CloseLog();
    EXPECT_TRUE(std::filesystem::exists(path("a.txt")));
    EXPECT_EQ(readFile(path("a.txt")), "");
}

TEST_F(DebugLog, DestructionClosesAnOpenLog) {
    {
        oocDebugLog shortLived(clock);
        shortLived.setEnabled(true);
        shortLived.setLogFilePath(path("b.txt"));
        shortLived.OpenLog();
        shortLived.AddEntry("last words");
    }
    EXPECT_EQ(readFile(path("b.txt")), "Log Opened 06 Dec 2026 14:26:00\r\nlast words\r\n"
                                       "Log Closed 06 Dec 2026 14:26:00\r\n\r\n");
}

TEST_F(DebugLog, OpeningAnOpenLogClosesTheEarlierFileFirst) {
    log.setEnabled(true);
    log.setLogFilePath(path("first.txt"));
    log.OpenLog();
    log.AddEntry("for the first");
    log.setLogFilePath(path("second.txt"));
    log.OpenLog();
    log.CloseLog();
    EXPECT_NE(readFile(path("first.txt")).find("for the first\r\nLog Closed"), std::string::npos);
    EXPECT_EQ(readFile(path("second.txt")).find("for the first"), std::string::npos);
}

TEST_F(DebugLog, AFileThatCannotBeOpenedLeavesTheLogClosedAndKeepsTheEntries) {
    log.setEnabled(true);
    log.setLogFilePath(folder.path().string() + "/"); // a folder, not a file
    log.OpenLog();
    EXPECT_FALSE(log.isOpen());
    log.AddEntry("still here");
    EXPECT_EQ(log.pendingText(), "still here\r\n");
}

TEST_F(DebugLog, SettingThePathCreatesItsFoldersButNotTheFile) {
    const std::string nested = path("x/y/z/log.txt");
    log.setLogFilePath(nested);
    EXPECT_EQ(log.LogFilePath(), nested);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "x/y/z"));
    EXPECT_FALSE(std::filesystem::exists(nested));
}

TEST_F(DebugLog, AFolderThatCannotBeMadeRaisesAndKeepsTheOldPath) {
    log.setLogFilePath(path("a.txt"));
    { std::ofstream(path("plainfile")) << "x"; }
    EXPECT_THROW(log.setLogFilePath(path("plainfile/sub/log.txt")), platform::AppError);
    EXPECT_EQ(log.LogFilePath(), path("a.txt"));
}

class StartNewLog : public DebugLog {
protected:
    testsupport::ScopedProgramFolders folders{folder.path(), folder.path()};
};

TEST_F(StartNewLog, WithANameOpensThatFileBesideTheCurrentOne) {
    log.setEnabled(true);
    log.setLogFilePath(path("logs/a.txt"));
    log.OpenLog();
    log.AddEntry("in a");
    log.StartNewLog("run2.txt");
    EXPECT_EQ(log.LogFilePath(), path("logs/run2.txt"));
    EXPECT_TRUE(log.isOpen());
    EXPECT_NE(readFile(path("logs/a.txt")).find("in a\r\nLog Closed"), std::string::npos);
}

TEST_F(StartNewLog, WithoutAPathOpensAStampedFileInTheProgramsLogsFolder) {
    log.StartNewLog();
    EXPECT_EQ(log.LogFilePath(), path("logs/DebugLog_261206_142600.txt"));
    EXPECT_TRUE(log.isOpen());
    clock.advance(75s);
    log.StartNewLog();
    EXPECT_EQ(log.LogFilePath(), path("logs/DebugLog_261206_142715.txt"));
    EXPECT_TRUE(std::filesystem::exists(path("logs/DebugLog_261206_142600.txt")));
}

TEST_F(StartNewLog, WithoutANameStaysInTheFolderOfTheCurrentPath) {
    log.setLogFilePath(path("elsewhere/a.txt"));
    log.StartNewLog();
    EXPECT_EQ(log.LogFilePath(), path("elsewhere/DebugLog_261206_142600.txt"));
}

TEST_F(StartNewLog, ABareFileNameKeepsTheNewLogInTheSameFolder) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    log.setLogFilePath("a.txt");
    log.StartNewLog("run2.txt");
    std::filesystem::current_path(previous);
    EXPECT_EQ(log.LogFilePath(), "run2.txt");
    log.CloseLog();
    EXPECT_TRUE(std::filesystem::exists(path("run2.txt")));
}

} // namespace
