#pragma once

#include "chart_picture.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// What --analyse is asked: the method and its inputs, each as given (unchecked against the
// method, which the analysis does).
struct AnalysisRequest {
    std::optional<std::string> method;
    std::optional<double> from; // the window, V (s for a current against time)
    std::optional<double> to;
    std::optional<double> at;          // V
    std::optional<double> threshold;   // A
    std::optional<double> area;        // cm²
    std::optional<double> temperature; // K
    std::optional<double> epsOx;       // relative permittivities
    std::optional<double> epsS;
    std::optional<char> type; // 'n' or 'p'

    bool any() const {
        return method || from || to || at || threshold || area || temperature || epsOx || epsS ||
               type;
    }
};

// Everything the command line can say. Each option is one row of the table in options.cpp.
struct ProgramOptions {
    std::optional<std::string> appDir;
    std::optional<std::string> driver;
    // A headless run: the configuration to load, the data file to write, the chart picture to
    // save (PNG or PDF by its extension) and its size, and whether time is virtual (the
    // simulator only).
    std::optional<std::string> run;
    std::optional<std::string> data;
    std::optional<std::string> plot;
    std::optional<PictureSize> plotSize;
    // A headless series: every step of the series file, one test after another.
    std::optional<std::string> series;
    bool dryRun = false;
    // Limits of a headless run (each step of a series), in seconds (virtual ones in a dry run):
    // polls failing without a break for longer than the bus timeout end it as lost, a run longer
    // than the maximum time ends as overrun (default: three times its expected length plus a
    // minute).
    std::optional<double> busTimeout;
    std::optional<double> maxTime;
    // Device parameters from a data file, printed as key=value lines, without a window.
    std::optional<std::string> analyse;
    AnalysisRequest analysis;
    bool help = false;
    bool version = false;
};

class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name; an unknown option, a missing value, a stray
// argument or options that do not go together raise OptionError with a message for the user.
ProgramOptions parseOptions(const std::vector<std::string>& arguments);

std::string usageText(const std::string& programName);
std::string versionText(); // "TARVIX-4140B v2.5.2"

} // namespace platform
