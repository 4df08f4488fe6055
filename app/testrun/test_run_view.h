#pragma once

#include "expected_points.h"
#include "hp4140/hp4140_data.h"

#include <memory>

namespace testrun {

// What the main window does for a test run: its buttons, panels, chart, table and data file.
class TestRunView {
public:
    virtual ~TestRunView() = default;

    virtual void setStartEnabled(bool enabled) = 0;
    virtual void setAbortEnabled(bool enabled) = 0;
    virtual void clearLog() = 0;
    // Closes the chart-settings view if it is open, applying its settings.
    virtual void closeGraphSettings() = 0;
    virtual void setConfigurationEnabled(bool enabled) = 0;
    virtual void prepareChart(const Expectation& expectation) = 0;
    // Empties the table and the reading collection for a new test.
    virtual void resetReadings() = 0;
    // Shows the reading (labels, table row, chart point) and keeps it in the collection.
    virtual void fileReading(std::unique_ptr<HP4140DataType> reading) = 0;
    // Writes the data file; false when the readings could not be written anywhere.
    virtual bool saveData() = 0;
    // The run started, took a reading or ended.
    virtual void testProgressed() {}
};

} // namespace testrun
