#include "series_file.h"

#include "platform/app_error.h"
#include "settings/ini_document.h"
#include "settings/whole_file.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace fs = std::filesystem;

namespace series {

namespace {

namespace key {
constexpr const char* kSeries = "Series";
constexpr const char* kStepped = "Stepped";
constexpr std::string_view kStep = "Step";
constexpr const char* kTemplate = "template";
constexpr const char* kSample = "sample";
constexpr const char* kOperator = "operator";
constexpr const char* kComment = "comment";
constexpr const char* kPause = "pause";
constexpr const char* kOnRefusal = "on_refusal";
constexpr const char* kSetup = "setup";
constexpr const char* kDevice = "device";
constexpr const char* kLabel = "label";
constexpr const char* kValue = "value";
constexpr const char* kField = "field";
constexpr const char* kValues = "values";
constexpr const char* kFrom = "from";
constexpr const char* kTo = "to";
constexpr const char* kBy = "by";
constexpr const char* kDevices = "devices";
} // namespace key

constexpr std::string_view kExtension = ".series.ini";

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::vector<std::string> listOf(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        if (std::string item = trimmed(text.substr(0, comma)); !item.empty())
            items.push_back(std::move(item));
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    }
    return items;
}

// "Step 12" as 12; nullopt for any other name.
std::optional<std::size_t> stepNumber(std::string_view section) {
    if (section.size() <= key::kStep.size() ||
        !sameKey(section.substr(0, key::kStep.size()), key::kStep))
        return std::nullopt;
    const std::string digits = trimmed(section.substr(key::kStep.size()));
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        number == 0)
        return std::nullopt;
    return number;
}

// Reads one series file; every refusal names the file.
class SeriesReader {
public:
    SeriesReader(const fs::path& file, const PanelFields& fields, settings::IniDocument document)
        : file_(file), fields_(fields), document_(std::move(document)) {}

    SeriesPlan read() {
        const std::vector<std::string> steps = stepSections();
        SeriesPlan plan;
        readSeries(plan);
        if (steps.empty())
            readStepped(plan);
        else
            readSteps(plan, steps);
        return plan;
    }

private:
    [[noreturn]] void refuse(const std::string& why) const {
        throw platform::AppError(platform::errnum::InvalidFileFormat,
                                 "The series " + file_.string() + " cannot be used: " + why + ".",
                                 "ReadSeriesFile");
    }

    // The step sections in the order of their numbers; none when the file holds the rule.
    std::vector<std::string> stepSections() const {
        std::vector<std::string> seen;
        std::vector<std::pair<std::size_t, std::string>> steps;
        bool stepped = false;
        for (const std::string& name : document_.sections()) {
            const auto number = stepNumber(name);
            const bool twice =
                std::any_of(seen.begin(), seen.end(),
                            [&](const std::string& s) { return sameKey(s, name); }) ||
                (number && std::any_of(steps.begin(), steps.end(),
                                       [&](const auto& step) { return step.first == *number; }));
            if (twice)
                refuse("[" + name + "] is given twice");
            seen.push_back(name);
            if (number)
                steps.emplace_back(*number, name);
            else if (sameKey(name, key::kStepped))
                stepped = true;
            else if (!sameKey(name, key::kSeries))
                refuse("[" + name + "] is none of its sections ([Series], [Step 1], [Step 2] ... " +
                       "or [Stepped])");
        }
        if (stepped && !steps.empty())
            refuse("it gives both [Stepped] and [" + steps.front().second +
                   "]; the steps are given one way or the other");
        if (!stepped && steps.empty())
            refuse("it has no steps ([Step 1], [Step 2] ... or [Stepped])");
        if (steps.size() > kMostSteps)
            refuse("it has " + std::to_string(steps.size()) + " steps; a series takes at most " +
                   std::to_string(kMostSteps));
        std::sort(steps.begin(), steps.end());
        std::vector<std::string> names;
        for (const auto& [number, name] : steps) {
            if (number != names.size() + 1)
                refuse("[Step " + std::to_string(names.size() + 1) +
                       "] is missing: the steps are numbered from 1 without a gap");
            names.push_back(name);
        }
        return names;
    }

    std::vector<std::pair<std::string, std::string>> entries(const std::string& section) const {
        if (const auto repeated = document_.repeatedKeys(section); !repeated.empty())
            refuse("[" + section + "] gives " + repeated.front() + " more than once");
        return document_.entries(section);
    }

    void readSeries(SeriesPlan& plan) const {
        for (const auto& [name, value] : entries(key::kSeries)) {
            if (sameKey(name, key::kTemplate))
                plan.dataTemplate = value;
            else if (sameKey(name, key::kSample))
                plan.sample = value;
            else if (sameKey(name, key::kOperator))
                plan.operatorName = value;
            else if (sameKey(name, key::kComment))
                plan.comment = value;
            else if (sameKey(name, key::kPause))
                plan.pause = pauseOf(value);
            else if (sameKey(name, key::kOnRefusal))
                plan.onRefusal = onRefusalOf(value);
            else
                refuse("[Series] has no key " + name +
                       " (it holds template, sample, operator, comment, pause and on_refusal)");
        }
    }

