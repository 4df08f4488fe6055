#pragma once

#include "platform/clock.h"
#include "platform/log_sink.h"

#include <fstream>
#include <string>

namespace diagnostics {

// A text log of diagnostic entries, indented by routine nesting, with optional time stamps.
// Entries collect in memory and reach the file in one block when the log closes, so an open log
// costs no file access per entry. Each entry also goes at once to the attached log window.
class oocDebugLog {
public:
    explicit oocDebugLog(platform::Clock& clock);
    ~oocDebugLog();
    oocDebugLog(const oocDebugLog&) = delete;
    oocDebugLog& operator=(const oocDebugLog&) = delete;

    // Where every entry is echoed at once; none by default.
    platform::LogSink* logWindow() const { return logWindow_; }
    void setLogWindow(platform::LogSink* window) { logWindow_ = window; }

    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // Creates the missing folders of the path (not the file), then stores it; a folder that
    // cannot be created raises an AppError and leaves the stored path unchanged.
    void setLogFilePath(const std::string& path);
    const std::string& LogFilePath() const { return logFilePath_; }

    // Opens the file for appending; a file that cannot be opened leaves the log closed.
    void OpenLog();
    void CloseLog();
    void AddEntry(const std::string& sEntry, bool bTimeStamp = false);
    // Records "**** number: description. comment" for the current error.
    void AddError(const std::string& sAdditionalComment);
    void EnterRoutine(const std::string& sEntry, bool bDisplayTime = false);
    void ExitRoutine(const std::string& sEntry, bool bDisplayTime = false);
    void WriteBufferToFile();
    // Closes the log and opens a new file: sFilename beside the current file, or a stamped
    // DebugLog_YYMMDD_HHNNSS.txt beside it (under <program folder>/logs/ when none is set).
    void StartNewLog(const std::string& sFilename = {});

    bool isOpen() const { return file_.is_open(); }
    int indentation() const { return indentation_; }
    // The entries recorded but not yet written to the file.
    const std::string& pendingText() const { return buffer_; }

private:
    std::string newLogPath(const std::string& sFilename) const;

    platform::Clock& clock_;
    platform::LogSink* logWindow_ = nullptr;
    bool enabled_ = false;
    std::string logFilePath_;
    std::ofstream file_;
    double startSeconds_ = 0.0;
    int indentation_ = 0;
    std::string buffer_;
};

} // namespace diagnostics
