#include "shell_errors.h"

#include <cstdint>

namespace diagnostics {

namespace {
// Codes without a runtime error number of their own are reported in the shell's facility range.
long facilityNumber(int result) {
    return static_cast<std::int32_t>(0x80040418u + static_cast<std::uint32_t>(result));
}
} // namespace

ShellError shellErrorFor(int result) {
    switch (result) {
    case shellcode::OutOfResources:
    case shellcode::OutOfMemory:
        return {7, "Out of memory"};
    case shellcode::FileNotFound:
        return {53, "File not found"};
    case shellcode::PathNotFound:
        return {76, "Path not found"};
    case shellcode::AccessDenied:
        return {75, "Path/file access error"};
    case shellcode::BadFormat:
        return {facilityNumber(result), "The executable file is invalid or corrupt"};
    case shellcode::SharingViolation:
        return {75, "A sharing violation occurred."};
    case shellcode::AssociationIncomplete:
        return {facilityNumber(result), "This file type does not have a valid file association."};
    case shellcode::DdeTimeout:
        return {286, "The file could not be opened due to time out. Please try again in a moment."};
    case shellcode::DdeFailed:
        return {285, "The file could not be opened because the DDE transaction failed. Please try "
                     "again in a moment."};
    case shellcode::DdeBusy:
        return {285, "The file could not be opened because the target application is busy. Please "
                     "try again in a moment."};
    case shellcode::NoAssociation:
        return {facilityNumber(result), "No application is associated with this file type."};
    case shellcode::LibraryNotFound:
        return {48, "The specified dynamic-link library was not found."};
    default:
        return {facilityNumber(result),
                "An error occurred occurred whilst trying to open or print the selected file."};
    }
}

} // namespace diagnostics
