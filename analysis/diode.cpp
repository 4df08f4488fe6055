#include "diode_model.h"
#include "least_squares.h"
#include "line_fit.h"
#include "methods.h"
#include "physics.h"
#include "result_values.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr std::size_t kLeastReadings = 5;
constexpr std::size_t kLocalRun = 5;
constexpr double kStraightWithin = 0.05;

// Forward readings as (|V|, |I|), in rising voltage. Forward is the polarity of the largest
// current in the window, so a diode wired the other way round reads the same; readings at the
// current limit say nothing of the device.
struct Forward {
    std::vector<Point> points;
    double polarity = 1.0;
};

Forward forwardReadings(std::span<const Reading> window) {
    Forward forward;
    double largest = -1.0;
    for (const Reading& r : window)
        if (!r.atLimit && std::fabs(r.value) > largest) {
            largest = std::fabs(r.value);
            forward.polarity = r.v < 0.0 ? -1.0 : 1.0;
        }
    for (const Reading& r : window)
        if (!r.atLimit && r.v * forward.polarity > 0.0 && r.value * forward.polarity > 0.0)
            forward.points.push_back({std::fabs(r.v), std::fabs(r.value)});
    std::ranges::stable_sort(forward.points, {}, &Point::x);
    return forward;
}

std::vector<Point> logCurrents(std::span<const Point> forward) {
    std::vector<Point> points;
    for (const Point& p : forward)
        points.push_back({p.x, std::log(p.y)});
    return points;
}

// Semilog: where Rs and Rsh do not matter, ln I = ln Is + V/(n·kT/q); n from the slope, Is from
// the intercept, over the steepest straight stretch of ln I against V. Near 0 V the "− 1" of the
// equation (and a shunt) makes ln I follow ln V, steeper still, so only readings above 6·n·kT/q
// take part (where the "− 1" is 0.25 % of the current), n taken from the stretch before.
struct Semilog {
    Stretch stretch;
    double ideality = 0.0;
    double saturationCurrent = 0.0;
};

constexpr double kAboveThermal = 6.0;
constexpr int kSemilogRounds = 6;

std::optional<Semilog> semilogAbove(std::span<const Point> logCurrent, std::size_t first,
                                    double vt) {
    const auto candidates = logCurrent.subspan(first);
    const std::size_t run = std::max(kLeastReadings, candidates.size() / 20);
    const std::optional<Stretch> stretch = steepestStretch(candidates, run, kStraightWithin);
    if (!stretch)
        return std::nullopt;
    const auto fit = fitLine(candidates.subspan(stretch->first, stretch->end - stretch->first));
    if (!fit || !(fit->slope > 0.0))
        return std::nullopt;
    return Semilog{{first + stretch->first, first + stretch->end},
                   1.0 / (fit->slope * vt),
                   std::exp(fit->intercept)};
}

std::optional<Semilog> semilog(std::span<const Point> logCurrent, double vt) {
    std::optional<Semilog> found = semilogAbove(logCurrent, 0, vt);
    std::size_t first = 0;
    for (int round = 0; found && round < kSemilogRounds; ++round) {
        const double floor = kAboveThermal * found->ideality * vt;
        const auto above = std::ranges::find_if(logCurrent.subspan(first),
                                                [&](const Point& p) { return p.x >= floor; });
        const auto next = static_cast<std::size_t>(above - logCurrent.begin());
        if (next == first)
            break;
        first = next;
        if (const auto better = semilogAbove(logCurrent, first, vt))
            found = better;
        else
            break;
    }
    return found;
}

// Cheung–Cheung: dV/d(ln I) = n·kT/q + I·Rs, a straight line against I whose slope is Rs. The
// derivative at each reading is the slope of V against ln I over five readings around it; the
// readings below the semilog stretch are left out, where a shunt would bend the line.
std::optional<double> cheungResistance(std::span<const Point> forward,
                                       std::span<const Point> logCurrent, std::size_t from) {
    std::vector<Point> derivative;
    const std::size_t half = kLocalRun / 2;
    for (std::size_t i = std::max(from, half); i + half < forward.size(); ++i) {
        std::vector<Point> local;
        for (std::size_t k = i - half; k <= i + half; ++k)
            local.push_back({logCurrent[k].y, logCurrent[k].x});
        if (const auto fit = fitLine(local))
            derivative.push_back({forward[i].y, fit->slope});
    }
    if (derivative.size() < 3)
        return std::nullopt;
    const auto fit = fitLine(derivative);
    return fit ? std::optional<double>(fit->slope) : std::nullopt;
}

DiodeParameters parametersAt(const Eigen::VectorXd& p) {
    return {std::exp(p[0]), p[1], std::exp(p[2]), std::exp(p[3])};
}

