#include "adjusted_value.h"

#include "quenta/numtext/numtext.h"

namespace app {

namespace {

std::string note(std::string_view caption, std::string_view stored, const std::string& why,
                 std::string_view used) {
    return std::string(caption) + ": '" + std::string(stored) + "' " + why + "; " +
           std::string(used) + " used";
}

} // namespace

std::optional<std::string> adjustedValueNote(std::string_view caption, std::string_view stored,
                                             std::string_view used, const FieldLimits& limits) {
    const std::optional<double> value = numtext::parseNumber(stored);
    if (!value)
        return note(caption, stored, "is not a number", used);
    if (limits.max && *value > *limits.max)
        return note(caption, stored, "is more than " + numtext::formatGeneral(*limits.max), used);
    if (limits.min && *value < *limits.min)
        return note(caption, stored, "is less than " + numtext::formatGeneral(*limits.min), used);
    return std::nullopt;
}

} // namespace app
