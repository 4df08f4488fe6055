#include "chart_test_support.h"
#include "datafile_test_support.h"

#include "app/chart/chart_readings.h"
#include "app/chart/chart_routines.h"
#include "app/table/measurement_display.h"
#include "hp4140/test_config.h"
#include "support/comma_locale.h"

#include <QLabel>
#include <QScrollBar>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

using datafile::DataCollection;
using datafiletest::reading;
using table::MeasurementDisplay;
using table::MeasurementTable;

// The table, labels and chart as the main window holds them, with a test's readings filed the
// way the test run files them.
class DisplayTest : public testing::Test {
protected:
    DisplayTest()
        : table(&view), display({&voltage, &measurement, &units}, table, chart, readings, test) {
        test.iFunction = hp4140::Function::IV;
        view.resize(400, 200);
        view.show();
        chart::initChart(chart, 100, false);
    }

    void add(std::unique_ptr<HP4140DataType> r) {
        display.fileReading(std::move(r), ++iMeasIndex, xAxisIsTime);
    }
    void addThreeReadings() {
        DataCollection three;
        datafiletest::fillThreeReadings(three);
        for (const auto& r : three)
            add(std::make_unique<HP4140DataType>(*r));
    }
    QString cell(int row, int column) const {
        return table.model().index(row, column).data().toString();
    }
    QStringList rowTexts(int row) const {
        QStringList texts;
        for (int column = 0; column < table.model().columnCount(); ++column)
            texts << cell(row, column);
        return texts;
    }

    QTableView view;
    QLabel voltage, measurement, units;
    chart::LiveChart chart;
    DataCollection readings;
    hp4140::TestConfig test;
    MeasurementTable table;
    MeasurementDisplay display;
    std::int32_t iMeasIndex = 0;
    bool xAxisIsTime = true;
};

TEST_F(DisplayTest, ThreeReadingsShowBelowTheEmptyRowWithTheLimitMarked) {
    addThreeReadings();
    ASSERT_EQ(table.model().rowCount(), 4);
    EXPECT_EQ(rowTexts(0), QStringList({"", "", "", "", "", ""}));
    EXPECT_EQ(rowTexts(1), QStringList({"1", "0.25", "2.5", "1.5E-12", "Amps", ""}));
    EXPECT_EQ(rowTexts(2), QStringList({"2", "0.5", "5", "-2.25E-07", "Amps", "*"}));
    EXPECT_EQ(rowTexts(3), QStringList({"3", "0.75", "0", "0", "Amps", ""}));
    QStringList headers;
    for (int column = 0; column < 6; ++column)
        headers << table.model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(headers,
              QStringList({"Index", "Time", "Voltage", "Measurement", "Units", "At Limit"}));
    EXPECT_EQ(voltage.text(), "0");
    EXPECT_EQ(measurement.text(), "0");
    EXPECT_EQ(units.text(), "Amps");
}

TEST_F(DisplayTest, CapacitanceTestShowsFarads) {
    test.iFunction = hp4140::Function::CV;
    add(reading(1, 0.5f, -1.5f, 2.5e-11f, false));
    add(reading(2, 1.0f, -1.0f, 2.75e-11f, false));
    EXPECT_EQ(units.text(), "Farads");
    EXPECT_EQ(display.units(), "Farads");
    EXPECT_EQ(cell(1, 4), "Farads");
    EXPECT_EQ(cell(2, 4), "Farads");
    EXPECT_EQ(voltage.text(), "-1");
    EXPECT_EQ(measurement.text(), "2.75E-11");
}

TEST_F(DisplayTest, CommaLocaleStillShowsFullStops) {
    testsupport::CommaLocale comma;
    ASSERT_TRUE(comma.ok()) << "de_DE.UTF-8 is missing; scripts/setup.sh generates it";
    add(reading(1, 1234.5f, -0.125f, 3.5e-9f, false));
    EXPECT_EQ(rowTexts(1), QStringList({"1", "1234.5", "-0.125", "3.5E-09", "Amps", ""}));
    EXPECT_EQ(voltage.text(), "-0.125");
}

