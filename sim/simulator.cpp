#include "sim/simulator.h"

#include "sim/settings_keys.h"

namespace gpibsim {

Simulator::Simulator() : instrument_(settings_), board_(settings_, clock_, instrument_, trace_) {}

void Simulator::reset() {
    const bool virtualTime = clock_.isVirtual();
    settings_ = SimSettings{};
    settings_.virtualTime = virtualTime;
    clock_.restart();
    instrument_.powerOn();
    board_.powerOn();
}

void Simulator::followSettings() {
    clock_.setVirtual(settings_.virtualTime);
    instrument_.advanceTo(clock_.now());
}

ConfigReport Simulator::loadConfig(const std::string& path) {
    ConfigReport report = readConfigFile(path, settings_);
    followSettings();
    for (const std::string& problem : report.problems)
        trace_.note(clock_.now(), "config " + path + ": " + problem);
    return report;
}

std::string Simulator::configure(std::string_view section, std::string_view key,
                                 std::string_view value) {
    std::string problem = applySetting(settings_, section, key, value);
    followSettings();
    return problem;
}

void Simulator::clearFaults() {
    settings_.faults = FaultSettings{};
}

bool Simulator::openTrace(const std::string& path) {
    return trace_.open(path);
}

bool Simulator::setTime(double seconds) {
    const bool moved = clock_.setTime(seconds);
    instrument_.advanceTo(clock_.now());
    return moved;
}

bool Simulator::advance(double seconds) {
    const bool moved = clock_.advance(seconds);
    instrument_.advanceTo(clock_.now());
    return moved;
}

std::optional<double> Simulator::nextReadingTime() {
    instrument_.advanceTo(clock_.now());
    return instrument_.nextOfferTime();
}

} // namespace gpibsim
