#pragma once

#include "chart_points.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace chart {

struct DrawnPoint {
    double key;
    double value;
    double scaledValue; // the value in axis units: its decimal logarithm on a logarithmic axis
    std::int32_t number;
    std::uint32_t label;
};

struct ValueRange {
    double min;
    double max;
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

    Update update(ChartPoints& points, bool logY, bool rebuildAll);

    const std::vector<DrawnPoint>& points() const { return points_; }
    // True while every key is at least the one before it (the time axis always is).
    bool keysRise() const { return keysRise_; }
    std::optional<ValueRange> keyRange() const;
    std::optional<ValueRange> valueRange() const;
    // The positions in points() of those taken at the current limit, in reading order.
    const std::vector<std::size_t>& atLimit() const { return atLimit_; }
    // Whether a drawn point carries the label of this number.
    bool usesLabel(std::uint32_t label) const {
        return label < labelsUsed_.size() && labelsUsed_[label];
    }

private:
    void rebuild(const ChartPoints& points, bool logY);
    void append(const ChartPoints& points, std::int32_t firstIndex, std::int32_t lastIndex,
                bool logY);

    std::vector<DrawnPoint> points_;
    std::vector<std::size_t> atLimit_;
    std::vector<bool> labelsUsed_; // by label number
    // Points after the last drawn one are not represented, so writes to them are appends.
    std::int32_t covered_ = 0;
    bool keysRise_ = true;
    ValueRange keys_{0.0, 0.0};
    ValueRange values_{0.0, 0.0};
};

} // namespace chart
