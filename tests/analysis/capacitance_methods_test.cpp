// The capacitance methods: the mos method on the simulator's ideal MOS capacitor (whose
// quasi-static curve holds minority carriers and the exact space charge, not the depletion
// approximation the method rests on), and Mott–Schottky on its own equation, both read at the
// instrument's four digits.

#include "synthetic_curves.h"

#include "analysis/method.h"
#include "sim/mos_capacitor.h"

#include <gtest/gtest.h>

namespace analysis::test {
namespace {

constexpr double kCharge = 1.602176634e-19;
constexpr double kVacuum = 8.8541878128e-14; // F/cm

gpibsim::ModelSettings capacitor(gpibsim::DopingType type, double doping, double flatBand) {
    gpibsim::ModelSettings m;
    m.kind = gpibsim::ModelKind::Mos;
    m.dopingType = type;
    m.dopingDensity = doping;
    m.oxideThickness = 20e-9;
    m.area = 1e-3;
    m.flatBandVoltage = flatBand;
    return m;
}

std::vector<Reading> upAndDown(const gpibsim::ModelSettings& m, double from, double to) {
    const auto c = [&](double v) { return gpibsim::quasiStaticCapacitance(m, v); };
    std::vector<Reading> readings = voltageSweep(from, to, from < to ? 0.02 : -0.02, c);
    const std::vector<Reading> back = voltageSweep(to, from, from < to ? -0.02 : 0.02, c);
    readings.insert(readings.end(), back.begin() + 1, back.end());
    return readings;
}

Result mosOf(const std::vector<Reading>& readings, DopingType type, Inputs inputs = {}) {
    inputs.method = Method::Mos;
    inputs.area = 1e-3;
    inputs.type = type;
    return analyse(inputs, Curve::CapacitanceVoltage, readings);
}

TEST(MosMethod, FindsDopingAndFlatBandOfAnIdealCapacitorOfEitherType) {
    struct Case {
        DopingType type;
        gpibsim::DopingType simType;
        double doping, flatBand, from, to;
    };
    for (const Case& c : {Case{DopingType::P, gpibsim::DopingType::P, 1e16, -0.8, -4.0, 3.0},
                          Case{DopingType::N, gpibsim::DopingType::N, 5e15, 0.3, 4.0, -3.0}}) {
        const auto model = capacitor(c.simType, c.doping, c.flatBand);
        const Result r = mosOf(upAndDown(model, c.from, c.to), c.type);
        ASSERT_FALSE(r.refusal) << *r.refusal;
        EXPECT_NEAR(*r.number("N_cm3") / c.doping, 1.0, 0.03) << c.doping;
        EXPECT_NEAR(*r.number("Vfb_V"), c.flatBand, 0.01) << c.doping;
        // The accumulation plateau sits a little below the oxide's own capacitance.
        EXPECT_NEAR(*r.number("tox_m") / 20e-9, 1.0, 0.03);
        EXPECT_LT(*r.number("Cmin_F"), 0.4 * *r.number("Cox_F"));
        EXPECT_GT(*r.number("r2"), 0.999);
        EXPECT_FALSE(r.fitted.empty());
    }
}

TEST(MosMethod, TakesTheDopingInAWindowGivenAndRefusesTheWrongType) {
    const auto model = capacitor(gpibsim::DopingType::P, 1e16, -0.8);
    const std::vector<Reading> readings = upAndDown(model, -4.0, 3.0);
    Inputs window;
    window.from = -0.6;
    window.to = -0.2;
    const Result r = mosOf(readings, DopingType::P, window);
    EXPECT_NEAR(*r.number("N_cm3") / 1e16, 1.0, 0.03);
    EXPECT_EQ(r.number("depletion_from_V"), -0.6);
    EXPECT_EQ(r.number("readings"), 2 * 21); // both branches
    EXPECT_EQ(mosOf(readings, DopingType::N, window).refusal,
              "1/C² does not rise as the voltage falls in the depletion window, as it does over "
              "n-type silicon");
}

TEST(MottSchottkyMethod, FindsTheBuiltInVoltageAndTheDoping) {
    const double area = 1e-3, doping = 3e16, builtIn = 0.7;
    const auto c = [&](double v) {
        return 1.0 /
               std::sqrt(2.0 * (builtIn - v) / (kCharge * 11.7 * kVacuum * doping * area * area));
    };
    Inputs inputs;
    inputs.method = Method::MottSchottky;
    inputs.area = area;
    const Result r = analyse(inputs, Curve::CapacitanceVoltage, voltageSweep(-5.0, 0.0, 0.05, c));
    ASSERT_FALSE(r.refusal) << *r.refusal;
    EXPECT_NEAR(*r.number("Vbi_V"), builtIn, 0.005);
    EXPECT_NEAR(*r.number("N_cm3") / doping, 1.0, 0.005);
    EXPECT_GT(*r.number("r2"), 0.99999);
}

} // namespace
} // namespace analysis::test
