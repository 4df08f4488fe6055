#include "sim/settings_keys.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <type_traits>

namespace gpibsim {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view withoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    return text;
}

std::optional<double> readNumber(std::string_view text) {
    text = withoutPlus(text);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long long> readInteger(std::string_view text) {
    text = withoutPlus(text);
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// One key: reads the text and stores it, or says why not.
using Setter = std::function<std::string(SimSettings&, std::string_view)>;

struct Key {
    std::string_view section;
    std::string_view name;
    Setter set;
};

template <typename Target>
Setter numberIn(Target target, double low, double high, double scale = 1.0) {
    return [=](SimSettings& s, std::string_view text) -> std::string {
        const auto value = readNumber(text);
        if (!value || *value < low || *value > high)
            return "expects a number from " + numberText(low) + " to " + numberText(high);
        target(s) = *value * scale;
        return {};
    };
}

template <typename Target> Setter integerIn(Target target, long long low, long long high) {
    return [=](SimSettings& s, std::string_view text) -> std::string {
        const auto value = readInteger(text);
        if (!value || *value < low || *value > high)
            return "expects a whole number from " + std::to_string(low) + " to " +
                   std::to_string(high);
        target(s) = static_cast<std::remove_reference_t<decltype(target(s))>>(*value);
        return {};
    };
}

template <typename Target> Setter flag(Target target) {
    return [=](SimSettings& s, std::string_view text) -> std::string {
        const auto value = readInteger(text);
        if (!value || (*value != 0 && *value != 1))
            return "expects 0 or 1";
        target(s) = *value == 1;
        return {};
    };
}

template <typename Target, typename Enum, std::size_t N>
Setter oneOf(Target target, const std::array<std::pair<std::string_view, Enum>, N>& names) {
    return [=](SimSettings& s, std::string_view text) -> std::string {
        for (const auto& [name, value] : names)
            if (sameName(name, text)) {
                target(s) = value;
                return {};
            }
        std::string expected;
        for (const auto& [name, value] : names) {
            if (!expected.empty())
                expected += ", ";
            expected += name;
        }
        return "expects one of " + expected;
    };
}

std::string setBoards(SimSettings& s, std::string_view text) {
    std::vector<int> boards;
    while (!trimmed(text).empty()) {
        const auto comma = text.find(',');
        const auto id = readInteger(trimmed(text.substr(0, comma)));
        if (!id || *id < 0 || *id > 15)
            return "expects board ids from 0 to 15 separated by commas";
        boards.push_back(static_cast<int>(*id));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    s.boards = boards;
    return {};
}

constexpr double kBig = 1e300;
constexpr long long kCountMax = std::numeric_limits<long>::max();

const std::array<std::pair<std::string_view, ModelKind>, 5> kModels{{
    {"default", ModelKind::Default},
    {"resistor", ModelKind::Resistor},
    {"open", ModelKind::Open},
    {"short", ModelKind::Short},
    {"mos", ModelKind::Mos},
}};

const std::array<std::pair<std::string_view, DopingType>, 2> kDopingTypes{{
    {"n", DopingType::N},
    {"p", DopingType::P},
}};

const std::array<std::pair<std::string_view, GarbleKind>, 3> kGarbles{{
    {"no_comma", GarbleKind::NoComma},
    {"short", GarbleKind::TooShort},
    {"not_number", GarbleKind::NotNumber},
}};

#define FIELD(path)                                                                                \
    [](SimSettings & s) -> auto& {                                                                 \
        return s.path;                                                                             \
    }

const std::vector<Key>& keys() {
    static const std::vector<Key> table{
        {"board", "address", integerIn(FIELD(address), 0, 30)},
        {"board", "boards", setBoards},
        {"board", "register_result", integerIn(FIELD(registerResult), -1000000, 1000000)},
        {"instrument", "reading_time_short_ms", numberIn(FIELD(readingTimes[0]), 0.1, 1e6, 1e-3)},
        {"instrument", "reading_time_medium_ms", numberIn(FIELD(readingTimes[1]), 0.1, 1e6, 1e-3)},
        {"instrument", "reading_time_long_ms", numberIn(FIELD(readingTimes[2]), 0.1, 1e6, 1e-3)},
        {"instrument", "offset_current", numberIn(FIELD(offsetCurrent), -1e-6, 1e-6)},
        {"model", "kind", oneOf(FIELD(model.kind), kModels)},
        {"model", "resistance", numberIn(FIELD(model.resistance), 1e-3, kBig)},
        {"model", "diode_saturation_current",
         numberIn(FIELD(model.diodeSaturationCurrent), 0.0, 1.0)},
        {"model", "diode_ideality", numberIn(FIELD(model.diodeIdeality), 0.5, 10.0)},
        {"model", "series_resistance", numberIn(FIELD(model.seriesResistance), 0.0, kBig)},
        {"model", "leakage_resistance", numberIn(FIELD(model.leakageResistance), 1e-3, kBig)},
        {"model", "oxide_capacitance", numberIn(FIELD(model.oxideCapacitance), 0.0, 1.0)},
        {"model", "depletion_capacitance", numberIn(FIELD(model.depletionCapacitance), 0.0, 1.0)},
        {"model", "flat_band_voltage", numberIn(FIELD(model.flatBandVoltage), -200.0, 200.0)},
        {"model", "transition_width", numberIn(FIELD(model.transitionWidth), 1e-3, 100.0)},
        {"model", "relaxation_amplitude", numberIn(FIELD(model.relaxationAmplitude), -1.0, 1.0)},
        {"model", "relaxation_time", numberIn(FIELD(model.relaxationTime), 1e-6, kBig)},
        {"model", "doping_type", oneOf(FIELD(model.dopingType), kDopingTypes)},
        {"model", "doping_density", numberIn(FIELD(model.dopingDensity), 1e12, 1e20)},
        {"model", "oxide_thickness", numberIn(FIELD(model.oxideThickness), 1e-10, 1e-5)},
        {"model", "area", numberIn(FIELD(model.area), 1e-8, 10.0)},
        {"model", "temperature", numberIn(FIELD(model.temperature), 50.0, 600.0)},
        {"noise", "seed", integerIn(FIELD(noise.seed), 0, std::numeric_limits<long long>::max())},
        {"noise", "relative", numberIn(FIELD(noise.relative), 0.0, 1.0)},
        {"noise", "absolute", numberIn(FIELD(noise.absolute), 0.0, 1e-3)},
        {"faults", "no_listener", flag(FIELD(faults.noListener))},
        {"faults", "refuse_remote", flag(FIELD(faults.refuseRemote))},
        {"faults", "read_timeout_at", integerIn(FIELD(faults.readTimeout.at), 0, kCountMax)},
        {"faults", "read_timeout_every", integerIn(FIELD(faults.readTimeout.every), 0, kCountMax)},
        {"faults", "garble_at", integerIn(FIELD(faults.garble.at), 0, kCountMax)},
        {"faults", "garble_every", integerIn(FIELD(faults.garble.every), 0, kCountMax)},
        {"faults", "garble_kind", oneOf(FIELD(faults.garbleKind), kGarbles)},
        {"faults", "output_off_after", integerIn(FIELD(faults.outputOffAfter), 0, kCountMax)},
        {"faults", "no_listener_after", integerIn(FIELD(faults.noListenerAfter), 0, kCountMax)},
        {"faults", "call_delay_ms", numberIn(FIELD(faults.callDelay), 0.0, 60000.0, 1e-3)},
        {"time", "virtual", flag(FIELD(virtualTime))},
    };
    return table;
}

#undef FIELD

} // namespace

std::string numberText(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("nan");
}

std::string applySetting(SimSettings& settings, std::string_view section, std::string_view key,
                         std::string_view value) {
    section = trimmed(section);
    key = trimmed(key);
    for (const Key& entry : keys())
        if (sameName(entry.section, section) && sameName(entry.name, key)) {
            const std::string problem = entry.set(settings, trimmed(value));
            return problem.empty() ? problem
                                   : "[" + std::string(entry.section) + "] " +
                                         std::string(entry.name) + " " + problem;
        }
    return "unknown key [" + std::string(section) + "] " + std::string(key);
}

} // namespace gpibsim
