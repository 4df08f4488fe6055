#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace series {

// One change to a set-up: a key and a value as configuration files keep them ("txtConfig(6)" =
// "2", "optionRamp(2)" = "1").
struct FieldChange {
    std::string key;
    std::string value;

    bool operator==(const FieldChange&) const = default;
};

// A field of the panel that a series can step, as the legend names it: a numeric field
// ("txtConfig(6)", named "VB", in "V"), or an option group ("optionRamp", named "Voltage
// Ramp"), whose values are the indices of its buttons.
struct SteppableField {
    std::string key;
    std::string name;
    std::string unit;                 // empty for a plain number or an option group
    std::vector<std::string> choices; // an option group's buttons by index; empty for a field

    bool isOptionGroup() const { return !choices.empty(); }
};

// What the panel has, as the window describes it: every key a configuration file may hold,
// and the fields a series can step. Keys match without regard to case, as in the files.
class PanelFields {
public:
    PanelFields() = default;
    PanelFields(std::vector<std::string> keys, std::vector<SteppableField> steppable);

    // The key as the panel spells it ("txtConfig(6)" for "TXTCONFIG(6)"), or nullopt when the
    // panel has no such control.
    std::optional<std::string> key(std::string_view key) const;
    // The steppable field or option group of that key, or nullptr.
    const SteppableField* steppable(std::string_view key) const;
    const std::vector<SteppableField>& steppableFields() const { return steppable_; }

    // The change a stepped value makes: the field's value ("txtConfig(6)" = "2"), or for an
    // option group its button of that index selected ("optionRamp(2)" = "1"). Raises an
    // AppError when the value is no number (no index of one of the group's buttons).
    FieldChange changeFor(const SteppableField& field, std::string_view value) const;

    // How the legend names a change: "VB = 2 V", "Voltage Ramp = Stair up"; a control no
    // legend knows by its key ("chkYLog = 1").
    std::string changeLabel(const FieldChange& change) const;

private:
    std::vector<std::string> keys_;
    std::vector<SteppableField> steppable_;
};

// Whether two keys are the same key of a file (ASCII letters without regard to case).
bool sameKey(std::string_view a, std::string_view b);

} // namespace series
