#include "series_plan.h"

#include "platform/app_error.h"
#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace series {

namespace {

// Steps counted from decimal texts must not lose one to rounding (0.3 / 0.1 = 2.9999...).
constexpr double kSlack = 1e-6;
constexpr int kMostDecimals = 15;

[[noreturn]] void refuse(const std::string& why) {
    throw platform::AppError(platform::errnum::InvalidArgument, why, "SteppedField");
}

double number(const std::string& text, const char* what) {
    const auto value = numtext::parseNumber(text);
    if (!value || !std::isfinite(*value))
        refuse(std::string(what) + " must be a number, not \"" + text + "\"");
    return *value;
}

// The decimals a number was typed with: "0.25" has 2, "5E-3" 3, "1.5E+2" none.
int decimalsOf(std::string_view text) {
    const std::size_t exponentAt = text.find_first_of("eE");
    int exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::string_view digits = text.substr(exponentAt + 1);
        if (digits.starts_with('+'))
            digits.remove_prefix(1);
        std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    }
    const std::string_view mantissa = text.substr(0, exponentAt);
    const std::size_t point = mantissa.find('.');
    const auto fraction = static_cast<int>(std::count_if(
        mantissa.begin() +
            static_cast<std::ptrdiff_t>(point == std::string_view::npos ? mantissa.size() : point),
        mantissa.end(), [](char c) { return c >= '0' && c <= '9'; }));
    return std::clamp(fraction - exponent, 0, kMostDecimals);
}

void checkCount(double count) {
    if (count > static_cast<double>(kMostSteps))
        refuse("that makes " + numtext::formatGeneral(count) + " steps; a series takes at most " +
               std::to_string(kMostSteps));
}

std::vector<std::string> rangeValues(const SteppedField::Range& range) {
    const double from = number(range.from, "from");
    const double to = number(range.to, "to");
    const double by = std::fabs(number(range.by, "by"));
    if (by == 0.0)
        refuse("by must not be 0");
    const double count = std::floor(std::fabs(to - from) / by + kSlack) + 1.0;
    checkCount(count);
    const double scale = std::pow(10.0, std::max(decimalsOf(range.from), decimalsOf(range.by)));
    const double direction = to < from ? -1.0 : 1.0;
    std::vector<std::string> values;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        double value = from + direction * i * by;
        if (const double scaled = value * scale; std::isfinite(scaled))
            value = std::round(scaled) / scale;
        values.push_back(numtext::formatGeneral(value + 0.0)); // never "-0"
    }
    return values;
}

bool isIn(const std::vector<std::string>& keys, std::string_view key) {
    return std::any_of(keys.begin(), keys.end(),
                       [&](const std::string& k) { return sameKey(k, key); });
}

std::optional<std::string> valueIn(const SeriesStep& step, std::string_view key) {
    for (const FieldChange& change : step.changes)
        if (sameKey(change.key, key))
            return change.value;
    return std::nullopt;
}

} // namespace

app::SampleIdentity sampleFor(const SeriesPlan& plan, const SeriesStep& step) {
    return {plan.sample, step.device, plan.operatorName, plan.comment};
}

std::vector<std::string> steppedValues(const SteppedField& stepped) {
    if (stepped.range)
        return rangeValues(*stepped.range);
    if (stepped.values.empty())
        refuse("no values are given");
    checkCount(static_cast<double>(stepped.values.size()));
    return stepped.values;
}

std::vector<SeriesStep> generateSteps(const SteppedField& stepped, const PanelFields& fields) {
    const SteppableField* field = fields.steppable(stepped.field);
    if (!field)
        refuse("the panel has no field or option group " + stepped.field + " to step");
    const std::vector<std::string> values = steppedValues(stepped);
    const std::vector<std::string> devices =
        stepped.devices.empty() ? std::vector<std::string>{""} : stepped.devices;
    checkCount(static_cast<double>(values.size()) * static_cast<double>(devices.size()));
    std::vector<SeriesStep> steps;
    for (const std::string& device : devices)
        for (const std::string& value : values) {
            const FieldChange change = fields.changeFor(*field, value);
            SeriesStep step{stepped.setup, {}, device, fields.changeLabel(change), value};
            for (const FieldChange& fixed : stepped.changes)
                if (!sameKey(fixed.key, change.key))
                    step.changes.push_back(fixed);
            step.changes.push_back(change);
            steps.push_back(std::move(step));
        }
    return steps;
}

std::vector<std::string> steppedKeys(const std::vector<SeriesStep>& steps) {
    std::vector<std::string> keys;
    for (const SeriesStep& step : steps)
        for (const FieldChange& change : step.changes)
            if (!isIn(keys, change.key))
                keys.push_back(change.key);
    if (steps.size() == 1)
        return keys;
    std::erase_if(keys, [&](const std::string& key) {
        const std::optional<std::string> first = valueIn(steps.front(), key);
        return std::all_of(steps.begin(), steps.end(),
                           [&](const SeriesStep& step) { return valueIn(step, key) == first; });
    });
    return keys;
}

std::string labelOf(const SeriesStep& step, const std::vector<std::string>& stepped,
                    const PanelFields& fields) {
    std::string label;
    for (const FieldChange& change : step.changes)
        if (isIn(stepped, change.key))
            label += (label.empty() ? "" : ", ") + fields.changeLabel(change);
    return label;
}

std::string valueOf(const SeriesStep& step, const std::vector<std::string>& stepped) {
    for (const FieldChange& change : step.changes)
        if (isIn(stepped, change.key))
            return change.value;
    return {};
}

} // namespace series
