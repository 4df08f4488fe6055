#pragma once

#include "measurement_table.h"

#include "hp4140/hp4140_data.h"

#include <QString>

#include <cstdint>

class QLabel;

namespace chart {
class LiveChart;
}

namespace table {

// The three value labels above the table.
struct ReadingLabels {
    QLabel* lblAppliedVoltage = nullptr;
    QLabel* lblMeasurement = nullptr;
    QLabel* lblUnits = nullptr;
};

// Shows each new reading: the labels, a table row and a chart point. A click on point p of the
// chart selects the table's row of reading p.
class MeasurementDisplay {
public:
    MeasurementDisplay(ReadingLabels labels, MeasurementTable& table, chart::LiveChart& chart);

    // The reading as the window's reading number iMeasIndex, plotted against time or voltage.
    // The units follow the function of the application's test settings. The table follows the
    // new row and the chart redraws once the event loop turns.
    void Form_AddData(const HP4140DataType& NewData, std::int32_t iMeasIndex, bool xAxisIsTime);

    // The caption of the units label, which the data file repeats on every line.
    QString units() const;

private:
    ReadingLabels labels_;
    MeasurementTable& table_;
    chart::LiveChart& chart_;
};

} // namespace table
