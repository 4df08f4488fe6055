#pragma once

// The analyse panel's logic, without a widget: the inputs its fields give, the texts it shows and
// copies, and the ends of a window dragged on the chart as its fields show them.

#include "analysis/method.h"
#include "analysis/record.h"

#include <string>
#include <variant>

namespace analyse {

// The panel's fields as typed.
struct FormTexts {
    std::string from, to, at, threshold, area, temperature, epsOx, epsS;
    analysis::DopingType type = analysis::DopingType::P;
};

// The method's inputs from the fields, or what is wrong with one: "Area: 'abc' is not a
// number". An empty field is an input not given: an open end, or the default temperature and
// permittivities.
std::variant<analysis::Inputs, std::string> inputsFrom(analysis::Method method,
                                                       const FormTexts& texts);
// The fields that show the inputs.
FormTexts textsOf(const analysis::Inputs& inputs);

// A line of a result as the panel shows it, its unit taken from its key: "Is = 9.99711E-14 A",
// "r² = 0.999974", "Rsh = not determined: …".
std::string shownLine(const analysis::RecordLine& line);
// The result's values, or why there are none, one a line.
std::string resultText(const analysis::Result& result);
// What "Copy" puts on the clipboard: the method, the curve and the inputs, then the values.
std::string copyText(const analysis::Result& result);

// An end of a dragged window, rounded to a thousandth of the span the chart shows.
std::string draggedEndText(double value, double span);

} // namespace analyse
