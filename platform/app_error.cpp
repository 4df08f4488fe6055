#include "app_error.h"

#include <cerrno>
#include <cstring>

namespace platform {

AppError::AppError(long number, std::string description, std::string source)
    : std::runtime_error(description), number_(number), description_(std::move(description)),
      source_(std::move(source)) {}

namespace {
ErrorRecord& record() {
    static ErrorRecord theRecord;
    return theRecord;
}
} // namespace

const ErrorRecord& currentError() { return record(); }

void setCurrentError(const AppError& error) {
    record() = ErrorRecord{error.number(), error.description(), error.source()};
}

void setCurrentError(ErrorRecord newRecord) { record() = std::move(newRecord); }

void clearCurrentError() { record() = ErrorRecord{}; }

AppError fileError(int errnoValue, const std::string& path, std::string source) {
    long number = errnum::PathFileAccess;
    const char* text = "Path/File access error";
    switch (errnoValue) {
    case ENOENT:
        number = errnum::FileNotFound;
        text = "File not found";
        break;
    case ENOTDIR:
        number = errnum::PathNotFound;
        text = "Path not found";
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        number = errnum::PermissionDenied;
        text = "Permission denied";
        break;
    case ENOSPC:
    case EDQUOT:
        number = errnum::DiskFull;
        text = "Disk full";
        break;
    case EIO:
        number = errnum::DeviceIo;
        text = "Device I/O error";
        break;
    default:
        break;
    }
    std::string description = text;
    if (!path.empty())
        description += " (" + path + ": " + std::strerror(errnoValue) + ")";
    return AppError(number, description, std::move(source));
}

} // namespace platform
