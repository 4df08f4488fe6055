#pragma once

#include "measurement_table.h"

#include "app/chart/chart_routines.h"
#include "app/datafile/data_collection.h"
#include "app/datafile/data_file_reader.h"
#include "hp4140/hp4140_data.h"
#include "hp4140/test_config.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

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

// Who looks at the readings as they arrive: someone at the window, or nobody (a run without a
// window), who may still want a picture of the chart once the run is over.
enum class Onlookers { Window, PictureAtEnd, Nobody };

// Shows each new reading (the labels, a table row and a chart point) and keeps it in the
// collection. A click on point p of the chart selects the table's row of reading p.
class MeasurementDisplay {
public:
    // The test's function gives the readings' units.
    MeasurementDisplay(ReadingLabels labels, MeasurementTable& table, chart::LiveChart& chart,
                       datafile::DataCollection& readings, const hp4140::TestConfig& test);

    // With nobody at the window, a reading only goes into the collection and the units label
    // (which the data file repeats): no value label, no table row, and no chart point unless the
    // chart is to be pictured at the end.
    void setOnlookers(Onlookers onlookers) { onlookers_ = onlookers; }

    // At a test start: the table keeps only its empty row and the collection is emptied.
    void resetReadings();

    // The reading step's filing: Form_AddData, then the collection takes the reading.
    void fileReading(std::unique_ptr<HP4140DataType> NewData, std::int32_t iMeasIndex,
                     bool xAxisIsTime);

    // The reading as the window's reading number iMeasIndex, plotted against time or voltage.
    // The units follow the function of the application's test settings. The table follows the
    // new row and the chart redraws once the event loop turns.
    void Form_AddData(const HP4140DataType& NewData, std::int32_t iMeasIndex, bool xAxisIsTime);

    // Shows readings read back from a data file, each in the units its line gives, in place of
    // the collection's readings.
    void showReadings(const std::vector<datafile::DataFileLine>& lines, bool xAxisIsTime);

    // optionXAxis_Click once the settings hold the new axis: the chart takes the settings and
    // the collection's readings move to the new axis in reading order.
    void switchXAxis(const chart::GraphSettings& settings);

    // The caption of the units label, which the data file repeats on every line.
    QString units() const;

private:
    void showReading(const HP4140DataType& reading, std::int32_t iMeasIndex, bool xAxisIsTime,
                     const QString& units);

    ReadingLabels labels_;
    MeasurementTable& table_;
    chart::LiveChart& chart_;
    datafile::DataCollection& readings_;
    const hp4140::TestConfig& test_;
    Onlookers onlookers_ = Onlookers::Window;
};

} // namespace table