    bool pauseOf(const std::string& value) const {
        if (value != "0" && value != "1")
            refuse("pause in [Series] is 0 or 1, not \"" + value + "\"");
        return value == "1";
    }

    OnRefusal onRefusalOf(const std::string& value) const {
        if (sameKey(value, "continue"))
            return OnRefusal::Continue;
        if (sameKey(value, "stop"))
            return OnRefusal::Stop;
        refuse("on_refusal in [Series] is continue or stop, not \"" + value + "\"");
    }

    FieldChange changeOf(const std::string& section, const std::string& name,
                         const std::string& value) const {
        const std::optional<std::string> panelKey = fields_.key(name);
        if (!panelKey)
            refuse("[" + section + "] changes " + name + ", which the panel does not have");
        if (value.empty())
            refuse("[" + section + "] gives " + name + " no value");
        return {*panelKey, value};
    }

    void checkSetup(const std::string& section, const std::string& setup) const {
        if (setup.empty())
            return;
        const fs::path path = setupPath({setup, {}, {}, {}, {}}, file_);
        std::error_code error;
        if (!fs::is_regular_file(path, error))
            refuse("the set-up of [" + section + "], " + path.string() +
                   (fs::exists(path, error) ? ", is no file" : ", is missing"));
    }

    void readSteps(SeriesPlan& plan, const std::vector<std::string>& sections) const {
        // A step typed without a label or value gets one once every step is read.
        std::vector<std::pair<bool, bool>> given;
        for (const std::string& section : sections) {
            SeriesStep step;
            std::optional<std::string> label;
            std::optional<std::string> value;
            for (const auto& [name, text] : entries(section)) {
                if (sameKey(name, key::kSetup))
                    step.setup = text;
                else if (sameKey(name, key::kDevice))
                    step.device = text;
                else if (sameKey(name, key::kLabel))
                    label = text;
                else if (sameKey(name, key::kValue))
                    value = text;
                else
                    step.changes.push_back(changeOf(section, name, text));
            }
            checkSetup(section, step.setup);
            step.label = label.value_or("");
            step.value = value.value_or("");
            given.emplace_back(label.has_value(), value.has_value());
            plan.steps.push_back(std::move(step));
        }
        const std::vector<std::string> stepped = steppedKeys(plan.steps);
        for (std::size_t i = 0; i < plan.steps.size(); ++i) {
            SeriesStep& step = plan.steps[i];
            if (!given[i].first)
                step.label = labelOf(step, stepped, fields_);
            if (!given[i].second)
                step.value = valueOf(step, stepped);
        }
    }

    void readStepped(SeriesPlan& plan) const {
        SteppedField rule;
        std::optional<std::string> values;
        std::optional<std::string> from;
        std::optional<std::string> to;
        std::optional<std::string> by;
        for (const auto& [name, text] : entries(key::kStepped)) {
            if (sameKey(name, key::kField))
                rule.field = text;
            else if (sameKey(name, key::kValues))
                values = text;
            else if (sameKey(name, key::kFrom))
                from = text;
            else if (sameKey(name, key::kTo))
                to = text;
            else if (sameKey(name, key::kBy))
                by = text;
            else if (sameKey(name, key::kDevices))
                rule.devices = listOf(text);
            else if (sameKey(name, key::kSetup))
                rule.setup = text;
            else
                rule.changes.push_back(changeOf(key::kStepped, name, text));
        }
        if (rule.field.empty())
            refuse("[Stepped] names no field to step (field=)");
        const SteppableField* field = fields_.steppable(rule.field);
        if (!field)
            refuse("[Stepped] steps " + rule.field +
                   ", which is no field or option group of the panel");
        rule.field = field->key;
        const bool ranged = from || to || by;
        if (values.has_value() == ranged)
            refuse(
                "[Stepped] gives its values as values= or as from=, to= and by=, one of the two");
        if (ranged && !(from && to && by))
            refuse("[Stepped] needs from=, to= and by= together");
        if (ranged)
            rule.range = SteppedField::Range{*from, *to, *by};
        else
            rule.values = listOf(*values);
        checkSetup(key::kStepped, rule.setup);
        try {
            plan.steps = generateSteps(rule, fields_);
        } catch (const platform::AppError& error) {
            refuse("in [Stepped], " + error.description());
        }
        plan.stepped = std::move(rule);
    }

    const fs::path& file_;
    const PanelFields& fields_;
    settings::IniDocument document_;
};

