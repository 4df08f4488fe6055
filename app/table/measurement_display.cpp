#include "measurement_display.h"

#include "app/chart/chart_readings.h"
#include "units.h"

#include "app/chart/chart_routines.h"
#include "app/chart/live_chart.h"
#include "quenta/numtext/numtext.h"

#include <QLabel>

namespace table {

namespace {

QString general(float value) {
    return QString::fromStdString(numtext::formatGeneralSingle(value));
}

} // namespace

MeasurementDisplay::MeasurementDisplay(ReadingLabels labels, MeasurementTable& table,
                                       chart::LiveChart& chart, datafile::DataCollection& readings,
                                       const hp4140::TestConfig& test)
    : labels_(labels), table_(table), chart_(chart), readings_(readings), test_(test) {
    QObject::connect(&chart, &chart::LiveChart::pointClicked, &table,
                     [&table](std::int32_t p) { table.selectReading(p); });
}

void MeasurementDisplay::Form_AddData(const HP4140DataType& NewData, std::int32_t iMeasIndex,
                                      bool xAxisIsTime) {
    showReading(NewData, iMeasIndex, xAxisIsTime, unitsCaption(test_.iFunction));
}

void MeasurementDisplay::showReading(const HP4140DataType& reading, std::int32_t iMeasIndex,
                                     bool xAxisIsTime, const QString& units) {
    labels_.lblUnits->setText(units);
    if (onlookers_ == Onlookers::Window) {
        labels_.lblAppliedVoltage->setText(general(reading.Voltage));
        labels_.lblMeasurement->setText(general(reading.Current));
        // The label's text, which every row of a test then shares.
        table_.appendRow({iMeasIndex, reading.Timerel, reading.Voltage, reading.Current,
                          labels_.lblUnits->text(), reading.AtCurrentLimit});
    }
    if (onlookers_ != Onlookers::Nobody) {
        chart::plotReading(chart_, chart::chartReadingOf(reading, iMeasIndex), xAxisIsTime);
        chart_.setChartRedraw(chart::kRedrawNow);
    }
}

void MeasurementDisplay::showReadings(const std::vector<datafile::DataFileLine>& lines,
                                      bool xAxisIsTime) {
    resetReadings();
    for (const datafile::DataFileLine& line : lines) {
        showReading(line.reading, line.reading.Index, xAxisIsTime,
                    QString::fromStdString(line.units));
        readings_.Add(std::make_unique<HP4140DataType>(line.reading));
    }
}

void MeasurementDisplay::resetReadings() {
    table_.reset();
    readings_.RemoveAll();
}

void MeasurementDisplay::fileReading(std::unique_ptr<HP4140DataType> NewData,
                                     std::int32_t iMeasIndex, bool xAxisIsTime) {
    Form_AddData(*NewData, iMeasIndex, xAxisIsTime);
    readings_.Add(std::move(NewData));
}

void MeasurementDisplay::switchXAxis(const chart::GraphSettings& settings) {
    chart::switchXAxis(chart_, settings, readings_);
}

QString MeasurementDisplay::units() const {
    return labels_.lblUnits->text();
}

} // namespace table
