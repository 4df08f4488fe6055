#include "debug_log.h"

#include "log_stamps.h"
#include "platform/app_error.h"
#include "platform/folders.h"
#include "quenta/numtext/numtext.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace diagnostics {

namespace {

constexpr const char* kLineBreak = "\r\n";

// The folder part of a path with its trailing "/"; empty for a bare file name, which lives in
// the current folder.
std::string folderPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string{} : path.substr(0, slash + 1);
}

void makeFolders(const std::string& path) {
    const std::string folder = folderPart(path);
    if (folder.empty())
        return;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder))
        throw platform::fileError(error ? error.value() : ENOTDIR, folder,
                                  "oocDebugLog.LogFilePath");
}

} // namespace

oocDebugLog::oocDebugLog(platform::Clock& clock) : clock_(clock) {}

oocDebugLog::~oocDebugLog() {
    // The window may already be gone at the end of the program; the closing line still reaches
    // the file.
    logWindow_ = nullptr;
    try {
        CloseLog();
    } catch (...) {
        // A destructor must not throw; the file stream closes itself.
    }
}

void oocDebugLog::setLogFilePath(const std::string& path) {
    makeFolders(path);
    logFilePath_ = path;
}

void oocDebugLog::OpenLog() {
    if (isOpen())
        CloseLog(); // the earlier file keeps its entries and its closing line
    file_.open(logFilePath_, std::ios::binary | std::ios::app);
    if (!isOpen())
        return;
    startSeconds_ = clock_.elapsedSeconds();
    AddEntry("Log Opened " + dateTimeStamp(clock_.wallTime()));
}

void oocDebugLog::CloseLog() {
    if (!isOpen())
        return;
    AddEntry("Log Closed " + dateTimeStamp(clock_.wallTime()));
    WriteBufferToFile();
    file_.close();
}

void oocDebugLog::AddEntry(const std::string& sEntry, bool bTimeStamp) {
    if (!enabled_)
        return;
    if (logWindow_)
        logWindow_->SendString(sEntry);
    buffer_.append(static_cast<std::size_t>(indentation_), '\t').append(sEntry);
    if (bTimeStamp) {
        const double elapsed = clock_.elapsedSeconds() - startSeconds_;
        buffer_.append("--")
            .append(timeOfDayStamp(clock_.wallTime()))
            .append(", ")
            .append(numtext::formatPicture(elapsed, "#####0.000"));
    }
    buffer_.append(kLineBreak);
}

void oocDebugLog::AddError(const std::string& sAdditionalComment) {
    const platform::ErrorRecord& error = platform::currentError();
    AddEntry("**** " + std::to_string(error.number) + ": " + error.description + ". " +
             sAdditionalComment);
}

void oocDebugLog::EnterRoutine(const std::string& sEntry, bool bDisplayTime) {
    AddEntry(sEntry, bDisplayTime);
    ++indentation_;
}

void oocDebugLog::ExitRoutine(const std::string& sEntry, bool bDisplayTime) {
    if (indentation_ > 0)
        --indentation_;
    AddEntry(sEntry, bDisplayTime);
}

void oocDebugLog::WriteBufferToFile() {
    if (buffer_.empty() || !isOpen())
        return;
    file_ << buffer_ << kLineBreak;
    file_.flush();
    // Entries that did not reach the disk stay in the buffer for the next file.
    if (file_.good())
        buffer_.clear();
    else
        file_.clear();
}

void oocDebugLog::StartNewLog(const std::string& sFilename) {
    CloseLog();
    setLogFilePath(newLogPath(sFilename));
    OpenLog();
}

std::string oocDebugLog::newLogPath(const std::string& sFilename) const {
    if (!sFilename.empty())
        return folderPart(logFilePath_) + sFilename;
    const std::string stampedName = "DebugLog_" + fileNameStamp(clock_.wallTime()) + ".txt";
    if (logFilePath_.empty())
        return (platform::programFolders().program / "logs" / stampedName).string();
    return folderPart(logFilePath_) + stampedName;
}

} // namespace diagnostics
