// The current methods on curves made from their equations, with known parameters, read at the
// instrument's four digits; and what every method refuses.

#include "synthetic_curves.h"

#include "analysis/method.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace analysis::test {
namespace {

constexpr double kThermalVoltage300 = 0.0258520;

double relativeError(std::optional<double> found, double truth) {
    return found ? std::fabs(*found / truth - 1.0) : INFINITY;
}

struct DiodeTruth {
    double is, n, rs, rsh;
};

// The single-diode equation walked along its junction voltage, where it is explicit:
// I = Is·(exp(Vj/nVt) − 1) + Vj/Rsh at V = Vj + I·Rs.
std::vector<Reading> diodeCurve(const DiodeTruth& d, double toJunction, double limit) {
    std::vector<Reading> readings;
    for (double vj = 0.02; vj <= toJunction + 1e-9; vj += 0.01) {
        const double i = d.is * std::expm1(vj / (d.n * kThermalVoltage300)) + vj / d.rsh;
        const bool clamped = i > limit;
        readings.push_back({0.0, vj + i * d.rs, fourDigits(clamped ? limit : i), clamped});
    }
    return readings;
}

Result run(Method method, Curve curve, const std::vector<Reading>& readings, Inputs inputs = {}) {
    inputs.method = method;
    return analyse(inputs, curve, readings);
}

TEST(DiodeMethod, FindsEveryParameterOfTheWholeEquationAndLeavesTheLimitOut) {
    const DiodeTruth truth{2e-12, 1.8, 20.0, 2e6};
    const Result r = run(Method::Diode, Curve::CurrentVoltage, diodeCurve(truth, 1.05, 1e-2));
    ASSERT_FALSE(r.refusal) << *r.refusal;
    EXPECT_LT(relativeError(r.number("n"), truth.n), 0.001);
    EXPECT_LT(relativeError(r.number("Is_A"), truth.is), 0.01);
    EXPECT_LT(relativeError(r.number("Rs_ohm"), truth.rs), 0.005);
    EXPECT_LT(relativeError(r.number("Rsh_ohm"), truth.rsh), 0.005);
    EXPECT_GT(*r.number("r2"), 0.9999);
    // The shortcuts are biased by the resistances they leave out, but not by much.
    EXPECT_LT(relativeError(r.number("n_semilog"), truth.n), 0.05);
    EXPECT_LT(relativeError(r.number("Rs_cheung_ohm"), truth.rs), 0.1);
    const std::vector<Reading> readings = diodeCurve(truth, 1.05, 1e-2);
    const auto measured = std::ranges::count(readings, false, &Reading::atLimit);
    EXPECT_EQ(r.number("readings"), static_cast<double>(measured));
    EXPECT_LT(measured, static_cast<long>(readings.size()));
    // The fitted curve runs through the last reading under the limit.
    ASSERT_EQ(r.fitted.size(), static_cast<std::size_t>(measured));
    EXPECT_LT(relativeError(r.fitted.back().y, readings[measured - 1].value), 0.002);
}

TEST(DiodeMethod, SaysWhenTheShuntIsNotInTheReadingsAndReadsADiodeWiredTheOtherWay) {
    const DiodeTruth truth{1e-13, 1.2, 5.0, 1e18};
    std::vector<Reading> readings = diodeCurve(truth, 0.9, 1e-2);
    const Result forward = run(Method::Diode, Curve::CurrentVoltage, readings);
    ASSERT_FALSE(forward.refusal) << *forward.refusal;
    EXPECT_EQ(forward.find("Rsh_ohm")->text,
              "not determined: the shunt carries no measurable share of the current in the "
              "window");
    EXPECT_FALSE(forward.number("Rsh_ohm"));
    EXPECT_LT(relativeError(forward.number("n"), truth.n), 0.003);
    EXPECT_LT(relativeError(forward.number("Rs_ohm"), truth.rs), 0.03);

    for (Reading& reading : readings) {
        reading.v = -reading.v;
        reading.value = -reading.value;
    }
    const Result reversed = run(Method::Diode, Curve::CurrentVoltage, readings);
    EXPECT_EQ(reversed.number("n"), forward.number("n"));
    EXPECT_LT(reversed.fitted.front().y, 0.0);
}

TEST(DiodeMethod, TheWindowAndTheTemperatureAreInputs) {
    const std::vector<Reading> readings = diodeCurve({1e-13, 1.2, 5.0, 1e18}, 0.9, 1e-2);
    Inputs inputs;
    inputs.temperature = 350.0; // the same curve read as a hotter diode has a smaller n
    const Result hot = run(Method::Diode, Curve::CurrentVoltage, readings, inputs);
    EXPECT_NEAR(*hot.number("n"), 1.2 * 300.0 / 350.0, 0.005);
    inputs.from = 0.295;
    inputs.to = 0.325;
    EXPECT_EQ(run(Method::Diode, Curve::CurrentVoltage, readings, inputs).refusal,
              "the window holds 3 forward readings; the diode method needs at least 5");
}

// A reverse-biased junction with a shunt, running into avalanche at about −50 V.
double reverseCurrent(double v) {
    return -(2e-12 + -v / 2e9 + 1e-9 * std::exp((-v - 50.0) / 0.5));
}

TEST(LeakageAndBreakdown, InterpolateBetweenTheReadingsOnTheLogarithmOfTheCurrent) {
    const std::vector<Reading> readings = voltageSweep(0.0, -60.0, -0.5, reverseCurrent, 1e-4);
    Inputs at;
    at.at = -20.25;
    const Result leak = run(Method::Leakage, Curve::CurrentVoltage, readings, at);
    EXPECT_LT(relativeError(leak.number("I_A"), reverseCurrent(-20.25)), 1e-3);
    at.at = 3.0;
    EXPECT_EQ(run(Method::Leakage, Curve::CurrentVoltage, readings, at).refusal,
              "the bias 3 V lies outside the readings in the window (-60 to 0 V)");
    at.at = -58.0;
    EXPECT_EQ(run(Method::Leakage, Curve::CurrentVoltage, readings, at).find("I_A")->text,
              "not determined: the current is held at the current limit at that bias");

    Inputs threshold;
    threshold.threshold = 1e-6;
    double low = -60.0, high = -50.0; // where the current reaches it, by bisection
    while (high - low > 1e-9)
        (std::fabs(reverseCurrent(0.5 * (low + high))) > 1e-6 ? low : high) = 0.5 * (low + high);
    const Result br = run(Method::Breakdown, Curve::CurrentVoltage, readings, threshold);
    EXPECT_NEAR(*br.number("Vbr_V"), low, 0.002);
    EXPECT_EQ(br.find("at_limit")->text, "yes");
    threshold.threshold = 1e-3; // above the limit
    const Result never = run(Method::Breakdown, Curve::CurrentVoltage, readings, threshold);
    EXPECT_EQ(never.find("Vbr_V")->text,
              "not determined: |I| stays below 0.001 A in the window (largest 0.0001 A at "
              "-56 V)");
    threshold.from = -10.0; // the window stops before breakdown
    threshold.threshold = 1e-6;
    EXPECT_EQ(
        run(Method::Breakdown, Curve::CurrentVoltage, readings, threshold).find("at_limit")->text,
        "no");
}

TEST(CurrentAgainstTime, DecayAndPowerLawFindTheirParameters) {
    const auto relaxation = [](double t) { return 2e-13 + 5e-11 * std::exp(-t / 12.0); };
    const Result d = run(Method::Decay, Curve::CurrentTime, timeSeries(1.0, 90.0, 1.0, relaxation));
    ASSERT_FALSE(d.refusal) << *d.refusal;
    EXPECT_LT(relativeError(d.number("tau_s"), 12.0), 0.002);
    EXPECT_LT(relativeError(d.number("A_A"), 5e-11), 0.002);
    EXPECT_LT(relativeError(d.number("Iinf_A"), 2e-13), 0.02);
    EXPECT_GT(*d.number("r2"), 0.99999);

    const auto schweidler = [](double t) { return 3e-12 * std::pow(t, -0.7); };
    const Result p =
        run(Method::PowerLaw, Curve::CurrentTime, timeSeries(0.0, 300.0, 2.0, schweidler));
    ASSERT_FALSE(p.refusal) << *p.refusal;
    EXPECT_LT(relativeError(p.number("n"), 0.7), 0.001);
    EXPECT_LT(relativeError(p.number("A_A"), 3e-12), 0.005);
    EXPECT_EQ(p.number("readings"), 150); // t = 0 has no logarithm
    Inputs window;
    window.from = 12.0; // the window's ends may come either way round
    window.to = 10.0;
    EXPECT_EQ(run(Method::Decay, Curve::CurrentTime, timeSeries(1.0, 90.0, 1.0, relaxation), window)
                  .refusal,
              "the window holds 3 readings; the decay method needs at least 4");
}

TEST(Refusals, NameWhatIsMissingAndNoMethodThrowsOnAnyReadings) {
    const std::vector<Reading> twoReadings{{0, 0, 1e-12, false}, {1, 1, 2e-12, false}};
    struct Case {
        Method method;
        Curve curve;
        Inputs inputs;
        std::string refusal;
    };
    Inputs cold;
    cold.temperature = 0.0;
    const Case cases[] = {
        {Method::Diode,
         Curve::CapacitanceVoltage,
         {},
         "the diode method fits current against voltage (I-V); these readings are capacitance "
         "against voltage (C-V)"},
        {Method::Decay,
         Curve::CurrentVoltage,
         {},
         "the decay method fits current against time (I); these readings are current against "
         "voltage (I-V)"},
        {Method::Mos,
         Curve::CapacitanceVoltage,
         {},
         "the mos method needs the device's area in "
         "cm², above 0"},
        {Method::Leakage,
         Curve::CurrentVoltage,
         {},
         "the leakage method needs the bias at which to read the current"},
        {Method::Breakdown,
         Curve::CurrentVoltage,
         {},
         "the breakdown method needs the current that marks breakdown, above 0 A"},
        {Method::Diode, Curve::CurrentVoltage, cold, "the temperature must be above 0 K"},
        {Method::Diode,
         Curve::CurrentVoltage,
         {},
         "the window holds 1 forward reading; the diode method needs at least 5"},
        {Method::PowerLaw,
         Curve::CurrentTime,
         {},
         "the window holds 1 reading after t = 0; the power-law method needs at least 3"},
    };
    for (const Case& c : cases) {
        const Result r = run(c.method, c.curve, twoReadings, c.inputs);
        EXPECT_EQ(r.refusal, c.refusal) << methodName(c.method);
        EXPECT_TRUE(r.values.empty());
        EXPECT_EQ(r.inputs.method, c.method);
    }
    Inputs everything;
    everything.at = 0.5;
    everything.threshold = 1e-6;
    everything.area = 1e-3;
    for (const Curve curve : {Curve::CurrentTime, Curve::CurrentVoltage, Curve::CapacitanceVoltage})
        for (const Method method : methodsFor(curve))
            for (const auto& readings : {std::vector<Reading>{}, twoReadings,
                                         std::vector<Reading>(9, Reading{1, 1, 0, true}),
                                         std::vector<Reading>{{0, 0, INFINITY, false},
                                                              {1, NAN, 1e-12, false},
                                                              {2, 2, 1e308, false},
                                                              {3, 3, -1e308, false},
                                                              {4, 4, 1e-300, false},
                                                              {5, 5, 2e-12, false}}})
                EXPECT_NO_THROW(run(method, curve, readings, everything));
}

} // namespace
} // namespace analysis::test
