#include "record.h"

#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <cctype>

namespace analysis {

namespace {

bool sameKey(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view xUnit(Curve curve) {
    return curve == Curve::CurrentTime ? "s" : "V";
}

void addNumber(std::vector<RecordLine>& lines, std::string key, std::optional<double> value) {
    if (value)
        lines.emplace_back(std::move(key), numtext::formatGeneral(*value));
}

std::vector<RecordLine> inputLines(const Inputs& in, Curve curve) {
    std::vector<RecordLine> lines;
    lines.emplace_back("method", std::string(methodName(in.method)));
    lines.emplace_back("function", std::string(curveName(curve)));
    const std::string unit(xUnit(curve));
    addNumber(lines, "from_" + unit, in.from);
    addNumber(lines, "to_" + unit, in.to);
    const InputUse use = inputsOf(in.method);
    if (use.at)
        addNumber(lines, "at_V", in.at);
    if (use.threshold)
        addNumber(lines, "threshold_A", in.threshold);
    if (use.area)
        addNumber(lines, "area_cm2", in.area);
    if (use.temperature)
        addNumber(lines, "temperature_K", in.temperature);
    if (use.epsOx)
        addNumber(lines, "eps_ox", in.epsOx);
    if (use.epsS)
        addNumber(lines, "eps_s", in.epsS);
    if (use.type)
        lines.emplace_back("type", in.type == DopingType::P ? "p" : "n");
    return lines;
}

// Reads one input line into the inputs; false when the key is no input.
bool readInput(Inputs& in, std::string_view key, const std::string& value) {
    const std::optional<double> number = numtext::parseNumber(value);
    const std::pair<std::string_view, std::optional<double>*> numbers[] = {
        {"from_V", &in.from},   {"from_s", &in.from}, {"to_V", &in.to},
        {"to_s", &in.to},       {"at_V", &in.at},     {"threshold_A", &in.threshold},
        {"area_cm2", &in.area},
    };
    for (const auto& [name, target] : numbers)
        if (sameKey(key, name)) {
            *target = number;
            return true;
        }
    const std::pair<std::string_view, double*> settings[] = {
        {"temperature_K", &in.temperature}, {"eps_ox", &in.epsOx}, {"eps_s", &in.epsS}};
    for (const auto& [name, target] : settings)
        if (sameKey(key, name)) {
            if (number)
                *target = *number;
            return true;
        }
    if (sameKey(key, "type")) {
        in.type = sameKey(value, "n") ? DopingType::N : DopingType::P;
        return true;
    }
    return false;
}

std::optional<std::string> valueOf(std::span<const RecordLine> lines, std::string_view key) {
    const auto line =
        std::ranges::find_if(lines, [&](const RecordLine& l) { return sameKey(l.first, key); });
    return line == lines.end() ? std::nullopt : std::optional<std::string>(line->second);
}

} // namespace

std::vector<RecordLine> analysisLines(const Result& result) {
    std::vector<RecordLine> lines = inputLines(result.inputs, result.curve);
    if (result.refusal)
        lines.emplace_back("refusal", *result.refusal);
    for (const ResultValue& value : result.values)
        lines.emplace_back(value.key, value.text);
    return lines;
}

std::optional<Result> resultFromLines(std::span<const RecordLine> lines) {
    const std::optional<std::string> methodText = valueOf(lines, "method");
    const std::optional<std::string> curveText = valueOf(lines, "function");
    const std::optional<Method> method = methodText ? methodNamed(*methodText) : std::nullopt;
    const std::optional<Curve> curve = curveText ? curveNamed(*curveText) : std::nullopt;
    if (!method || !curve)
        return std::nullopt;
    Result result;
    result.inputs.method = *method;
    result.curve = *curve;
    for (const auto& [key, value] : lines) {
        if (sameKey(key, "method") || sameKey(key, "function") ||
            readInput(result.inputs, key, value))
            continue;
        if (sameKey(key, "refusal"))
            result.refusal = value;
        else
            result.values.push_back({key, numtext::parseNumber(value), value});
    }
    return result;
}

} // namespace analysis
