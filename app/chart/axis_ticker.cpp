#include "axis_ticker.h"

#include "log_ticks.h"
#include "tick_labels.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

QVector<double> toQt(const std::vector<double>& values) {
    return QVector<double>(values.begin(), values.end());
}

} // namespace

void AxisTicker::setSteps(TickLayout layout) {
    mode_ = Mode::Steps;
    if (layout.step > 0.0)
        steps_.step = layout.step;
    steps_.subTicks = std::max(layout.subTicks, 0);
}

void AxisTicker::setIntervals(int intervals) {
    mode_ = Mode::Intervals;
    intervals_ = std::max(intervals, 1);
}

void AxisTicker::setDecades(int maxMajor) {
    mode_ = Mode::Decades;
    maxDecades_ = maxMajor;
}

void AxisTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar,
                          int precision, QVector<double>& ticks, QVector<double>* subTicks,
                          QVector<QString>* tickLabels) {
    if (mode_ == Mode::Decades && generateDecades(range, ticks, subTicks, tickLabels))
        return;
    QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks, nullptr);
    if (tickLabels)
        writeLinearLabels(ticks, *tickLabels);
}

// False when the range is too narrow for logarithmic ticks.
bool AxisTicker::generateDecades(const QCPRange& range, QVector<double>& ticks,
                                 QVector<double>* subTicks, QVector<QString>* tickLabels) {
    const std::optional<LogTicks> log = logTicks({range.lower, range.upper}, maxDecades_);
    if (!log)
        return false;
    ticks = toQt(log->major);
    if (subTicks)
        *subTicks = toQt(log->minor);
    if (!tickLabels)
        return true;
    if (!log->decades) {
        writeLinearLabels(ticks, *tickLabels);
        return true;
    }
    tickLabels->clear();
    for (const double tick : log->major)
        tickLabels->append(
            QString::fromStdString(decadeLabel(static_cast<int>(std::lround(std::log10(tick))))));
    factor_.clear();
    return true;
}

void AxisTicker::writeLinearLabels(const QVector<double>& ticks, QVector<QString>& tickLabels) {
    const TickLabels labels = linearTickLabels(std::vector<double>(ticks.begin(), ticks.end()));
    tickLabels.clear();
    for (const std::string& label : labels.labels)
        tickLabels.append(QString::fromStdString(label));
    factor_ = QString::fromStdString(labels.factor);
}

double AxisTicker::getTickStep(const QCPRange& range) {
    switch (mode_) {
    case Mode::Steps:
        return steps_.step;
    case Mode::Intervals:
        return range.size() / intervals_;
    default:
        return QCPAxisTicker::getTickStep(range);
    }
}

int AxisTicker::getSubTickCount(double tickStep) {
    return mode_ == Mode::Steps ? steps_.subTicks : QCPAxisTicker::getSubTickCount(tickStep);
}

QVector<double> AxisTicker::createTickVector(double tickStep, const QCPRange& range) {
    if (mode_ != Mode::Intervals)
        return QCPAxisTicker::createTickVector(tickStep, range);
    QVector<double> ticks;
    ticks.reserve(intervals_ + 1);
    for (int i = 0; i <= intervals_; ++i)
        ticks.append(range.lower + i * tickStep);
    return ticks;
}

} // namespace chart
