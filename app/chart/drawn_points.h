#pragma once

#include "chart_points.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace chart {

struct DrawnPoint {
    double key;
    double value;
    double scaledKey;   // the key in axis units: its decimal logarithm on a logarithmic axis
    double scaledValue; // the same for the value
    std::int32_t number;
    std::uint32_t label;
};

struct ValueRange {
    double min;
    double max;
};

// Which axes are logarithmic.
struct AxisScales {
    bool logX = false;
    bool logY = false;
};

// A point of a view of the readings, drawn as it is: its number is the chart point it comes from.
struct SourcePoint {
    double x;
    double y;
    std::int32_t number;
    std::uint32_t label;
    bool atLimit;
};

// The points the chart draws, in reading order: the filled ones, on a logarithmic axis only
// those above zero. Kept up to date from the changes of the points, so a new reading at the end
// costs the same however many are already drawn.
class DrawnPoints {
public:
    // What the last update did: rebuilt everything, or appended from firstNew on.
    struct Update {
        bool rebuilt;
        std::size_t firstNew;
    };

    Update update(ChartPoints& points, AxisScales scales, bool rebuildAll);
    // The points of a view in place of those drawn so far.
    Update replace(std::span<const SourcePoint> points, AxisScales scales);

    const std::vector<DrawnPoint>& points() const { return points_; }
    std::optional<ValueRange> keyRange() const;
    std::optional<ValueRange> valueRange() const;
    // The positions in points() of those taken at the current limit, in reading order.
    const std::vector<std::size_t>& atLimit() const { return atLimit_; }
    // Whether a drawn point carries the label of this number.
    bool usesLabel(std::uint32_t label) const {
        return label < labelsUsed_.size() && labelsUsed_[label];
    }
    // The position in points() of the first point numbered from `number` on; the count of points
    // when there is none.
    std::size_t firstFrom(std::int32_t number) const;

private:
    void clear();
    void rebuild(const ChartPoints& points, AxisScales scales);
    void append(const ChartPoints& points, std::int32_t firstIndex, std::int32_t lastIndex,
                AxisScales scales);
    void add(const SourcePoint& point, AxisScales scales);

    std::vector<DrawnPoint> points_;
    std::vector<std::size_t> atLimit_;
    std::vector<bool> labelsUsed_; // by label number
    // Points after the last drawn one are not represented, so writes to them are appends.
    std::int32_t covered_ = 0;
    ValueRange keys_{0.0, 0.0};
    ValueRange values_{0.0, 0.0};
};

} // namespace chart
