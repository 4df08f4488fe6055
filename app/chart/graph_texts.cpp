#include "graph_texts.h"

#include "manual_axis.h"

#include <cmath>

namespace chart {

namespace {

std::string roundingNote(AxisRounding rounding, const char* unitName) {
    return "Graph will round to " + std::to_string(static_cast<int>(rounding.unit)) + unitName +
           " intervals";
}

std::string quantityText(std::string_view units) {
    const std::string quantity = units == "Farads" ? "capacitances"
                                 : units == "Amps" ? "currents"
                                                   : "readings";
    return quantity + " (" + std::string(units) + ")";
}

} // namespace

std::string otherQuantityText(std::string_view run, std::string_view runUnits,
                              std::string_view chartUnits) {
    return std::string(run) + " holds " + quantityText(runUnits) + " and the chart shows " +
           quantityText(chartUnits);
}

std::string xAxisTitle(bool xAxisIsTime) {
    return xAxisIsTime ? "Time (in Seconds)" : "Voltage (in Volts)";
}

std::string yAxisTitle(bool capacitance) {
    return capacitance ? "Capacitance (in Farads)" : "Current (in Amps)";
}

std::string timeRoundingNote(float a, float b) {
    return roundingNote(timeRounding(std::fabs(b - a)), "s");
}

std::string voltageRoundingNote(float a, float b) {
    return roundingNote(voltageRounding(std::fabs(b - a)), "V");
}

std::vector<std::string> graphScaleListItems() {
    std::vector<std::string> items;
    for (int exponent = -16; exponent <= -3; ++exponent)
        items.push_back("1E" + std::to_string(exponent));
    return items;
}

} // namespace chart
