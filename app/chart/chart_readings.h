#pragma once

// The readings as the chart plots them.

#include "app/datafile/data_collection.h"
#include "app/datafile/reference_runs.h"
#include "chart_point.h"
#include "chart_routines.h"
#include "hp4140/hp4140_data.h"

#include <cstdint>
#include <string_view>

namespace chart {

class LiveChart;

// The reading as chart point number p.
chart::ChartReading chartReadingOf(const HP4140DataType& reading, std::int32_t p);

// Graph_ReAddData's replot after the horizontal axis changed: reading k of the collection moves
// to its time or its voltage as point k, without asking the instrument. The vertical values,
// the labels and the reading order stay.
void reAddReadings(chart::LiveChart& chart, const datafile::DataCollection& readings,
                   bool xAxisIsTime);

// optionXAxis_Click's work once the window holds the new axis in settings.xAxisIsTime: the
// chart settings are applied afresh, the readings re-added on the new axis, and a redraw asked.
void switchXAxis(chart::LiveChart& chart, const chart::GraphSettings& settings,
                 const datafile::DataCollection& readings);

// The reference runs drawn beneath the readings, against time or voltage as the readings are; a
// redraw is asked. Runs in other units than the chart's are not drawn, and the legend says why.
void showReferences(chart::LiveChart& chart, const datafile::ReferenceRuns& references,
                    bool xAxisIsTime, std::string_view chartUnits);

} // namespace chart
