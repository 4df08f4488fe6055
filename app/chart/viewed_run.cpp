#include "viewed_run.h"

namespace chart {

DrawnPoints::Update ViewedRun::update(ChartPoints& records, std::optional<analysis::View> derived,
                                      AxisScales scales, bool rebuild) {
    const ChartPoints::Changes changes = records.changes();
    if (rebuild || !changes.empty())
        turn_.scan(records, rebuild ? 0 : changes.first);
    DrawnPoints::Update update{false, drawn_.points().size()};
    if (!derived) {
        update = drawn_.update(records, scales, rebuild);
    } else if (const bool changed = !records.takeChanges().empty(); rebuild || changed) {
        readings_ = runReadings(records);
        update = drawn_.replace(viewOfRun(readings_, records, *derived), scales);
    }
    const std::optional<std::int32_t> back = turn_.returnStart();
    returnStart_ = back ? std::optional(drawn_.firstFrom(*back)) : std::nullopt;
    return update;
}

} // namespace chart
