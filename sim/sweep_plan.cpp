#include "sim/sweep_plan.h"

#include <algorithm>
#include <cmath>

namespace gpibsim {

namespace {

// Counting readings at times that are sums of decimal settings must not lose one to rounding.
constexpr double kSlack = 1e-9;

} // namespace

SweepPlan::SweepPlan(const InstrumentSetup& setup, double readingTime, double startTime)
    : start_(startTime) {
    const bool held = setup.ramp == Ramp::Constant || setup.function == MeasureFunction::Current;
    const bool stair = setup.function == MeasureFunction::CurrentVoltage &&
                       (setup.ramp == Ramp::StairUp || setup.ramp == Ramp::StairUpDown);
    shape_ = held ? Shape::Held : stair ? Shape::Stair : Shape::Sweep;
    heldVoltage_ = setup.holdVoltage;
    origin_ = setup.startVoltage;

    const double span = setup.stopVoltage - setup.startVoltage;
    const double direction = span < 0.0 ? -1.0 : 1.0;
    const double stepSize = std::fabs(setup.stepVoltage);
    step_ = direction * stepSize;
    rate_ = direction * setup.rampRate;
    // The command set never lets a step or rate of 0 through; should one come, the run is a
    // single reading at PS rather than a division by zero.
    const bool moves = stepSize > 0.0 && setup.rampRate > 0.0;
    levels_ = moves ? static_cast<long>(std::floor(std::fabs(span) / stepSize + kSlack)) + 1 : 1;
    const bool upDown = setup.ramp == Ramp::SweepUpDown || setup.ramp == Ramp::StairUpDown;

    switch (shape_) {
    case Shape::Held:
        interval_ = readingTime;
        first_ = startTime + setup.holdTime + readingTime;
        return;
    case Shape::Stair:
        interval_ = std::max(setup.stepDelay, readingTime);
        first_ = startTime + setup.holdTime + interval_;
        break;
    case Shape::Sweep:
        interval_ = moves ? stepSize / setup.rampRate : readingTime;
        first_ = startTime + setup.holdTime;
        break;
    }
    length_ = upDown ? 2 * levels_ - 1 : levels_;
}

void SweepPlan::limitLength(long readings) {
    length_ = length_ ? std::min(*length_, readings) : readings;
}

long SweepPlan::dueBy(double time) const {
    if (time + kSlack < first_)
        return 0;
    const double steps = std::floor((time - first_) / interval_ + kSlack);
    const double due = steps + 1.0;
    if (length_)
        return static_cast<long>(std::min(due, static_cast<double>(*length_)));
    return due > 1e15 ? static_cast<long>(1e15) : static_cast<long>(due);
}

double SweepPlan::offsetOf(long index) const {
    return static_cast<double>(index) * interval_;
}

long SweepPlan::levelOf(long index) const {
    return index < levels_ ? index : 2 * (levels_ - 1) - index;
}

SweepPlan::Point SweepPlan::point(long index) const {
    const double ready = first_ + offsetOf(index);
    switch (shape_) {
    case Shape::Held:
        return {ready, heldVoltage_, 0.0, ready - start_};
    case Shape::Stair:
        return {ready, origin_ + step_ * static_cast<double>(levelOf(index)), 0.0,
                index == 0 ? ready - start_ : interval_};
    case Shape::Sweep:
        break;
    }
    const bool returning = index >= levels_;
    return {ready, origin_ + step_ * static_cast<double>(levelOf(index)),
            returning ? -rate_ : rate_, ready - start_};
}

} // namespace gpibsim
