#pragma once

// The views a chart offers of a run: by curve, |I|, I or dI/dV against V; C, 1/C² or C/Cmax
// against V; |I| against t, linear or log–log. Each turns (x, value) points, the readings' or a
// fit's, into the points it draws.

#include "readings.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace analysis {

enum class View {
    AbsoluteCurrent,    // |I| against V
    Current,            // I against V
    Conductance,        // dI/dV against V
    Capacitance,        // C against V
    InverseSquare,      // 1/C² against V
    Normalised,         // C/Cmax against V
    CurrentAgainstTime, // |I| against t
    LogLog,             // |I| against t, both axes logarithmic
};

struct ViewInfo {
    View view;
    std::string_view label;  // what a view selector shows: "|I|", "1/C²", "log–log"
    std::string_view yTitle; // "Conductance dI/dV (in Siemens)"
    bool logX = false;       // the axes the view is read on
    bool logY = false;
};

// The curve's views, its usual one first (|I| against V, C against V, |I| against t).
std::vector<ViewInfo> viewsOf(Curve curve);
const ViewInfo& infoOf(View view);

// A point of a view and the point it comes from (for dI/dV, the first of the two).
struct ViewPoint {
    double x = 0.0;
    double y = 0.0;
    std::size_t source = 0;
};

// The view of (x, value) points in their order. Points a view cannot show are left out: 1/C² of
// a capacitance not above 0, dI/dV between two points at one voltage. C/Cmax divides by
// `largest` when given (so a fit is scaled as its readings are), else by the points' own largest
// value.
std::vector<ViewPoint> viewPoints(View view, std::span<const Point> points,
                                  std::optional<double> largest = std::nullopt);

} // namespace analysis