TEST_F(DisplayTest, NegativeReadingIsPlottedAtItsMagnitudeLabelledMinus) {
    add(reading(1, 0.5f, 3.0f, -4.5e-9f, false));
    add(reading(2, 1.0f, 3.0f, 0.0f, false));
    EXPECT_FLOAT_EQ(chart.chartYValue(1), 4.5e-9f);
    EXPECT_EQ(chart.chartPointLabel(1), "-");
    EXPECT_EQ(chart.chartPointLabel(2), "+");
    EXPECT_EQ(chart.chartPointMark(1), chart::kMarkFilled);
    EXPECT_EQ(measurement.text(), "0");
    QCoreApplication::processEvents();
    const auto shown = chart::testing::plottedPoints(chart);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_FLOAT_EQ(static_cast<float>(shown[0].value), 4.5e-9f);
}

// An up/down sweep has each voltage twice; on the voltage axis the line must still go out and
// back in reading order, with every reading's own value.
TEST_F(DisplayTest, SwitchingToVoltageAfterAnUpDownSweepKeepsReadingOrder) {
    const float sweep[] = {0.0f, 1.0f, 2.0f, 3.0f, 2.0f, 1.0f, 0.0f};
    for (int k = 0; k < 7; ++k)
        add(reading(k + 1, 0.5f * static_cast<float>(k + 1), sweep[k],
                    1e-9f * static_cast<float>(k + 1), false));
    chart::GraphSettings settings;
    settings.xAxisIsTime = false;
    display.switchXAxis(settings);
    QCoreApplication::processEvents();

    const auto shown = chart::testing::plottedPoints(chart);
    ASSERT_EQ(shown.size(), 7u);
    for (int k = 0; k < 7; ++k) {
        EXPECT_FLOAT_EQ(chart.chartXValue(k + 1), sweep[k]);
        EXPECT_FLOAT_EQ(static_cast<float>(shown[static_cast<std::size_t>(k)].key), sweep[k]);
        EXPECT_FLOAT_EQ(static_cast<float>(shown[static_cast<std::size_t>(k)].value),
                        1e-9f * static_cast<float>(k + 1));
    }
    EXPECT_EQ(chart.chartXTitle(), "Voltage (in Volts)");
}

TEST_F(DisplayTest, ClickOnPointSelectsThatReadingsRow) {
    for (int k = 1; k <= 40; ++k)
        add(reading(k, 0.5f * static_cast<float>(k), 1.0f, 1e-9f, false));
    QCoreApplication::processEvents();

    emit chart.pointClicked(7);

    EXPECT_EQ(view.currentIndex().row(), 7);
    EXPECT_EQ(view.currentIndex().column(), 0);
    const QModelIndexList selected = view.selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 6);
    for (const QModelIndex& index : selected)
        EXPECT_EQ(index.row(), 7);
    EXPECT_EQ(view.rowAt(0), 7);
    EXPECT_EQ(cell(7, 0), "7");
}

TEST_F(DisplayTest, ClickOnAPointWithoutARowChangesNothing) {
    add(reading(1, 0.5f, 1.0f, 1e-9f, false));
    emit chart.pointClicked(2);
    emit chart.pointClicked(0);
    EXPECT_TRUE(view.selectionModel()->selectedIndexes().isEmpty());
}

TEST_F(DisplayTest, BurstOfReadingsScrollsOnceTheEventLoopTurns) {
    for (int k = 1; k <= 200; ++k)
        add(reading(k, 0.5f * static_cast<float>(k), 1.0f, 1e-9f, false));
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
    QCoreApplication::processEvents();
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
}

TEST_F(DisplayTest, ResetLeavesTheEmptyRowUnderTheHeaders) {
    addThreeReadings();
    display.resetReadings();
    iMeasIndex = 0;
    EXPECT_TRUE(readings.empty());
    EXPECT_EQ(table.model().rowCount(), 1);
    EXPECT_EQ(rowTexts(0), QStringList({"", "", "", "", "", ""}));
    add(reading(1, 0.5f, 1.0f, 2e-9f, false));
    EXPECT_EQ(cell(1, 0), "1");
}

} // namespace