// Least squares on ln I of the whole single-diode equation over the window, in ln Is, n, ln Rs
// and ln(1/Rsh), so that the resistances stay positive; residual ln I(V) − ln I measured.
LeastSquaresFit wholeCurveFit(std::span<const Point> forward, double vt,
                              const DiodeParameters& start) {
    const Residuals residuals = [&](const Eigen::VectorXd& p, Eigen::VectorXd& r,
                                    Eigen::MatrixXd* jacobian) {
        const DiodeParameters d = parametersAt(p);
        for (Eigen::Index i = 0; i < r.size(); ++i) {
            const Point& reading = forward[static_cast<std::size_t>(i)];
            const DiodeCurrent c = diodeCurrent(d, vt, reading.x);
            r[i] = std::log(c.current) - std::log(reading.y);
            if (jacobian)
                jacobian->row(i) << d.saturationCurrent * c.dIs / c.current, c.dn / c.current,
                    d.seriesResistance * c.dRs / c.current, d.shuntConductance * c.dG / c.current;
        }
    };
    const Eigen::Vector4d x0(std::log(start.saturationCurrent), start.ideality,
                             std::log(start.seriesResistance), std::log(start.shuntConductance));
    return fitLeastSquares(static_cast<Eigen::Index>(forward.size()), x0, residuals);
}

// A start a little away from no resistance at all, where the search could not move them.
DiodeParameters startingPoint(std::span<const Point> forward, const Semilog& s,
                              std::optional<double> cheung, double vt) {
    DiodeParameters start{s.saturationCurrent, s.ideality, 0.0, 0.0};
    const Point low = forward.front();
    const Point high = forward.back();
    start.seriesResistance = cheung && *cheung > 0.0 ? *cheung : 1e-3 * s.ideality * vt / high.y;
    const double excess = low.y - s.saturationCurrent * std::expm1(low.x / (s.ideality * vt));
    start.shuntConductance = excess > 0.01 * low.y ? excess / low.x : 1e-4 * low.y / low.x;
    return start;
}

struct Shares {
    double series = 0.0; // largest share of the bias dropped across Rs
    double shunt = 0.0;  // largest share of the current through Rsh
};

Shares sharesOf(std::span<const Point> forward, const DiodeParameters& d, double vt) {
    Shares shares;
    for (const Point& p : forward) {
        const DiodeCurrent c = diodeCurrent(d, vt, p.x);
        shares.series = std::max(shares.series, c.current * d.seriesResistance / p.x);
        shares.shunt = std::max(shares.shunt, d.shuntConductance * c.junctionVoltage / c.current);
    }
    return shares;
}

std::vector<Point> fittedCurve(std::span<const Point> forward, const DiodeParameters& d, double vt,
                               double polarity) {
    std::vector<Point> curve;
    for (const Point& p : forward)
        curve.push_back({polarity * p.x, polarity * diodeCurrent(d, vt, p.x).current});
    return curve;
}

} // namespace

Result diode(const MethodCall& call) {
    const Forward forward = forwardReadings(call.window);
    const std::vector<Point>& points = forward.points;
    if (points.size() < kLeastReadings)
        return tooFewReadings(Method::Diode, points.size(), "forward reading", kLeastReadings);
    const double vt = physics::thermalVoltage(call.inputs.temperature);
    const std::vector<Point> logCurrent = logCurrents(points);
    const std::optional<Semilog> s = semilog(logCurrent, vt);
    if (!s)
        return refused("the forward current does not rise with the voltage in the window");
    const std::optional<double> cheung = cheungResistance(points, logCurrent, s->stretch.first);

    const LeastSquaresFit fit = wholeCurveFit(points, vt, startingPoint(points, *s, cheung, vt));
    const DiodeParameters d = parametersAt(fit.parameters);
    const Shares shares = sharesOf(points, d, vt);

    Result result;
    result.values.push_back(numberValue("n", d.ideality));
    result.values.push_back(numberValue("Is_A", d.saturationCurrent));
    if (determined(shares.series, fit.standardErrors[2]))
        result.values.push_back(numberValue("Rs_ohm", d.seriesResistance));
    else
        result.values.push_back(undeterminedValue(
            "Rs_ohm", "the series resistance drops no measurable share of the bias in the window"));
    if (determined(shares.shunt, fit.standardErrors[3]))
        result.values.push_back(numberValue("Rsh_ohm", 1.0 / d.shuntConductance));
    else
        result.values.push_back(undeterminedValue(
            "Rsh_ohm", "the shunt carries no measurable share of the current in the window"));
    result.values.push_back(numberValue("n_semilog", s->ideality));
    result.values.push_back(numberValue("Is_semilog_A", s->saturationCurrent));
    result.values.push_back(
        numberValue("semilog_from_V", forward.polarity * points[s->stretch.first].x));
    result.values.push_back(
        numberValue("semilog_to_V", forward.polarity * points[s->stretch.end - 1].x));
    if (cheung)
        result.values.push_back(numberValue("Rs_cheung_ohm", *cheung));
    else
        result.values.push_back(
            undeterminedValue("Rs_cheung_ohm", "too few readings above the semilog stretch"));
    result.values.push_back(
        numberValue("r2", coefficientOfDetermination(logCurrent, fit.sumOfSquares)));
    result.values.push_back(
        numberValue("rms_lnI", std::sqrt(fit.sumOfSquares / static_cast<double>(points.size()))));
    result.values.push_back(numberValue("readings", static_cast<double>(points.size())));
    result.fitted = fittedCurve(points, d, vt, forward.polarity);
    return result;
}

} // namespace analysis
