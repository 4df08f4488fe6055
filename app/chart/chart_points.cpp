#include "chart_points.h"

#include <algorithm>

namespace chart {

void ChartPoints::setCount(std::int32_t count) {
    const std::int32_t clamped = std::clamp(count, 0, kMaxCount);
    // Dropping points changes what is drawn; growing adds unfilled points, which draw nothing.
    if (clamped < this->count())
        noteChange(clamped);
    points_.resize(static_cast<std::size_t>(clamped));
}

const ChartPointRecord& ChartPoints::at(std::int32_t p) const {
    static const ChartPointRecord newPoint;
    if (p < 1 || p > count())
        return newPoint;
    return points_[static_cast<std::size_t>(p - 1)];
}

ChartPoints::Changes ChartPoints::takeChanges() {
    const Changes changes{changedFirst_, changedLast_};
    changedFirst_ = std::numeric_limits<std::int32_t>::max();
    changedLast_ = -1;
    return changes;
}

void ChartPoints::noteChange(std::int32_t index) {
    changedFirst_ = std::min(changedFirst_, index);
    changedLast_ = std::max(changedLast_, index);
}

} // namespace chart
