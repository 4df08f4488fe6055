#include "drawn_points.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

bool isDrawn(const ChartPointRecord& point, bool logY) {
    return point.mark == kMarkFilled && std::isfinite(point.x) && std::isfinite(point.y) &&
           (!logY || point.y > 0.0f);
}

void widen(ValueRange& range, double value, bool first) {
    range.min = first ? value : std::min(range.min, value);
    range.max = first ? value : std::max(range.max, value);
}

} // namespace

DrawnPoints::Update DrawnPoints::update(ChartPoints& points, bool logY, bool rebuildAll) {
    const ChartPoints::Changes changes = points.takeChanges();
    if (rebuildAll || (!changes.empty() && changes.first < covered_)) {
        rebuild(points, logY);
        return {true, 0};
    }
    const std::size_t before = points_.size();
    if (!changes.empty())
        append(points, changes.first, std::min(changes.last, points.count() - 1), logY);
    return {false, before};
}

std::optional<ValueRange> DrawnPoints::keyRange() const {
    if (points_.empty())
        return std::nullopt;
    return keys_;
}

std::optional<ValueRange> DrawnPoints::valueRange() const {
    if (points_.empty())
        return std::nullopt;
    return values_;
}

void DrawnPoints::rebuild(const ChartPoints& points, bool logY) {
    points_.clear();
    atLimit_.clear();
    labelsUsed_.clear();
    covered_ = 0;
    keysRise_ = true;
    append(points, 0, points.count() - 1, logY);
}

void DrawnPoints::append(const ChartPoints& points, std::int32_t firstIndex, std::int32_t lastIndex,
                         bool logY) {
    for (std::int32_t index = firstIndex; index <= lastIndex; ++index) {
        const ChartPointRecord& point = points.atIndex(static_cast<std::size_t>(index));
        if (!isDrawn(point, logY))
            continue;
        const bool first = points_.empty();
        if (!first && point.x < points_.back().key)
            keysRise_ = false;
        widen(keys_, point.x, first);
        widen(values_, point.y, first);
        const double value = point.y;
        if (point.atLimit)
            atLimit_.push_back(points_.size());
        if (point.label >= labelsUsed_.size())
            labelsUsed_.resize(point.label + 1);
        labelsUsed_[point.label] = true;
        points_.push_back(
            {point.x, value, logY ? std::log10(value) : value, index + 1, point.label});
        covered_ = index + 1;
    }
}

} // namespace chart
