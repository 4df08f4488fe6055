#include "app/app_main.h"
#include "app/headless_analysis.h"
#include "platform/options.h"

#include <iostream>
#include <string>
#include <vector>

// Options that only print, and an analysis of a data file, are answered before anything needs a
// display.
int main(int argc, char** argv) {
    const std::string programName = argc > 0 ? argv[0] : "tarvix4140";
    platform::ProgramOptions options;
    try {
        options = platform::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const platform::OptionError& error) {
        std::cerr << programName << ": " << error.what() << "\n\n"
                  << platform::usageText(programName);
        return 2;
    }
    if (options.help) {
        std::cout << platform::usageText(programName);
        return 0;
    }
    if (options.version) {
        std::cout << platform::versionText() << '\n';
        return 0;
    }
    if (options.analyse)
        return app::RunAnalysis(programName, options, std::cout, std::cerr);
    return app::AppMain(argc, argv, options);
}
