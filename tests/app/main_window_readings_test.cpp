#include "datafile_test_support.h"
#include "main_window_support.h"

#include "app/chart/live_chart.h"
#include "app/datafile/data_collection.h"
#include "app/datafile/data_file_text.h"
#include "app/table/readings_area.h"
#include "app/window/left_column.h"
#include "app/window/status_row.h"
#include "support/temp_folder.h"

#include "app/panel/option_group.h"
#include "app/window/graph_settings_frame.h"
#include "settings/control_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

using apptest::MainWindow;
using datafiletest::reading;

class MainWindowReadings : public MainWindow {
protected:
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
    EXPECT_EQ(application.session().dataPath(),
              window.leftColumn().txtPathToData()->text().toStdString());
}

TEST_F(MainWindowReadings, ReadingsReachLabelsTableChartAndCollection) {
    fileThree();
    EXPECT_EQ(table()->model()->rowCount(), 4);
    EXPECT_EQ(table()->model()->index(2, 5).data().toString(), "*");
    EXPECT_EQ(window.leftColumn().statusRow()->lblUnits()->text(), "Amps");
    EXPECT_EQ(chart()->chartPointMark(3), chart::kMarkFilled);
    EXPECT_FLOAT_EQ(chart()->chartYValue(2), 2.25e-7f);
    EXPECT_EQ(chart()->chartPointLabel(2), "-");
    EXPECT_EQ(application.readings().Count(), 3u);
}

TEST_F(MainWindowReadings, ClickOnAPointSelectsItsTableRow) {
    fileThree();
    emit chart()->pointClicked(3);
    EXPECT_EQ(table()->currentIndex().row(), 3);
    EXPECT_EQ(table()->selectionModel()->selectedIndexes().size(), 6);
}

TEST_F(MainWindowReadings, EndOfTestWritesTheDataFile) {
    testsupport::TempFolder folder;
    application.session().setDataPath((folder / "data/iv.txt").string());
    fileThree();
    ASSERT_TRUE(window.SaveData());
    EXPECT_EQ(testsupport::fileText(folder / "data/iv.txt"),
              datafile::dataFileText(application.readings(), "Amps"));
}

TEST_F(MainWindowReadings, StartUpShowsTheEmptyChartWithNotesAndAutoScaling) {
    const settings::ControlRegistry& controls = window.controls();
    EXPECT_EQ(controls.get<QLabel>("lblTimeRounding")->text(), "Graph will round to 10s intervals");
    EXPECT_EQ(controls.get<QLabel>("lblVoltageRounding")->text(),
              "Graph will round to 10V intervals");
    EXPECT_FALSE(controls.find("txtGraphTime(0)")->isEnabled());
    EXPECT_FALSE(controls.find("cmbGraphCurrent(1)")->isEnabled());
    EXPECT_EQ(chart()->chartPointCount(), 120);
    EXPECT_EQ(chart()->chartYTitle(), "Current (in Amps)");
    EXPECT_EQ(chart()->chartPointMark(1), chart::kMarkNotFilled);
    EXPECT_FLOAT_EQ(chart()->chartXValue(2), chart()->chartXMin());

    controls.get<QRadioButton>("optionGraphScale(1)")->click();
    EXPECT_TRUE(controls.find("txtGraphVoltage(1)")->isEnabled());
    EXPECT_TRUE(controls.find("cmbGraphCapacitance(0)")->isEnabled());
}

TEST_F(MainWindowReadings, LeavingALimitFieldUpdatesItsNoteAtOnce) {
    const settings::ControlRegistry& controls = window.controls();
    controls.get<QRadioButton>("optionGraphScale(1)")->click();
    typeAndLeave(controls.get<quenta::Quenta>("txtGraphTime(1)"), "200");
    EXPECT_EQ(controls.get<QLabel>("lblTimeRounding")->text(), "Graph will round to 60s intervals");
    typeAndLeave(controls.get<quenta::Quenta>("txtGraphVoltage(0)"), "45");
    EXPECT_EQ(controls.get<QLabel>("lblVoltageRounding")->text(),
              "Graph will round to 1V intervals");
}

TEST_F(MainWindowReadings, SwitchingToVoltageAfterAnUpDownSweepKeepsReadingOrder) {
    window.resetReadings();
    const float sweep[] = {0.0f, 5.0f, 10.0f, 5.0f, 0.0f};
    for (int k = 0; k < 5; ++k)
        window.fileReading(reading(k + 1, 0.5f * static_cast<float>(k + 1), sweep[k],
                                   1e-9f * static_cast<float>(k + 1), false),
                           k + 1);
    window.controls().get<QRadioButton>("optionXAxis(1)")->click();
    EXPECT_FALSE(window.readingsArea().xAxisIsTime());
    EXPECT_EQ(chart()->chartXTitle(), "Voltage (in Volts)");
    for (int k = 0; k < 5; ++k) {
        EXPECT_FLOAT_EQ(chart()->chartXValue(k + 1), sweep[k]);
        EXPECT_FLOAT_EQ(chart()->chartYValue(k + 1), 1e-9f * static_cast<float>(k + 1));
    }
}

TEST_F(MainWindowReadings, EditGraphSettingsApplyWhenTheChartComesBack) {
    const settings::ControlRegistry& controls = window.controls();
    auto* edit = controls.get<QPushButton>("cmdEditGraph");
    edit->click();
    EXPECT_EQ(edit->text(), "View Graph");
    EXPECT_FALSE(controls.find("frameGraphSettings")->isHidden());
    controls.get<QCheckBox>("chkYLog")->setChecked(false);
    EXPECT_EQ(chart()->chartType(), chart::ChartType::LogY);

    window.closeGraphSettings();
    EXPECT_EQ(edit->text(), "Edit Graph Settings");
    EXPECT_TRUE(controls.find("frameGraphSettings")->isHidden());
    EXPECT_EQ(chart()->chartType(), chart::ChartType::Linear);
}

} // namespace
