// Runs opened to compare with: a data file the program wrote, files that are not data files or
// hold lines that are not readings, and the previous run kept when the next test starts.

#include "datafile_test_support.h"

#include "app/datafile/data_file_text.h"
#include "app/datafile/reference_runs.h"
#include "platform/app_error.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using datafile::ReferenceRuns;
using testsupport::putFile;

const std::string kHeader = "Index\tTime\tMeasurement\tVoltage\tUnits\tAt Current Limit\tRaw Data";

TEST(ReferenceRuns, OpenDataFilesCountingTheLinesThatAreNotReadings) {
    testsupport::TempFolder folder;
    datafile::DataCollection written;
    datafiletest::fillThreeReadings(written);
    putFile(folder / "iv.txt", datafile::dataFileText(written, "Amps"));
    const std::string good = "4\t1\t2.5E-09\t1.5\tAmps\t*\tNAI+2.5E-09\r\n";
    putFile(folder / "odd.txt", kHeader + "\r\n" + good +
                                    "5\t1.25\t3E-09\r\n"                // short
                                    "six\t1.5\t3E-09\t2\tAmps\t\tR\r\n" // not a number
                                    "7\t1.75\tlots\t2\tAmps\t\tR\r\n" + //
                                    good +
                                    "8\t2\t4E-0"); // cut short
    putFile(folder / "header-only.txt", kHeader + "\r\n");
    putFile(folder / "wrong-header.txt", "Index\tTime\tVoltage\r\n" + good);
    putFile(folder / "empty.txt", "");
    putFile(folder / "binary.txt", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff", 17));

    ReferenceRuns runs;
    const auto opened = runs.open(folder / "iv.txt", "Amps");
    EXPECT_EQ(opened.readings, 3u);
    EXPECT_EQ(opened.leftOut, 0u);
    ASSERT_EQ(runs.runs().size(), 1u);
    EXPECT_EQ(runs.runs()[0].name, "iv.txt");
    EXPECT_EQ(runs.runs()[0].readings[1].Current, -2.25e-7f);
    EXPECT_TRUE(runs.runs()[0].readings[1].AtCurrentLimit);

    const auto odd = runs.open(folder / "odd.txt", "Amps");
    EXPECT_EQ(odd.readings, 2u);
    EXPECT_EQ(odd.leftOut, 4u);
    const auto none = runs.open(folder / "header-only.txt", "Amps");
    EXPECT_EQ(none.readings, 0u);
    EXPECT_EQ(runs.runs().size(), 2u); // nothing to show is not shown
    putFile(folder / "cv.txt", datafile::dataFileText(written, "Farads"));
    const auto capacitances = runs.open(folder / "cv.txt", "Amps");
    EXPECT_TRUE(capacitances.added); // listed, but farads are not drawn on a chart of currents
    EXPECT_FALSE(capacitances.drawn);
    EXPECT_EQ(capacitances.units, "Farads");
    EXPECT_EQ(runs.runs().size(), 3u);
    EXPECT_EQ(runs.runs()[0].units, "Amps");

    for (const char* name : {"wrong-header.txt", "empty.txt", "binary.txt", "missing.txt", ""}) {
        try {
            runs.open(folder / name, "Amps");
            ADD_FAILURE() << name << " opened";
        } catch (const platform::AppError& error) {
            EXPECT_EQ(error.number(), std::string(name) == "missing.txt"
                                          ? platform::errnum::FileNotFound
                                          : platform::errnum::InvalidFileFormat)
                << name << ": " << error.description();
        }
    }
    EXPECT_EQ(runs.runs().size(), 3u);
}

// Each run keeps its colour while it is shown; the previous run is only ever one, the latest.
TEST(ReferenceRuns, ThePreviousRunIsTheLatestAndColoursStayWithTheirRuns) {
    datafile::DataCollection last;
    datafiletest::fillThreeReadings(last);
    ReferenceRuns runs;
    runs.keepPreviousRun(last, std::nullopt, "Amps");
    ASSERT_EQ(runs.runs().size(), 1u);
    EXPECT_EQ(runs.runs()[0].name, "Previous run");
    EXPECT_EQ(runs.runs()[0].readings.size(), 3u);

    testsupport::TempFolder folder;
    putFile(folder / "a.txt", kHeader + "\r\n1\t0\t1E-12\t0\tAmps\t\tR\r\n");
    runs.open(folder / "a.txt", "Amps");
    runs.keepPreviousRun(last, "/data/iv-2.txt", "Farads");
    ASSERT_EQ(runs.runs().size(), 2u);
    EXPECT_EQ(runs.runs()[0].name, "a.txt");
    EXPECT_EQ(runs.runs()[0].colour, 1);
    EXPECT_EQ(runs.runs()[1].name, "Previous run (iv-2.txt)");
    EXPECT_EQ(runs.runs()[1].colour, 0); // the colour the run before it gave up
    EXPECT_EQ(runs.runs()[1].units, "Farads");

    runs.keepPreviousRun(datafile::DataCollection(), "/data/iv-3.txt", "Amps");
    ASSERT_EQ(runs.runs().size(), 1u); // a run without readings leaves nothing to keep
    for (int i = 0; i < ReferenceRuns::kColours + 1; ++i)
        runs.open(folder / "a.txt", "Amps");
    EXPECT_EQ(runs.runs().back().colour, (ReferenceRuns::kColours + 1) % ReferenceRuns::kColours);
    runs.clear();
    EXPECT_TRUE(runs.empty());
}

} // namespace
