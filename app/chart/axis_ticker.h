#pragma once

#include "manual_axis.h"

#include <qcustomplot.h>

#include <QString>

namespace chart {

// Places an axis's ticks and writes its labels in one style (see tick_labels.h). The placement
// follows the axis's scaling: nice steps chosen for the range (automatic), a fixed step anchored
// at zero with a set number of sub-ticks (manual horizontal), a set number of equal intervals
// between the limits (manual linear vertical), or decades (logarithmic).
class AxisTicker : public QCPAxisTicker {
public:
    void setAutomatic() { mode_ = Mode::Automatic; }
    void setSteps(TickLayout layout);
    void setIntervals(int intervals);
    // At most maxMajor labelled decades fit along the axis.
    void setDecades(int maxMajor);
    int maxDecades() const { return maxDecades_; }

    // The common factor the last labels were written with ("×10⁻¹²"), or empty.
    const QString& factor() const { return factor_; }

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks,
                  QVector<QString>* tickLabels) override;

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;

private:
    enum class Mode { Automatic, Steps, Intervals, Decades };

    bool generateDecades(const QCPRange& range, QVector<double>& ticks, QVector<double>* subTicks,
                         QVector<QString>* tickLabels);
    void writeLinearLabels(const QVector<double>& ticks, QVector<QString>& tickLabels);

    Mode mode_ = Mode::Automatic;
    TickLayout steps_{1.0, 0};
    int intervals_ = 10;
    int maxDecades_ = 10;
    QString factor_;
};

} // namespace chart
