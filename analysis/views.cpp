#include "views.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace analysis {

namespace {

constexpr std::array<ViewInfo, 8> kViews{{
    {View::AbsoluteCurrent, "|I|", "|Current| (in Amps)", false, true},
    {View::Current, "I", "Current (in Amps)", false, false},
    {View::Conductance, "dI/dV", "Conductance dI/dV (in Siemens)", false, false},
    {View::Capacitance, "C", "Capacitance (in Farads)", false, false},
    {View::InverseSquare, "1/C²", "1/C² (in 1/F²)", false, false},
    {View::Normalised, "C/Cmax", "C/Cmax", false, false},
    {View::CurrentAgainstTime, "|I| against t", "|Current| (in Amps)", false, true},
    {View::LogLog, "log–log", "|Current| (in Amps)", true, true},
}};

std::vector<ViewPoint> conductance(std::span<const Point> points) {
    std::vector<ViewPoint> view;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double dv = points[i].x - points[i - 1].x;
        if (dv != 0.0)
            view.push_back({0.5 * (points[i].x + points[i - 1].x),
                            (points[i].y - points[i - 1].y) / dv, i - 1});
    }
    return view;
}

template <typename Transform>
std::vector<ViewPoint> pointwise(std::span<const Point> points, Transform transform) {
    std::vector<ViewPoint> view;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (const std::optional<double> y = transform(points[i].y))
            view.push_back({points[i].x, *y, i});
    return view;
}

double largestOf(std::span<const Point> points) {
    double largest = 0.0;
    for (const Point& p : points)
        largest = std::max(largest, p.y);
    return largest;
}

} // namespace

std::vector<ViewInfo> viewsOf(Curve curve) {
    switch (curve) {
    case Curve::CurrentVoltage:
        return {infoOf(View::AbsoluteCurrent), infoOf(View::Current), infoOf(View::Conductance)};
    case Curve::CapacitanceVoltage:
        return {infoOf(View::Capacitance), infoOf(View::InverseSquare), infoOf(View::Normalised)};
    case Curve::CurrentTime:
        return {infoOf(View::CurrentAgainstTime), infoOf(View::LogLog)};
    }
    return {};
}

const ViewInfo& infoOf(View view) {
    return *std::ranges::find(kViews, view, &ViewInfo::view);
}

std::vector<ViewPoint> viewPoints(View view, std::span<const Point> points,
                                  std::optional<double> largest) {
    const auto same = [](double y) { return std::optional<double>(y); };
    const auto magnitude = [](double y) { return std::optional<double>(std::fabs(y)); };
    switch (view) {
    case View::AbsoluteCurrent:
    case View::CurrentAgainstTime:
    case View::LogLog:
        return pointwise(points, magnitude);
    case View::Current:
    case View::Capacitance:
        return pointwise(points, same);
    case View::Conductance:
        return conductance(points);
    case View::InverseSquare:
        return pointwise(points, [](double c) {
            return c > 0.0 ? std::optional<double>(1.0 / (c * c)) : std::nullopt;
        });
    case View::Normalised: {
        const double cmax = largest.value_or(largestOf(points));
        return pointwise(points, [cmax](double c) {
            return cmax > 0.0 ? std::optional<double>(c / cmax) : std::nullopt;
        });
    }
    }
    return {};
}

} // namespace analysis
