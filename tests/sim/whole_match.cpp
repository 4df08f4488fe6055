#include "whole_match.h"

// The only file of the tests that compiles <regex>: g++ 12 with AddressSanitizer wrongly warns
// that the std::function inside <regex>'s automaton states may be used uninitialised (the states
// keep it in a union that is live only for matcher states, which the optimiser cannot follow),
// so tests/sim/CMakeLists.txt turns -Wmaybe-uninitialized off for this file in sanitizer builds.
#include <regex>

namespace gpibsim::test {

bool matchesWhole(const std::string& text, const std::string& pattern) {
    return std::regex_match(text, std::regex(pattern));
}

} // namespace gpibsim::test
