#pragma once

// The methods that take device parameters from a run's readings, what each is told, and what it
// gives back. analyse() is the one entry: the analyse panel and the headless --analyse both call
// it with the readings and the inputs and show the result.

#include "readings.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

enum class Method { Diode, Leakage, Breakdown, Mos, MottSchottky, Decay, PowerLaw };
enum class DopingType { N, P };

// "diode", "leakage", "breakdown", "mos", "mott-schottky", "decay", "power-law".
std::string_view methodName(Method method);
std::optional<Method> methodNamed(std::string_view name);
// The methods for a curve, in the order a list offers them.
std::vector<Method> methodsFor(Curve curve);
// "I" (current against time), "I-V", "C-V": the names the panel gives the test functions.
std::string_view curveName(Curve curve);
std::optional<Curve> curveNamed(std::string_view name);
// "current against time (I)", "current against voltage (I-V)", ...
std::string curveDescription(Curve curve);

inline constexpr double kDefaultTemperature = 300.0; // K
inline constexpr double kSiliconDioxide = 3.9;       // relative permittivity
inline constexpr double kSilicon = 11.7;

// What a method is told besides the readings. The window takes the readings whose horizontal
// value (V, or s for a current against time) lies from `from` to `to`; an end not given is
// open.
struct Inputs {
    Method method = Method::Diode;
    std::optional<double> from;
    std::optional<double> to;
    std::optional<double> at;                 // V: the bias of a leakage current
    std::optional<double> threshold;          // A: the current that marks breakdown
    std::optional<double> area;               // cm²
    double temperature = kDefaultTemperature; // K
    double epsOx = kSiliconDioxide;
    double epsS = kSilicon;
    DopingType type = DopingType::P;
};

// The inputs a method uses, beyond the window.
struct InputUse {
    bool at = false, threshold = false, area = false, temperature = false, epsOx = false,
         epsS = false, type = false;
};
InputUse inputsOf(Method method);

// One value of a result: a key with its unit ("Is_A", "tox_m", "N_cm3"), the number when there
// is one, and the text that shows it (the number with six significant digits, a word such as
// "yes", or why the value was not determined: "not determined: ...").
struct ResultValue {
    std::string key;
    std::optional<double> number;
    std::string text;
};

struct Result {
    Inputs inputs;
    Curve curve = Curve::CurrentVoltage;
    // Why the method gives nothing here: the wrong curve for it, too few readings in the window,
    // an input it needs and lacks. Empty values then.
    std::optional<std::string> refusal;
    // The parameters, then how well the fit went (r2, ...) and which readings it used.
    std::vector<ResultValue> values;
    // What to draw over the readings, as (x, value) points like the readings': the fitted curve
    // over the window, or the one point a read-out marks.
    std::vector<Point> fitted;

    const ResultValue* find(std::string_view key) const;
    // The number of a value; nullopt when the key is absent or not a number.
    std::optional<double> number(std::string_view key) const;
};

// Runs the method of the inputs on the readings (in reading order); readings holding a number
// that is not finite are left out. Never throws on any readings or inputs: what it cannot do it
// refuses with a reason.
Result analyse(const Inputs& inputs, Curve curve, std::span<const Reading> readings);

} // namespace analysis
