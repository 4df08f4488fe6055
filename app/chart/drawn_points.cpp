#include "drawn_points.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

bool drawable(double x, double y, AxisScales scales) {
    return std::isfinite(x) && std::isfinite(y) && (!scales.logX || x > 0.0) &&
           (!scales.logY || y > 0.0);
}

void widen(ValueRange& range, double value, bool first) {
    range.min = first ? value : std::min(range.min, value);
    range.max = first ? value : std::max(range.max, value);
}

} // namespace

DrawnPoints::Update DrawnPoints::update(ChartPoints& points, AxisScales scales, bool rebuildAll) {
    const ChartPoints::Changes changes = points.takeChanges();
    if (rebuildAll || (!changes.empty() && changes.first < covered_)) {
        rebuild(points, scales);
        return {true, 0};
    }
    const std::size_t before = points_.size();
    if (!changes.empty())
        append(points, changes.first, std::min(changes.last, points.count() - 1), scales);
    return {false, before};
}

DrawnPoints::Update DrawnPoints::replace(std::span<const SourcePoint> points, AxisScales scales) {
    clear();
    for (const SourcePoint& point : points)
        if (drawable(point.x, point.y, scales))
            add(point, scales);
    covered_ = 0;
    return {true, 0};
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

// The points keep reading order, so their numbers rise.
std::size_t DrawnPoints::firstFrom(std::int32_t number) const {
    const auto found = std::ranges::lower_bound(points_, number, {}, &DrawnPoint::number);
    return static_cast<std::size_t>(found - points_.begin());
}

void DrawnPoints::clear() {
    points_.clear();
    atLimit_.clear();
    labelsUsed_.clear();
    covered_ = 0;
}

void DrawnPoints::rebuild(const ChartPoints& points, AxisScales scales) {
    clear();
    append(points, 0, points.count() - 1, scales);
}

void DrawnPoints::append(const ChartPoints& points, std::int32_t firstIndex, std::int32_t lastIndex,
                         AxisScales scales) {
    for (std::int32_t index = firstIndex; index <= lastIndex; ++index) {
        const ChartPointRecord& point = points.atIndex(static_cast<std::size_t>(index));
        if (point.mark != kMarkFilled || !drawable(point.x, point.y, scales))
            continue;
        add({point.x, point.y, index + 1, point.label, point.atLimit}, scales);
        covered_ = index + 1;
    }
}

void DrawnPoints::add(const SourcePoint& point, AxisScales scales) {
    const bool first = points_.empty();
    widen(keys_, point.x, first);
    widen(values_, point.y, first);
    if (point.atLimit)
        atLimit_.push_back(points_.size());
    if (point.label >= labelsUsed_.size())
        labelsUsed_.resize(point.label + 1);
    labelsUsed_[point.label] = true;
    points_.push_back({point.x, point.y, scales.logX ? std::log10(point.x) : point.x,
                       scales.logY ? std::log10(point.y) : point.y, point.number, point.label});
}

} // namespace chart
