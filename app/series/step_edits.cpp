#include "step_edits.h"

#include "platform/app_error.h"

#include <utility>

namespace series {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

[[noreturn]] void refuse(const std::string& why) {
    throw platform::AppError(platform::errnum::InvalidArgument, why, "SeriesStep");
}

} // namespace

std::string changesText(const std::vector<FieldChange>& changes) {
    std::string text;
    for (const FieldChange& change : changes)
        text += (text.empty() ? "" : "; ") + change.key + "=" + change.value;
    return text;
}

std::vector<FieldChange> parseChanges(std::string_view text, const PanelFields& fields) {
    std::vector<FieldChange> changes;
    while (!trimmed(text).empty()) {
        const std::size_t end = text.find(';');
        const std::string_view part = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (part.empty())
            continue;
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos)
            refuse("\"" + std::string(part) + "\" is no change: write it as key=value");
        const auto key = fields.key(trimmed(part.substr(0, equals)));
        if (!key)
            refuse("the panel has no field " + std::string(trimmed(part.substr(0, equals))));
        changes.push_back({*key, std::string(trimmed(part.substr(equals + 1)))});
    }
    return changes;
}

std::vector<std::string> splitList(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const std::size_t end = text.find(',');
        if (const std::string_view item = trimmed(text.substr(0, end)); !item.empty())
            items.emplace_back(item);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return items;
}

std::string joinList(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

std::string valuesText(const SteppedField& stepped) {
    if (stepped.range)
        return stepped.range->from + " to " + stepped.range->to + " by " + stepped.range->by;
    return joinList(stepped.values);
}

void setValuesFromText(SteppedField& stepped, std::string_view text) {
    const std::size_t to = text.find(" to ");
    const std::size_t by = text.find(" by ", to == std::string_view::npos ? 0 : to);
    if (to != std::string_view::npos && by != std::string_view::npos) {
        stepped.values.clear();
        stepped.range = SteppedField::Range{std::string(trimmed(text.substr(0, to))),
                                            std::string(trimmed(text.substr(to + 4, by - to - 4))),
                                            std::string(trimmed(text.substr(by + 4)))};
        return;
    }
    stepped.range.reset();
    stepped.values = splitList(text);
}

std::size_t addStep(SeriesPlan& plan) {
    plan.stepped.reset();
    plan.steps.push_back(plan.steps.empty() ? SeriesStep{} : plan.steps.back());
    return plan.steps.size() - 1;
}

std::size_t duplicateStep(SeriesPlan& plan, std::size_t step) {
    plan.stepped.reset();
    const SeriesStep copy = plan.steps.at(step);
    plan.steps.insert(plan.steps.begin() + static_cast<std::ptrdiff_t>(step) + 1, copy);
    return step + 1;
}

void removeStep(SeriesPlan& plan, std::size_t step) {
    if (step >= plan.steps.size())
        return;
    plan.stepped.reset();
    plan.steps.erase(plan.steps.begin() + static_cast<std::ptrdiff_t>(step));
}

std::size_t moveStep(SeriesPlan& plan, std::size_t step, bool up) {
    if (step >= plan.steps.size() || (up && step == 0) || (!up && step + 1 == plan.steps.size()))
        return step;
    plan.stepped.reset();
    const std::size_t other = up ? step - 1 : step + 1;
    std::swap(plan.steps[step], plan.steps[other]);
    return other;
}

} // namespace series
