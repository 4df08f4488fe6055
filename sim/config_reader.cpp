#include "sim/config_reader.h"

#include "sim/settings_keys.h"

#include <fstream>

namespace gpibsim {

namespace {

std::string_view withoutBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The problem of one line, or an empty text.
std::string readLine(std::string_view line, std::string& section, SimSettings& settings) {
    line = withoutBlanks(line);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return {};
    if (line.front() == '[') {
        if (line.back() != ']')
            return "a section name needs a closing ']'";
        section = std::string(withoutBlanks(line.substr(1, line.size() - 2)));
        return {};
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return "expected key = value";
    if (section.empty())
        return "a key before the first [section]";
    return applySetting(settings, section, line.substr(0, equals), line.substr(equals + 1));
}

} // namespace

ConfigReport readConfig(std::istream& in, SimSettings& settings) {
    ConfigReport report{.opened = true, .problems = {}};
    std::string section;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string problem = readLine(line, section, settings);
        if (!problem.empty())
            report.problems.push_back("line " + std::to_string(number) + ": " + problem);
    }
    return report;
}

ConfigReport readConfigFile(const std::string& path, SimSettings& settings) {
    std::ifstream in(path);
    if (!in)
        return {.opened = false, .problems = {"cannot open " + path}};
    return readConfig(in, settings);
}

} // namespace gpibsim
