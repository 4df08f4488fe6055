#include "chart_routines.h"

#include "live_chart.h"

#include "quenta/numtext/numtext.h"

namespace chart {

namespace {

void applyManualScaling(LiveChart& chart, const GraphSettings& settings) {
    chart.setChartYScaleMode(ScaleMode::Manual);
    chart.setChartXScaleMode(ScaleMode::Manual);
    const ManualXAxis x = settings.xAxisIsTime
                              ? manualTimeAxis(settings.timeMin, settings.timeMax)
                              : manualVoltageAxis(settings.voltageMin, settings.voltageMax);
    chart.setChartXTicks(x.ticks);
    chart.setChartXMinorTicks(x.minorTicks);
    chart.setChartXMin(x.min);
    chart.setChartXMax(x.max);

    const ManualYAxis y = manualYAxis(settings.yList0, settings.yList1, settings.logY);
    chart.setChartYMin(y.min);
    chart.setChartYMax(y.max);
    if (y.ticks)
        chart.setChartYTicks(*y.ticks);
}

} // namespace

void initChart(LiveChart& chart, std::int32_t expectedPoints, bool capacitance) {
    chart.fitToData();
    // Settings of the drawing component the program has always written; kept so they read back.
    chart.setSetting(124, 0);
    chart.setSetting(121, 1);
    chart.setChartStyle(ChartStyle::LinesAndSymbols);
    chart.setSetting(100, 1);
    chart.setIndexedSetting(171, 1, 1);
    chart.setSetting(67, 1);
    chart.setChartPointCount(numtext::toInt32(expectedPoints * 1.2));
    chart.setSetting(46, 3);
    chart.setSetting(45, 0);
    chart.setSetting(20, 1);
    chart.setIndexedSetting(173, 1, 12);
    chart.setSetting(139, 1);
    chart.setChartYTitle(QString::fromStdString(yAxisTitle(capacitance)));
    chart.setSetting(58, 1);
    chart.setIndexedSetting(166, 1, 100);
    chart.setSetting(48, 1);
    chart.setSetting(155, 1);
    const std::int32_t count = chart.chartPointCount();
    for (std::int32_t p = 1; p <= count; ++p)
        chart.setChartPointMark(p, kMarkNotFilled);
    chart.setSetting(39, 7);
    chart.setSetting(38, 7);
}

void plotReading(LiveChart& chart, const ChartReading& reading, bool xAxisIsTime) {
    const ChartPoint point = chartPointFor(reading, xAxisIsTime);
    const std::int32_t p = reading.number;
    chart.setChartDataSet(1);
    chart.setChartYValue(p, point.y);
    chart.setChartXValue(p, point.x);
    chart.setChartVoltage(p, point.voltage);
    chart.setChartTime(p, point.time);
    chart.setChartPointLabel(p, QString::fromStdString(point.label));
    chart.setChartPointAtLimit(p, point.atLimit);
    chart.setChartPointMark(p, kMarkFilled);
}

void applyGraphSettings(LiveChart& chart, const GraphSettings& settings) {
    chart.fitToData();
    chart.setChartXTitle(QString::fromStdString(xAxisTitle(settings.xAxisIsTime)));
    chart.setChartYTitle(QString::fromStdString(yAxisTitle(settings.capacitance)));
    chart.setChartType(settings.logY ? ChartType::LogY : ChartType::Linear);
    if (settings.manualScaling) {
        applyManualScaling(chart, settings);
    } else {
        chart.setChartYScaleMode(ScaleMode::Automatic);
        chart.setChartXScaleMode(ScaleMode::Automatic);
    }
    chart.setHorizontalIsTime(settings.xAxisIsTime);
    chart.setView(settings.view);
    chart.setChartPointLabelsOn(settings.showPolarity ? 1 : 0);
    chart.setChartStyle(settings.showSymbols ? ChartStyle::LinesAndSymbols : ChartStyle::Lines);
    chart.setChartRedraw(kRedrawNow);
}

void placeStartupPoints(LiveChart& chart) {
    chart.setChartDataSet(1);
    const auto middle = static_cast<float>((chart.chartYMin() + chart.chartYMax()) / 2.0);
    for (std::int32_t p = 1; p <= 2; ++p) {
        chart.setChartYValue(p, middle);
        chart.setChartXValue(p, chart.chartXMin());
    }
    chart.setChartRedraw(kRedrawNow);
}

} // namespace chart
