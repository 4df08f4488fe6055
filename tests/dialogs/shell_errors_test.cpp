#include "diagnostics/shell_errors.h"

#include <gtest/gtest.h>

namespace {

using diagnostics::shellErrorFor;

struct Row {
    int result;
    long number;
    const char* message;
};

constexpr long kFacility = -2147220456; // 0x80040418 as a 32-bit number

TEST(ShellErrorFor, MapsEveryShellFailureOntoTheProgramsNumberAndMessage) {
    const Row rows[] = {
        {0, 7, "Out of memory"},
        {8, 7, "Out of memory"},
        {2, 53, "File not found"},
        {3, 76, "Path not found"},
        {5, 75, "Path/file access error"},
        {11, kFacility + 11, "The executable file is invalid or corrupt"},
        {26, 75, "A sharing violation occurred."},
        {27, kFacility + 27, "This file type does not have a valid file association."},
        {28, 286, "The file could not be opened due to time out. Please try again in a moment."},
        {29, 285,
         "The file could not be opened because the DDE transaction failed. Please try again in "
         "a moment."},
        {30, 285,
         "The file could not be opened because the target application is busy. Please try "
         "again in a moment."},
        {31, kFacility + 31, "No application is associated with this file type."},
        {32, 48, "The specified dynamic-link library was not found."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.result);
        const diagnostics::ShellError error = shellErrorFor(row.result);
        EXPECT_EQ(error.number, row.number);
        EXPECT_EQ(error.message, row.message);
    }
}

TEST(ShellErrorFor, TheFacilityNumberIsA32BitValue) {
    EXPECT_EQ(shellErrorFor(11).number, -2147220445);
    EXPECT_EQ(shellErrorFor(31).number, -2147220425);
}

TEST(ShellErrorFor, OtherCodesUpTo32GetTheGeneralMessageWithTheirOwnNumber) {
    for (int result : {1, 4, 6, 7, 9, 10, 12, 25}) {
        SCOPED_TRACE(result);
        const diagnostics::ShellError error = shellErrorFor(result);
        EXPECT_EQ(error.number, kFacility + result);
        EXPECT_EQ(error.message,
                  "An error occurred occurred whilst trying to open or print the selected file.");
    }
}

TEST(IsShellFailure, OnlyZeroTo32AreFailures) {
    EXPECT_TRUE(diagnostics::isShellFailure(0));
    EXPECT_TRUE(diagnostics::isShellFailure(32));
    EXPECT_FALSE(diagnostics::isShellFailure(33));
    EXPECT_FALSE(diagnostics::isShellFailure(42));
}

} // namespace
