#include "viewed_run.h"

namespace chart {

DrawnPoints::Update ViewedRun::update(ChartPoints& records, std::optional<analysis::View> derived,
                                      AxisScales scales, bool rebuild) {
    DrawnPoints::Update update{false, drawn_.points().size()};
    if (derived) {
        if (records.takeChanges().empty() && !rebuild)
            return update;
        readings_ = runReadings(records);
        update = drawn_.replace(viewOfRun(readings_, records, *derived), scales);
    } else {
        update = drawn_.update(records, scales, rebuild);
        if (!update.rebuilt && update.firstNew == drawn_.points().size())
            return update;
        readings_ = runReadings(records);
    }
    const std::optional<std::int32_t> back = chart::returnStart(readings_);
    returnStart_ = back ? std::optional(drawn_.firstFrom(*back)) : std::nullopt;
    return update;
}

} // namespace chart
