#include "platform/app_error.h"
#include "platform/folders.h"
#include "platform/options.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::string programName = argc > 0 ? argv[0] : "tarvix4140";
    platform::ProgramOptions options;
    try {
        options = platform::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const platform::OptionError& error) {
        std::cerr << programName << ": " << error.what() << "\n\n" << platform::usageText(programName);
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
    try {
        std::optional<std::filesystem::path> chosen;
        if (options.appDir)
            chosen = *options.appDir;
        platform::setProgramFolders(platform::resolveFolders(platform::executablePath(), chosen));
    } catch (const platform::AppError& error) {
        std::cerr << programName << ": " << error.description() << '\n';
        return 1;
    }
    std::cout << platform::versionText() << '\n'
              << "install folder: " << platform::programFolders().install.string() << '\n'
              << "program folder: " << platform::programFolders().program.string() << '\n';
    return 0;
}
