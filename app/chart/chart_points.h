#pragma once

#include "chart_values.h"
#include "label_texts.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace chart {

struct ChartPointRecord {
    float x = 0.0f;
    float y = 0.0f;
    float voltage = 0.0f;
    float time = 0.0f;
    std::uint32_t label = 0; // the number of its text in the point set's label texts
    std::int16_t mark = kMarkNotFilled;
    bool atLimit = false; // taken at the current limit
};

// The chart's points, numbered from 1, and the stretch of them changed since the drawing last
// looked. Writing to a point beyond the count grows the set, so a test that takes more readings
// than the chart was prepared for loses none; the new points in between stay unfilled.
class ChartPoints {
public:
    // Far above any test's readings, yet a wild point number cannot exhaust the memory.
    static constexpr std::int32_t kMaxCount = 10'000'000;

    // The indices (point number - 1) written since the last look; empty when none.
    struct Changes {
        std::int32_t first;
        std::int32_t last;
        bool empty() const { return last < first; }
    };

    std::int32_t count() const { return static_cast<std::int32_t>(points_.size()); }
    // Clamped to 0..kMaxCount; new points are unfilled.
    void setCount(std::int32_t count);

    // Point p; outside 1..count, the values of a new point.
    const ChartPointRecord& at(std::int32_t p) const;
    const ChartPointRecord& atIndex(std::size_t index) const { return points_[index]; }

    // Writes one value of point p; a number outside 1..kMaxCount is ignored.
    template <typename T>
    void set(std::int32_t p, T ChartPointRecord::*field, std::type_identity_t<T> value);
    void setLabel(std::int32_t p, std::string_view text) {
        set(p, &ChartPointRecord::label, labels_.idOf(text));
    }
    const std::string& label(std::int32_t p) const { return labels_.text(at(p).label); }
    const LabelTexts& labelTexts() const { return labels_; }

    // The changes since the last look, which this look does not end.
    Changes changes() const { return {changedFirst_, changedLast_}; }
    Changes takeChanges();

private:
    void noteChange(std::int32_t index);

    std::vector<ChartPointRecord> points_;
    LabelTexts labels_;
    std::int32_t changedFirst_ = std::numeric_limits<std::int32_t>::max();
    std::int32_t changedLast_ = -1;
};

template <typename T>
void ChartPoints::set(std::int32_t p, T ChartPointRecord::*field, std::type_identity_t<T> value) {
    if (p < 1 || p > kMaxCount)
        return;
    if (p > count())
        setCount(p);
    T& current = points_[static_cast<std::size_t>(p - 1)].*field;
    if (current == value)
        return;
    current = std::move(value);
    noteChange(p - 1);
}

} // namespace chart
