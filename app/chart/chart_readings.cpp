#include "chart_readings.h"

#include "graph_texts.h"
#include "live_chart.h"

namespace chart {

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

void showReferences(chart::LiveChart& chart, const datafile::ReferenceRuns& references,
                    bool xAxisIsTime, std::string_view chartUnits) {
    std::vector<chart::ReferenceCurve> curves;
    QStringList notDrawn;
    for (const datafile::ReferenceRun& run : references.runs()) {
        if (!run.shown || run.readings.empty())
            continue;
        if (run.units != chartUnits) {
            notDrawn.append(
                QStringLiteral("Not drawn: ") +
                QString::fromStdString(chart::otherQuantityText(run.name, run.units, chartUnits)));
            continue;
        }
        chart::ReferenceCurve& curve = curves.emplace_back(
            QString::fromStdString(run.name), referenceColour(run.colour, run.chosenColour));
        curve.points.reserve(run.readings.size());
        std::int32_t p = 0;
        for (const HP4140DataType& reading : run.readings)
            curve.points.push_back(chart::chartPointFor(chartReadingOf(reading, ++p), xAxisIsTime));
    }
    chart.setReferences(curves, notDrawn);
    chart.setChartRedraw(chart::kRedrawNow);
}

} // namespace chart
