#include "panel_fields.h"

#include "platform/app_error.h"
#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <cmath>

namespace series {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "optionRamp(2)" as the group "optionRamp" and the index 2.
std::optional<std::pair<std::string_view, int>> arrayMember(std::string_view key) {
    const std::size_t open = key.find('(');
    if (open == std::string_view::npos || !key.ends_with(')'))
        return std::nullopt;
    const auto index = numtext::parseNumber(key.substr(open + 1, key.size() - open - 2));
    if (!index || *index < 0 || std::trunc(*index) != *index || *index > 1000)
        return std::nullopt;
    return std::pair{key.substr(0, open), static_cast<int>(*index)};
}

std::string numberLabel(const SteppableField& field, std::string_view value) {
    std::string label = field.name + " = " + std::string(value);
    if (!field.unit.empty())
        label += " " + field.unit;
    return label;
}

} // namespace

bool sameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lower(x) == lower(y); });
}

PanelFields::PanelFields(std::vector<std::string> keys, std::vector<SteppableField> steppable)
    : keys_(std::move(keys)), steppable_(std::move(steppable)) {}

std::optional<std::string> PanelFields::key(std::string_view key) const {
    const auto found = std::find_if(keys_.begin(), keys_.end(),
                                    [&](const std::string& k) { return sameKey(k, key); });
    if (found == keys_.end())
        return std::nullopt;
    return *found;
}

const SteppableField* PanelFields::steppable(std::string_view key) const {
    const auto found = std::find_if(steppable_.begin(), steppable_.end(),
                                    [&](const SteppableField& f) { return sameKey(f.key, key); });
    return found == steppable_.end() ? nullptr : &*found;
}

FieldChange PanelFields::changeFor(const SteppableField& field, std::string_view value) const {
    const auto number = numtext::parseNumber(value);
    if (!field.isOptionGroup()) {
        if (!number || !std::isfinite(*number))
            throw platform::AppError(
                platform::errnum::InvalidArgument,
                field.key + " takes a number, not \"" + std::string(value) + "\"", "PanelFields");
        return {field.key, std::string(value)};
    }
    const double last = static_cast<double>(field.choices.size()) - 1.0;
    if (!number || *number < 0.0 || *number > last || std::trunc(*number) != *number)
        throw platform::AppError(platform::errnum::InvalidArgument,
                                 field.key + " takes the index of one of its buttons, 0 to " +
                                     std::to_string(field.choices.size() - 1) + ", not \"" +
                                     std::string(value) + "\"",
                                 "PanelFields");
    return {field.key + "(" + std::to_string(static_cast<int>(*number)) + ")", "1"};
}

std::string PanelFields::changeLabel(const FieldChange& change) const {
    if (const SteppableField* field = steppable(change.key); field && !field->isOptionGroup())
        return numberLabel(*field, change.value);
    if (const auto member = arrayMember(change.key)) {
        const SteppableField* group = steppable(member->first);
        const auto index = static_cast<std::size_t>(member->second);
        if (group && group->isOptionGroup() && index < group->choices.size() &&
            numtext::parseNumber(change.value).value_or(0.0) != 0.0)
            return group->name + " = " + group->choices[index];
    }
    return change.key + " = " + change.value;
}

} // namespace series
