#pragma once

#include "bus/gpib_calls.h"

#include <string>

namespace bus {

inline constexpr int kNoError = -1;

// iberr when ibsta has ERR, else -1.
int GPIBErrorCode(const GpibStatus& status);
// The text of iberr ("ENOL <No Listener>", ...), "iberr=" for codes without one, "" without ERR.
std::string GPIBIberrText(const GpibStatus& status);
// "ibsta=&H" + hexadecimal ibsta + "=" + the names of its set bits (" ERR CMPL").
std::string GPIBIbstaText(const GpibStatus& status);
// GPIBIberrText + "; " + GPIBIbstaText when there is an error, else "".
std::string GPIBStatusText(const GpibStatus& status);

} // namespace bus
