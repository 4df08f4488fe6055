#include "run_view.h"

#include "chart_point.h"
#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

using analysis::View;

bool showsMagnitudes(View view) {
    return view == View::AbsoluteCurrent || view == View::CurrentAgainstTime ||
           view == View::LogLog || view == View::Capacitance;
}

double largestOf(const RunReadings& run) {
    double largest = 0.0;
    for (const analysis::Reading& reading : run.readings)
        largest = std::max(largest, reading.value);
    return largest;
}

std::vector<analysis::Point> pointsOf(const RunReadings& run, View view) {
    std::vector<analysis::Point> points;
    points.reserve(run.readings.size());
    const bool time = viewAgainstTime(view);
    for (const analysis::Reading& reading : run.readings)
        points.push_back({time ? reading.t : reading.v, reading.value});
    return points;
}

const char* unitOf(View view) {
    switch (view) {
    case View::Conductance:
        return " S";
    case View::Capacitance:
        return " F";
    case View::InverseSquare:
        return " 1/F²";
    case View::Normalised:
        return "";
    default:
        return " A";
    }
}

std::string nameOf(View view) {
    if (view == View::CurrentAgainstTime || view == View::LogLog)
        return "|I|";
    return std::string(analysis::infoOf(view).label);
}

std::string number(double value) {
    return numtext::formatGeneralSingle(static_cast<float>(value));
}

} // namespace

RunReadings runReadings(const ChartPoints& points) {
    RunReadings run;
    const std::optional<std::uint32_t> negative = points.labelTexts().find(kNegativeLabel);
    for (std::int32_t index = 0; index < points.count(); ++index) {
        const ChartPointRecord& point = points.atIndex(static_cast<std::size_t>(index));
        if (point.mark != kMarkFilled)
            continue;
        const double value = negative && point.label == *negative ? -point.y : point.y;
        run.readings.push_back({point.time, point.voltage, value, point.atLimit});
        run.numbers.push_back(index + 1);
    }
    return run;
}

void TurnFinder::scan(const ChartPoints& points, std::int32_t firstChanged) {
    if (firstChanged < next_)
        *this = TurnFinder();
    for (; next_ < points.count() && !start_; ++next_) {
        const ChartPointRecord& point = points.atIndex(static_cast<std::size_t>(next_));
        if (point.mark != kMarkFilled)
            return;
        if (next_ > 0) {
            const int step = (point.voltage > lastVoltage_) - (point.voltage < lastVoltage_);
            if (direction_ == 0)
                direction_ = step;
            else if (step == -direction_)
                start_ = next_ + 1;
        }
        lastVoltage_ = point.voltage;
    }
}

bool isUsualView(View view) {
    return view == View::AbsoluteCurrent || view == View::CurrentAgainstTime ||
           view == View::Capacitance;
}

bool viewAgainstTime(View view) {
    return view == View::CurrentAgainstTime || view == View::LogLog;
}

std::vector<SourcePoint> viewOfRun(const RunReadings& run, const ChartPoints& points, View view) {
    const std::vector<analysis::ViewPoint> viewed = analysis::viewPoints(view, pointsOf(run, view));
    const bool labelled = showsMagnitudes(view);
    std::vector<SourcePoint> shown;
    shown.reserve(viewed.size());
    for (const analysis::ViewPoint& point : viewed) {
        const std::int32_t number = run.numbers[point.source];
        const ChartPointRecord& record = points.at(number);
        shown.push_back({point.x, point.y, number, labelled ? record.label : 0u, record.atLimit});
    }
    return shown;
}

std::vector<SourcePoint> viewOfFit(std::span<const analysis::Point> fitted, const RunReadings& run,
                                   View view) {
    const View shown = isUsualView(view) ? View::AbsoluteCurrent : view;
    std::vector<SourcePoint> points;
    for (const analysis::ViewPoint& point : analysis::viewPoints(shown, fitted, largestOf(run)))
        points.push_back(
            {point.x, point.y, static_cast<std::int32_t>(point.source) + 1, 0u, false});
    return points;
}

std::string readoutLine(View view, bool againstTime, double x, double y) {
    const std::string horizontal =
        againstTime ? "t = " + number(x) + " s" : "V = " + number(x) + " V";
    return horizontal + "   " + nameOf(view) + " = " + number(y) + unitOf(view);
}

} // namespace chart
