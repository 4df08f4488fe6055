#pragma once

#include <string>

namespace diagnostics {

// The desktop shell's result codes: 0 to 32 are failures, anything above is success.
namespace shellcode {
inline constexpr int OutOfResources = 0;
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int AccessDenied = 5;
inline constexpr int OutOfMemory = 8;
inline constexpr int BadFormat = 11;
inline constexpr int SharingViolation = 26;
inline constexpr int AssociationIncomplete = 27;
inline constexpr int DdeTimeout = 28;
inline constexpr int DdeFailed = 29;
inline constexpr int DdeBusy = 30;
inline constexpr int NoAssociation = 31;
inline constexpr int LibraryNotFound = 32;
inline constexpr int HighestError = 32;
// What our own launchers return when the opener took the request.
inline constexpr int Accepted = 42;
} // namespace shellcode

inline bool isShellFailure(int result) {
    return result >= 0 && result <= shellcode::HighestError;
}

// The program's error number and message for a failed shell result (0 to 32).
struct ShellError {
    long number = 0;
    std::string message;
};

ShellError shellErrorFor(int result);

} // namespace diagnostics
