#include "datafile_test_support.h"

#include "app/datafile/data_file_text.h"
#include "support/comma_locale.h"

#include <gtest/gtest.h>

namespace {

using datafile::DataCollection;
using datafile::dataFileText;
using datafiletest::fillThreeReadings;
using datafiletest::reading;

const std::string kHeader = "Index\tTime\tMeasurement\tVoltage\tUnits\tAt Current Limit\tRaw Data";

TEST(DataFileText, ThreeReadingsByteForByte) {
    DataCollection readings;
    fillThreeReadings(readings);
    EXPECT_EQ(dataFileText(readings, "Amps"),
              kHeader + "\r\n" +
                  "1\t0.25\t1.5E-12\t2.5\tAmps\t\tNAI+1.5E-12,VA+2.5   \r\n"
                  "2\t0.5\t-2.25E-07\t5\tAmps\t*\tNCI-2.25E-07,VA+5.0\r\n"
                  "3\t0.75\t0\t0\tAmps\t\tAB  \r\n");
}

TEST(DataFileText, CapacitanceFileSaysFaradsOnEveryLine) {
    DataCollection readings;
    fillThreeReadings(readings);
    const std::string text = dataFileText(readings, "Farads");
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 4u);
    std::size_t farads = 0;
    for (std::size_t at = text.find("\tFarads\t"); at != std::string::npos;
         at = text.find("\tFarads\t", at + 1))
        ++farads;
    EXPECT_EQ(farads, 3u);
    EXPECT_EQ(text.find("Amps"), std::string::npos);
}

TEST(DataFileText, NoReadingsGiveTheHeaderLineAlone) {
    EXPECT_EQ(dataFileText(DataCollection{}, "Amps"), kHeader + "\r\n");
}

TEST(DataFileText, OutOfRangeReadingShowsOne) {
    DataCollection readings;
    readings.Add(reading(1, 12.5f, -100.0f, 1.0f, false, "NAO+2E-20,VA-100"));
    EXPECT_EQ(dataFileText(readings, "Amps"),
              kHeader + "\r\n1\t12.5\t1\t-100\tAmps\t\tNAO+2E-20,VA-100\r\n");
}

// The parser accepts a reply with a tab before its comma; written as it came, the tab would make
// a line of eight fields.
TEST(DataFileText, ControlCharactersInAReplyBecomeBlanksSoItStaysOneField) {
    DataCollection readings;
    readings.Add(reading(1, 1.0f, 1.0f, 1.5e-12f, false, "NAI+1.5E-12\t,V+1.00\x1b\x7f\r\n  "));
    EXPECT_EQ(dataFileText(readings, "Amps"),
              kHeader + "\r\n1\t1\t1.5E-12\t1\tAmps\t\tNAI+1.5E-12 ,V+1.00    \r\n");
}

TEST(DataFileText, CommaLocaleStillWritesFullStops) {
    testsupport::CommaLocale comma;
    ASSERT_TRUE(comma.ok()) << "de_DE.UTF-8 is missing; scripts/setup.sh generates it";
    DataCollection readings;
    readings.Add(reading(1, 1234.5f, -0.125f, 3.5e-9f, false, "X"));
    EXPECT_EQ(dataFileText(readings, "Amps"),
              kHeader + "\r\n1\t1234.5\t3.5E-09\t-0.125\tAmps\t\tX\r\n");
}

} // namespace