// A value reading would change (blanks at its ends, a pair of quotes around it) is written in
// quotes, which reading takes off again.
std::string stored(const std::string& value) {
    const bool blankEnds = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                              value.back() == ' ' || value.back() == '\t');
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return blankEnds || quoted ? "\"" + value + "\"" : value;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

// A list item that reading would split or trim cannot be kept in a list.
bool listable(const std::vector<std::string>& items) {
    return std::all_of(items.begin(), items.end(), [](const std::string& item) {
        return !item.empty() && item == trimmed(item) && item.find(',') == std::string::npos;
    });
}

bool keepsRule(const SeriesPlan& plan, const PanelFields& fields) {
    if (!plan.stepped || !listable(plan.stepped->values) || !listable(plan.stepped->devices))
        return false;
    try {
        return generateSteps(*plan.stepped, fields) == plan.steps;
    } catch (const platform::AppError&) {
        return false;
    }
}

class SeriesWriter {
public:
    std::string write(const SeriesPlan& plan, const PanelFields& fields) {
        set(key::kSeries, key::kTemplate, plan.dataTemplate);
        set(key::kSeries, key::kSample, plan.sample);
        set(key::kSeries, key::kOperator, plan.operatorName);
        set(key::kSeries, key::kComment, plan.comment);
        set(key::kSeries, key::kPause, plan.pause ? "1" : "0");
        set(key::kSeries, key::kOnRefusal, plan.onRefusal == OnRefusal::Stop ? "stop" : "continue");
        if (keepsRule(plan, fields))
            writeRule(*plan.stepped);
        else
            for (std::size_t i = 0; i < plan.steps.size(); ++i)
                writeStep("Step " + std::to_string(i + 1), plan.steps[i]);
        return document_.text();
    }

private:
    void set(const std::string& section, const std::string& name, const std::string& value) {
        document_.setValue(section, name, stored(value));
    }
    void setGiven(const std::string& section, const std::string& name, const std::string& value) {
        if (!value.empty())
            set(section, name, value);
    }

    void writeRule(const SteppedField& rule) {
        const std::string section = key::kStepped;
        set(section, key::kField, rule.field);
        if (rule.range) {
            set(section, key::kFrom, rule.range->from);
            set(section, key::kTo, rule.range->to);
            set(section, key::kBy, rule.range->by);
        } else {
            set(section, key::kValues, joined(rule.values));
        }
        setGiven(section, key::kDevices, joined(rule.devices));
        setGiven(section, key::kSetup, rule.setup);
        for (const FieldChange& change : rule.changes)
            set(section, change.key, change.value);
    }

    void writeStep(const std::string& section, const SeriesStep& step) {
        setGiven(section, key::kSetup, step.setup);
        setGiven(section, key::kDevice, step.device);
        set(section, key::kLabel, step.label);
        set(section, key::kValue, step.value);
        for (const FieldChange& change : step.changes)
            set(section, change.key, change.value);
    }

    settings::IniDocument document_;
};

} // namespace

SeriesPlan readSeriesFile(const fs::path& file, const PanelFields& fields) {
    std::optional<std::string> text;
    try {
        text = settings::readWholeFile(file, kMostSeriesFileBytes);
    } catch (const platform::AppError& error) {
        throw platform::AppError(error.number(),
                                 "The series " + file.string() +
                                     " cannot be read: " + error.description() + ".",
                                 "ReadSeriesFile");
    }
    if (!text)
        throw platform::AppError(platform::errnum::FileNotFound,
                                 "The series " + file.string() +
                                     " cannot be read: there is no such file.",
                                 "ReadSeriesFile");
    return SeriesReader(file, fields, settings::IniDocument(*text)).read();
}

std::string seriesFileText(const SeriesPlan& plan, const PanelFields& fields) {
    return SeriesWriter().write(plan, fields);
}

void writeSeriesFile(const fs::path& file, const SeriesPlan& plan, const PanelFields& fields) {
    settings::writeFileAtomically(file, seriesFileText(plan, fields));
}

std::string seriesName(const fs::path& file) {
    const std::string name = file.filename().string();
    if (name.size() > kExtension.size() &&
        sameKey(std::string_view(name).substr(name.size() - kExtension.size()), kExtension))
        return name.substr(0, name.size() - kExtension.size());
    return file.stem().string();
}

fs::path setupPath(const SeriesStep& step, const fs::path& seriesFile) {
    if (step.setup.empty())
        return {};
    return seriesFile.parent_path() / step.setup;
}

std::string dataTemplatePath(const SeriesPlan& plan, const fs::path& seriesFile,
                             const fs::path& programFolder) {
    const fs::path given = plan.dataTemplate.empty()
                               ? fs::path(seriesName(seriesFile) + "-{step}.txt")
                               : fs::path(plan.dataTemplate);
    return (given.is_relative() ? programFolder / "data" / given : given).string();
}

} // namespace series
