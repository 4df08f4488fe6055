#include "datafile_test_support.h"

#include "app/chart/chart_routines.h"
#include "app/chart/live_chart.h"
#include "app/datafile/data_file_text.h"
#include "app/table/readings_area.h"
#include "hp4140/test_config.h"
#include "platform/message_box.h"
#include "support/temp_folder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

using datafiletest::reading;
using testsupport::fileText;
using testsupport::putFile;

// The window's reading controls around one ReadingsArea, as the main window holds them.
class ReadingsAreaTest : public testing::Test {
protected:
    ReadingsAreaTest() {
        test.iFunction = hp4140::Function::IV;
        chart::initChart(chart, 100, false);
    }

    void fileThree() {
        datafile::DataCollection three;
        datafiletest::fillThreeReadings(three);
        std::int32_t index = 0;
        for (const auto& r : three)
            area.fileReading(std::make_unique<HP4140DataType>(*r), ++index);
    }

    testsupport::TempFolder folder;
    app::ScriptedFileDialogs dialogs;
    platform::ScopedRecordingMessageBox box;
    datafile::DataCollection readings;
    app::Session session; // whose data path the path box shows
    hp4140::TestConfig test;
    QLabel voltage, measurement, units;
    chart::LiveChart chart;
    QLineEdit path;
    QPushButton browse;
    QTableView data;
    // Owned by the table view, as in the window.
    table::ReadingsArea& area =
        *new table::ReadingsArea({&data, {&voltage, &measurement, &units}, &chart, &path, &browse},
                                 dialogs, folder.path(), {readings, session, test});
};

TEST_F(ReadingsAreaTest, StartUpTakesTheDataPathFromThePathBoxAndSizesTheColumns) {
    path.setText("/srv/lab/iv.txt");
    area.Form_Load();
    EXPECT_EQ(session.dataPath(), "/srv/lab/iv.txt");
    EXPECT_NEAR(data.columnWidth(3), 2 * data.columnWidth(0), 1);
}

TEST_F(ReadingsAreaTest, BrowseCancelPutsTheUnchangedDataPathBackInTheBox) {
    session.setDataPath("/srv/lab/iv.txt");
    path.setText("typed but not chosen");
    browse.click();
    EXPECT_EQ(path.text(), "/srv/lab/iv.txt");
    dialogs.queueAnswer("/srv/lab/cv.txt");
    browse.click();
    EXPECT_EQ(path.text(), "/srv/lab/cv.txt");
    EXPECT_EQ(session.dataPath(), "/srv/lab/cv.txt");
}

TEST_F(ReadingsAreaTest, CapacitanceTestWritesFaradsOnEveryLine) {
    test.iFunction = hp4140::Function::CV;
    session.setDataPath((folder / "cv/run.txt").string());
    fileThree();
    ASSERT_TRUE(area.SaveData());
    EXPECT_EQ(fileText(session.dataPath()), datafile::dataFileText(readings, "Farads"));
    EXPECT_NE(fileText(session.dataPath()).find("\tFarads\t*\t"), std::string::npos);
}

TEST_F(ReadingsAreaTest, UnwritablePathIsReportedAndTheReadingsStay) {
    putFile(folder / "blocker", "x");
    session.setDataPath((folder / "blocker/run.txt").string());
    fileThree();
    EXPECT_FALSE(area.SaveData());
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find(session.dataPath()), std::string::npos);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(readings.Count(), 3u);
    EXPECT_EQ(data.model()->rowCount(), 4);
}

TEST_F(ReadingsAreaTest, ResetEmptiesTableAndCollection) {
    fileThree();
    area.resetReadings();
    EXPECT_TRUE(readings.empty());
    EXPECT_EQ(data.model()->rowCount(), 1);
}

} // namespace
