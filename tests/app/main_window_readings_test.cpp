#include "datafile_test_support.h"
#include "main_window_support.h"

#include "app/chart/live_chart.h"
#include "app/datafile/data_collection.h"
#include "app/datafile/data_file_text.h"
#include "app/datafile/data_path.h"
#include "app/left_column.h"
#include "app/status_row.h"
#include "support/temp_folder.h"

#include <QLabel>
#include <QTableView>

namespace {

using apptest::MainWindow;
using datafiletest::reading;

class MainWindowReadings : public MainWindow {
protected:
    ~MainWindowReadings() override {
        datafile::AppDataCollection().RemoveAll();
        datafile::AppDataPath().clear();
    }

    void fileThree() {
        window.resetReadings();
        datafile::DataCollection three;
        datafiletest::fillThreeReadings(three);
        std::int32_t index = 0;
        for (const auto& r : three)
            window.fileReading(std::make_unique<HP4140DataType>(*r), ++index);
    }
    QTableView* table() { return window.leftColumn().Data(); }
    chart::LiveChart* chart() { return window.leftColumn().graph1(); }
};

TEST_F(MainWindowReadings, StartUpTakesTheDataPathFromThePathBox) {
    EXPECT_EQ(datafile::AppDataPath(), window.leftColumn().txtPathToData()->text().toStdString());
}

TEST_F(MainWindowReadings, ReadingsReachLabelsTableChartAndCollection) {
    fileThree();
    EXPECT_EQ(table()->model()->rowCount(), 4);
    EXPECT_EQ(table()->model()->index(2, 5).data().toString(), "*");
    EXPECT_EQ(window.leftColumn().statusRow()->lblUnits()->text(), "Amps");
    EXPECT_EQ(chart()->chartPointMark(3), chart::kMarkFilled);
    EXPECT_FLOAT_EQ(chart()->chartYValue(2), 2.25e-7f);
    EXPECT_EQ(chart()->chartPointLabel(2), "-");
    EXPECT_EQ(datafile::AppDataCollection().Count(), 3u);
}

TEST_F(MainWindowReadings, ClickOnAPointSelectsItsTableRow) {
    fileThree();
    emit chart()->pointClicked(3);
    EXPECT_EQ(table()->currentIndex().row(), 3);
    EXPECT_EQ(table()->selectionModel()->selectedIndexes().size(), 6);
}

TEST_F(MainWindowReadings, EndOfTestWritesTheDataFile) {
    testsupport::TempFolder folder;
    datafile::AppDataPath() = (folder / "data/iv.txt").string();
    fileThree();
    ASSERT_TRUE(window.SaveData());
    EXPECT_EQ(testsupport::fileText(folder / "data/iv.txt"),
              datafile::dataFileText(datafile::AppDataCollection(), "Amps"));
}

} // namespace
