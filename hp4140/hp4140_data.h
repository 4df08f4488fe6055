#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// One reading of the HP 4140B. The test run fills the timing, the running number, the
// current-limit flag and the reply; ParseHP4140Data fills the values.
struct HP4140DataType {
    std::string RawData;                        // the reply line
    std::chrono::system_clock::time_point Time; // wall-clock time the reply was read
    float Timerel = 0.0f;                       // seconds since the test started
    float Voltage = 0.0f;                       // applied voltage, V
    float Current = 0.0f;                       // measured value: A (I, I-V) or F (C-V)
    bool AtCurrentLimit = false;                // status byte bit value 2 announced it
    bool OutOfRange = false;                    // the reply held the over-range marker
    std::int32_t Index = 0;                     // running number in the test, from 1
};
