#pragma once

// Tick placement of manual axes: a fixed step anchored at zero with a set number of sub-ticks
// (horizontal), and a set number of equal intervals between the limits (linear vertical).

#include "manual_axis.h"

#include <qcustomplot.h>

namespace chart {

class StepTicker : public QCPAxisTickerFixed {
public:
    StepTicker();
    void setLayout(TickLayout layout);

protected:
    int getSubTickCount(double tickStep) override;

private:
    int subTicks_ = 0;
};

class IntervalTicker : public QCPAxisTicker {
public:
    void setIntervals(int intervals);

protected:
    double getTickStep(const QCPRange& range) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;

private:
    int intervals_ = 10;
};

} // namespace chart
