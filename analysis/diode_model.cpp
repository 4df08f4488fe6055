#include "diode_model.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr int kNewtonSteps = 100;

// The junction voltage Vj solving g(Vj) = Vj + Rs·Ij(Vj) − V = 0, Ij = Is·(exp(Vj/nVt) − 1) +
// G·Vj. g rises and is convex, so Newton's method from a point where g ≥ 0 falls straight onto
// the root. Both V and nVt·ln(1 + V/(Rs·Is)) are such points (the junction cannot carry more
// than V/Rs); the smaller one starts closest.
double junctionVoltage(const DiodeParameters& p, double nVt, double voltage) {
    const double rs = p.seriesResistance;
    double vj = voltage;
    if (rs > 0.0)
        vj = std::min(vj, nVt * std::log1p(voltage / (rs * p.saturationCurrent)));
    for (int i = 0; i < kNewtonSteps; ++i) {
        const double e = p.saturationCurrent * std::exp(vj / nVt);
        const double g = vj + rs * (e - p.saturationCurrent + p.shuntConductance * vj) - voltage;
        const double slope = 1.0 + rs * (e / nVt + p.shuntConductance);
        const double step = g / slope;
        vj -= step;
        if (!(std::fabs(step) > 1e-15 * std::max(1.0, std::fabs(vj))))
            break;
    }
    return vj;
}

} // namespace

// The derivatives come from F(I, p) = Is·(exp(u) − 1) + G·(V − I·Rs) − I = 0 with
// u = (V − I·Rs)/(n·Vt): dI/dp = (∂F/∂p) / D, D = −∂F/∂I = 1 + Rs·(Is·exp(u)/(n·Vt) + G).
DiodeCurrent diodeCurrent(const DiodeParameters& p, double thermalVoltage, double voltage) {
    const double nVt = p.ideality * thermalVoltage;
    DiodeCurrent d;
    d.junctionVoltage = junctionVoltage(p, nVt, voltage);
    const double u = d.junctionVoltage / nVt;
    const double e = p.saturationCurrent * std::exp(u);
    d.current = p.saturationCurrent * std::expm1(u) + p.shuntConductance * d.junctionVoltage;
    const double denominator = 1.0 + p.seriesResistance * (e / nVt + p.shuntConductance);
    d.dIs = std::expm1(u) / denominator;
    d.dn = -e * u / p.ideality / denominator;
    d.dRs = -d.current * (e / nVt + p.shuntConductance) / denominator;
    d.dG = d.junctionVoltage / denominator;
    return d;
}

} // namespace analysis
