#pragma once

#include "app/datafile/data_collection.h"

#include <memory>
#include <string>

namespace datafiletest {

inline std::unique_ptr<HP4140DataType> reading(std::int32_t index, float time, float voltage,
                                               float current, bool atLimit,
                                               std::string raw = "NAI+1.5E-09,VA+2.5") {
    auto r = std::make_unique<HP4140DataType>();
    r->Index = index;
    r->Timerel = time;
    r->Voltage = voltage;
    r->Current = current;
    r->AtCurrentLimit = atLimit;
    r->RawData = std::move(raw);
    return r;
}

// Three readings, the second at the current limit, the third a reply the parser rejected (its
// line break kept, its values zero).
inline void fillThreeReadings(datafile::DataCollection& readings) {
    readings.Add(reading(1, 0.25f, 2.5f, 1.5e-12f, false, "NAI+1.5E-12,VA+2.5   "));
    readings.Add(reading(2, 0.5f, 5.0f, -2.25e-7f, true, "NCI-2.25E-07,VA+5.0"));
    readings.Add(reading(3, 0.75f, 0.0f, 0.0f, false, "AB\r\n  "));
}

} // namespace datafiletest
