#include "chart_point.h"

#include <cmath>

namespace chart {

float xValueFor(const ChartReading& reading, bool xAxisIsTime) {
    return xAxisIsTime ? reading.time : reading.voltage;
}

ChartPoint chartPointFor(const ChartReading& reading, bool xAxisIsTime) {
    return {xValueFor(reading, xAxisIsTime),
            std::fabs(reading.measurement),
            reading.voltage,
            reading.time,
            reading.measurement < 0.0f ? kNegativeLabel : kPositiveLabel,
            reading.atLimit};
}

} // namespace chart
