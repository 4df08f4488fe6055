#include "sim/command_parser.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace gpibsim {

namespace {

CommandOutcome rejected(std::string problem) {
    return {.action = CommandAction::Rejected, .problem = std::move(problem)};
}

constexpr CommandOutcome kSetting{.action = CommandAction::Setting, .problem = {}};

template <typename T> std::optional<T> readWhole(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "P" + letter + number: the voltage and timing parameters with the ranges the source accepts.
struct Parameter {
    char letter;
    double InstrumentSetup::*field;
    double low;
    double high;
    bool magnitude; // the range applies to the absolute value
};

constexpr std::array<Parameter, 8> kParameters{{
    {'A', &InstrumentSetup::holdVoltage, -100.0, 100.0, false},
    {'S', &InstrumentSetup::startVoltage, -100.0, 100.0, false},
    {'T', &InstrumentSetup::stopVoltage, -100.0, 100.0, false},
    {'E', &InstrumentSetup::stepVoltage, 0.01, 200.0, true},
    {'H', &InstrumentSetup::holdTime, 0.0, 1999.9, false},
    {'D', &InstrumentSetup::stepDelay, 0.0, 1999.9, false},
    {'V', &InstrumentSetup::rampRate, 0.001, 100.0, false},
    {'B', &InstrumentSetup::vbVoltage, -100.0, 100.0, false},
}};

CommandOutcome applyParameter(std::string_view command, InstrumentSetup& setup) {
    for (const Parameter& p : kParameters) {
        if (command[1] != p.letter)
            continue;
        const auto value = readWhole<double>(command.substr(2));
        if (!value || !std::isfinite(*value))
            return rejected("malformed number");
        const double checked = p.magnitude ? std::fabs(*value) : *value;
        if (checked < p.low || checked > p.high)
            return rejected("out of range");
        setup.*(p.field) = *value;
        return kSetting;
    }
    return rejected("unknown command");
}

// Letter + code: each stores a code from its own range.
CommandOutcome applyCode(char letter, int code, InstrumentSetup& setup) {
    const auto inRange = [&](int low, int high) { return code >= low && code <= high; };
    switch (letter) {
    case 'F':
        if (!inRange(1, 3))
            break;
        setup.function = static_cast<MeasureFunction>(code);
        return kSetting;
    case 'A':
        if (!inRange(1, 5))
            break;
        setup.ramp = static_cast<Ramp>(code);
        return kSetting;
    case 'L':
    case 'M':
        if (!inRange(1, 3))
            break;
        (letter == 'L' ? setup.currentLimitVA : setup.currentLimitVB) = code;
        return kSetting;
    case 'B':
    case 'T':
        if (!inRange(1, 2))
            break;
        (letter == 'B' ? setup.vbMode : setup.trigger) = code;
        return kSetting;
    case 'I':
        if (!inRange(1, 3))
            break;
        setup.integration = code;
        return kSetting;
    case 'J':
        if (!inRange(0, 1))
            break;
        setup.filter = code == 1;
        return kSetting;
    case 'D':
        if (code != 0 && code != 3)
            break;
        setup.dataOutput = code == 3;
        return kSetting;
    case 'W':
        if (code == 1)
            return {.action = CommandAction::Start, .problem = {}};
        if (code == 7)
            return {.action = CommandAction::Stop, .problem = {}};
        break;
    default:
        return rejected("unknown command");
    }
    return rejected("out of range");
}

} // namespace

double currentLimitAmps(int code) {
    constexpr std::array<double, 3> kLimits{1e-2, 1e-3, 1e-4};
    return code >= 1 && code <= 3 ? kLimits[static_cast<std::size_t>(code - 1)] : kLimits[0];
}

CommandOutcome applyCommand(std::string_view command, InstrumentSetup& setup) {
    if (command == "Z")
        return {.action = CommandAction::Zero, .problem = {}};
    if (command.size() < 2)
        return rejected("unknown command");
    if (command[0] == 'P')
        return applyParameter(command, setup);
    const auto code = readWhole<int>(command.substr(1));
    if (!code)
        return rejected(std::string("PFALMBTIJDW").find(command[0]) == std::string::npos
                            ? "unknown command"
                            : "malformed number");
    return applyCode(command[0], *code, setup);
}

} // namespace gpibsim
