#pragma once

// Building a method's result: its values and its refusals.

#include "method.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace analysis {

// Six significant digits in the program's general number form: 1.50012, 1.00231E-13.
std::string resultNumberText(double value);

ResultValue numberValue(std::string key, double value);
ResultValue wordValue(std::string key, std::string word);
ResultValue yesNoValue(std::string key, bool yes);
// A value the readings do not give: "not determined: " and why.
ResultValue undeterminedValue(std::string key, std::string_view why);

Result refused(std::string why);
// "the window holds 2 forward readings; the diode method needs at least 5".
Result tooFewReadings(Method method, std::size_t have, std::string_view what, std::size_t need);

} // namespace analysis
