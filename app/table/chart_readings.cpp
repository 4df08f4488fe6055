#include "chart_readings.h"

#include "app/chart/live_chart.h"

namespace table {

chart::ChartReading chartReadingOf(const HP4140DataType& reading, std::int32_t p) {
    return {p, reading.Timerel, reading.Voltage, reading.Current, reading.AtCurrentLimit};
}

void reAddReadings(chart::LiveChart& chart, const datafile::DataCollection& readings,
                   bool xAxisIsTime) {
    std::int32_t k = 0;
    for (const auto& reading : readings) {
        ++k;
        chart.setChartXValue(k, chart::xValueFor(chartReadingOf(*reading, k), xAxisIsTime));
    }
}

void switchXAxis(chart::LiveChart& chart, const chart::GraphSettings& settings,
                 const datafile::DataCollection& readings) {
    chart::applyGraphSettings(chart, settings);
    reAddReadings(chart, readings, settings.xAxisIsTime);
    chart.setChartRedraw(chart::kRedrawNow);
}

} // namespace table
