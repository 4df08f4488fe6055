#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// The classic runtime error numbers the program reports for file and library failures.
namespace errnum {
inline constexpr long InvalidArgument = 5;
inline constexpr long Overflow = 6;
inline constexpr long OutOfMemory = 7;
inline constexpr long LibraryLoad = 48;
inline constexpr long InternalError = 51;
inline constexpr long FileNotFound = 53;
inline constexpr long DeviceIo = 57;
inline constexpr long DiskFull = 61;
inline constexpr long PermissionDenied = 70;
inline constexpr long PathFileAccess = 75;
inline constexpr long PathNotFound = 76;
inline constexpr long InvalidFileFormat = 321;
} // namespace errnum

// What a routine "raises": the error number, its description and the routine it came from.
class AppError : public std::runtime_error {
public:
    AppError(long number, std::string description, std::string source = {});

    long number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const std::string& source() const noexcept { return source_; }

private:
    long number_;
    std::string description_;
    std::string source_;
};

// The last error a trap caught; message boxes and error queues read it from here.
struct ErrorRecord {
    long number = 0;
    std::string description;
    std::string source;
};

const ErrorRecord& currentError();
void setCurrentError(const AppError& error);
void setCurrentError(ErrorRecord record);
void clearCurrentError();

// Maps an errno value from a failed file operation onto the runtime error numbers.
AppError fileError(int errnoValue, const std::string& path, std::string source);

} // namespace platform
