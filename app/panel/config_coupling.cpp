#include "config_coupling.h"

#include "hp4140/test_config.h"
#include "quenta/numtext/numtext.h"

#include <algorithm>

namespace app {

namespace {

struct SliderTable {
    double multiplier;
    double adder;
    SliderRange range;
};

// Top to bottom: 100 .. -100 V, 10 .. -10 V, 1999.9 .. 0.1 s, 100 .. 0.01 s, 1 .. 0.001 V/s.
constexpr std::array<SliderTable, kConfigFieldCount> kSliders{{
    {-1.0, 0.0, {-100, 100}},
    {-1.0, 0.0, {-100, 100}},
    {-0.1, 0.0, {-100, 100}},
    {-0.1, 1000.0, {-9999, 9999}},
    {-0.01, 50.0, {-5000, 4999}},
    {-0.001, 0.5, {-500, 499}},
    {-1.0, 0.0, {-100, 100}},
    {-1.0, 0.0, {-100, 100}},
}};

} // namespace

void InitSliderMultipliers(SliderTables& tables) {
    for (int i = 0; i < kConfigFieldCount; ++i) {
        tables.sliderMultiplier[i] = kSliders[i].multiplier;
        tables.sliderAdder[i] = kSliders[i].adder;
    }
}

SliderRange sliderRange(int field) {
    return kSliders.at(field).range;
}

std::optional<std::string> sliderToFieldText(const SliderTables& tables, int field,
                                             std::string_view fieldText, std::int32_t position) {
    const double rounded = numtext::toInt16(numtext::readNumber(fieldText));
    const double scaled = position * tables.sliderMultiplier.at(field);
    if (scaled == rounded)
        return std::nullopt;
    return numtext::formatGeneral(scaled + tables.sliderAdder.at(field));
}

SliderPosition fieldToSliderPosition(const SliderTables& tables, int field,
                                     std::string_view fieldText) {
    const double value = numtext::readNumber(fieldText);
    const std::int32_t wanted = numtext::toInt32((value - tables.sliderAdder.at(field)) /
                                                 tables.sliderMultiplier.at(field));
    const SliderRange range = sliderRange(field);
    const std::int32_t held = std::clamp(wanted, range.min, range.max);
    return {held, held != wanted};
}

hp4140::Ramp highestAllowedRamp(hp4140::Function function) {
    switch (function) {
    case hp4140::Function::IV:
        return hp4140::Ramp::StairUpDown;
    case hp4140::Function::CV:
        return hp4140::Ramp::SweepUpDown;
    default:
        return hp4140::Ramp::Constant;
    }
}

} // namespace app
