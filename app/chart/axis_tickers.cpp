#include "axis_tickers.h"

#include <algorithm>

namespace chart {

StepTicker::StepTicker() {
    setScaleStrategy(ssNone);
    setTickOrigin(0.0);
}

void StepTicker::setLayout(TickLayout layout) {
    if (layout.step > 0.0)
        setTickStep(layout.step);
    subTicks_ = std::max(layout.subTicks, 0);
}

int StepTicker::getSubTickCount(double) {
    return subTicks_;
}

void IntervalTicker::setIntervals(int intervals) {
    intervals_ = std::max(intervals, 1);
}

double IntervalTicker::getTickStep(const QCPRange& range) {
    return range.size() / intervals_;
}

QVector<double> IntervalTicker::createTickVector(double tickStep, const QCPRange& range) {
    QVector<double> ticks;
    ticks.reserve(intervals_ + 1);
    for (int i = 0; i <= intervals_; ++i)
        ticks.append(range.lower + i * tickStep);
    return ticks;
}

} // namespace chart
