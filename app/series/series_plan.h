#pragma once

#include "app/session/session.h"
#include "panel_fields.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace series {

// One test of a series: the set-up it starts from with some fields changed, on a device.
struct SeriesStep {
    // A configuration file or a run record, relative to the series file's folder; empty for
    // the panel as the series starts.
    std::string setup;
    std::vector<FieldChange> changes;
    std::string device;
    std::string label; // what the legend calls the step's curve: "VB = 2 V"
    std::string value; // the stepped value as typed, for the data path's {value}

    bool operator==(const SeriesStep&) const = default;
};

// Steps made by stepping one field over values, for each device of a list (or once).
struct SteppedField {
    struct Range {
        std::string from;
        std::string to;
        std::string by;

        bool operator==(const Range&) const = default;
    };

    std::string field; // a SteppableField's key: "txtConfig(6)", "optionRamp"
    // The values as typed, or the range they are counted from.
    std::vector<std::string> values;
    std::optional<Range> range;
    std::vector<std::string> devices;
    std::string setup;
    std::vector<FieldChange> changes; // made in every step, before the stepped value

    bool operator==(const SteppedField&) const = default;
};

enum class OnRefusal { Continue, Stop };

// A series as it is planned: where its data files go, who and what is measured, whether it
// pauses between steps, what a step refused at Start does, and its steps.
struct SeriesPlan {
    // The data path of every step, placeholders and all; a relative one is in the program
    // folder's data/, an empty one is "<series name>-{step}.txt" there.
    std::string dataTemplate;
    std::string sample;
    std::string operatorName;
    std::string comment;
    bool pause = false;
    OnRefusal onRefusal = OnRefusal::Continue;
    std::vector<SeriesStep> steps;
    // The rule the steps were made by, when they were; a file keeps the rule instead of the
    // steps as long as it still makes them.
    std::optional<SteppedField> stepped;

    bool operator==(const SeriesPlan&) const = default;
};

// A series of more steps is surely a typing slip (a step of 0.001 V instead of 1 V).
inline constexpr std::size_t kMostSteps = 1000;

// The sample a step measures: the series' sample, operator and comment, the step's device.
app::SampleIdentity sampleFor(const SeriesPlan& plan, const SeriesStep& step);

// The values of a stepped field as typed: the list, or from, from + by ... up to to, as many as
// the run estimate counts (0 to 0.3 by 0.1 gives 0, 0.1, 0.2, 0.3), laid out with no more
// decimals than from and by were typed with. The direction is from's to to's; by's sign does
// not matter. Raises an AppError for a range whose ends or step are no numbers, a step of 0,
// no values, or more than kMostSteps of them.
std::vector<std::string> steppedValues(const SteppedField& stepped);

// The steps the rule makes, for each device the values in turn: the rule's set-up and changes,
// then the stepped value, labelled as the legend shows it ("VB = 2 V"). Raises an AppError for
// a field that cannot be stepped, a value it cannot take, or too many steps.
std::vector<SeriesStep> generateSteps(const SteppedField& stepped, const PanelFields& fields);

// The keys the steps do not all give the same value (a step that leaves a key alone differs
// from one that changes it), in the order they first come; every key a lone step changes.
std::vector<std::string> steppedKeys(const std::vector<SeriesStep>& steps);

// A label for a step typed without one: its changes of the stepped keys as the legend names
// them, joined by ", " ("VB = 2 V, VA = 1 V"); and its value: that of the first of them.
std::string labelOf(const SeriesStep& step, const std::vector<std::string>& stepped,
                    const PanelFields& fields);
std::string valueOf(const SeriesStep& step, const std::vector<std::string>& stepped);

} // namespace series
