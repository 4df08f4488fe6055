#include "analysis_form.h"

#include "quenta/numtext/numtext.h"

#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace analyse {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kUnits{{
    {"A", "A"},
    {"V", "V"},
    {"s", "s"},
    {"F", "F"},
    {"m", "m"},
    {"K", "K"},
    {"ohm", "Ω"},
    {"cm3", "cm⁻³"},
    {"cm2", "cm²"},
}};

// The name and unit of a key: "Is_A" is Is in A; a key without a unit's suffix is a name.
std::pair<std::string, std::string_view> nameAndUnit(const std::string& key) {
    if (key == "r2")
        return {"r²", {}};
    const std::size_t underscore = key.rfind('_');
    if (underscore != std::string::npos)
        for (const auto& [suffix, unit] : kUnits)
            if (key.compare(underscore + 1, std::string::npos, suffix) == 0)
                return {key.substr(0, underscore), unit};
    return {key, {}};
}

// Nothing for an empty field; the number, or why not.
std::variant<std::optional<double>, std::string> numberIn(const char* caption,
                                                          const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos)
        return std::optional<double>();
    if (const std::optional<double> number = numtext::parseNumber(text))
        return number;
    return std::string(caption) + ": '" + text + "' is not a number";
}

std::string textOf(std::optional<double> value) {
    return value ? numtext::formatGeneral(*value) : std::string();
}

} // namespace

std::variant<analysis::Inputs, std::string> inputsFrom(analysis::Method method,
                                                       const FormTexts& texts) {
    analysis::Inputs inputs;
    inputs.method = method;
    inputs.type = texts.type;
    std::string wrong;
    const auto read = [&](const char* caption, const std::string& text,
                          std::optional<double>& into) {
        auto number = numberIn(caption, text);
        if (auto* why = std::get_if<std::string>(&number); why && wrong.empty())
            wrong = *why;
        else if (auto* value = std::get_if<std::optional<double>>(&number))
            into = *value;
    };
    std::optional<double> temperature;
    std::optional<double> epsOx;
    std::optional<double> epsS;
    read("From", texts.from, inputs.from);
    read("To", texts.to, inputs.to);
    read("At", texts.at, inputs.at);
    read("Threshold", texts.threshold, inputs.threshold);
    read("Area", texts.area, inputs.area);
    read("Temperature", texts.temperature, temperature);
    read("εox", texts.epsOx, epsOx);
    read("εs", texts.epsS, epsS);
    if (!wrong.empty())
        return wrong;
    inputs.temperature = temperature.value_or(analysis::kDefaultTemperature);
    inputs.epsOx = epsOx.value_or(analysis::kSiliconDioxide);
    inputs.epsS = epsS.value_or(analysis::kSilicon);
    return inputs;
}

FormTexts textsOf(const analysis::Inputs& inputs) {
    return {textOf(inputs.from),      textOf(inputs.to),   textOf(inputs.at),
            textOf(inputs.threshold), textOf(inputs.area), textOf(inputs.temperature),
            textOf(inputs.epsOx),     textOf(inputs.epsS), inputs.type};
}

std::string shownLine(const analysis::RecordLine& line) {
    const auto [name, unit] = nameAndUnit(line.first);
    std::string shown = name + " = " + line.second;
    if (!unit.empty() && numtext::parseNumber(line.second))
        shown += " " + std::string(unit);
    return shown;
}

std::string resultText(const analysis::Result& result) {
    if (result.refusal)
        return "No result: " + *result.refusal + ".";
    std::string text;
    for (const analysis::ResultValue& value : result.values)
        text += (text.empty() ? "" : "\n") + shownLine({value.key, value.text});
    return text;
}

std::string copyText(const analysis::Result& result) {
    std::string text;
    for (const analysis::RecordLine& line : analysis::analysisLines(result))
        text += shownLine(line) + "\n";
    return text;
}

std::string draggedEndText(double value, double span) {
    if (!(span > 0.0) || !std::isfinite(value))
        return numtext::formatGeneral(value);
    const double step = std::pow(10.0, std::floor(std::log10(span)) - 3.0);
    const double rounded = std::round(value / step) * step;
    // The rounding leaves binary tails such as 0.30000000000000004: seven digits are plenty.
    return numtext::formatGeneralSingle(static_cast<float>(rounded == 0.0 ? 0.0 : rounded));
}

} // namespace analyse
