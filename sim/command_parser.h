#pragma once

#include "sim/instrument_setup.h"

#include <string>
#include <string_view>

namespace gpibsim {

enum class CommandAction { Setting, Start, Stop, Zero, Rejected };

struct CommandOutcome {
    CommandAction action = CommandAction::Rejected;
    std::string problem; // why a rejected command was ignored
};

// Applies one command ("F2", "PA-5.0", "W1", ...) to the setup. A rejected command (unknown,
// malformed or out of range) leaves the setup unchanged.
CommandOutcome applyCommand(std::string_view command, InstrumentSetup& setup);

} // namespace gpibsim
