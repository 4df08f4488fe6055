#include "options.h"

#include "message_box.h"

#include <functional>
#include <span>

namespace platform {

namespace {

struct OptionRow {
    const char* name;
    const char* valueName; // nullptr for a flag
    const char* help;
    std::function<void(ProgramOptions&, const std::string&)> apply;
};

const std::vector<OptionRow>& optionTable() {
    static const std::vector<OptionRow> table{
        {"--app-dir", "DIR", "use DIR as the program folder (settings, config/, data/, logs/)",
         [](ProgramOptions& o, const std::string& v) { o.appDir = v; }},
        {"--driver", "NAME|PATH", "GPIB driver library to bind (\"sim\": the simulated instrument)",
         [](ProgramOptions& o, const std::string& v) { o.driver = v; }},
        {"--run", "CONFIG.ini", "run the test of this configuration without a window, then exit",
         [](ProgramOptions& o, const std::string& v) { o.run = v; }},
        {"--data", "OUT.txt", "with --run: the data file to write",
         [](ProgramOptions& o, const std::string& v) { o.data = v; }},
        {"--plot", "OUT.png", "with --run: save the chart as a PNG image after the run",
         [](ProgramOptions& o, const std::string& v) { o.plot = v; }},
        {"--dry-run", nullptr,
         "with --run and --driver sim: run in virtual time, so a long test takes seconds",
         [](ProgramOptions& o, const std::string&) { o.dryRun = true; }},
        {"--help", nullptr, "show this help and exit",
         [](ProgramOptions& o, const std::string&) { o.help = true; }},
        {"--version", nullptr, "show the version and exit",
         [](ProgramOptions& o, const std::string&) { o.version = true; }},
    };
    return table;
}

const OptionRow* findOption(const std::string& name) {
    for (const OptionRow& row : optionTable())
        if (name == row.name)
            return &row;
    return nullptr;
}

void checkCombinations(const ProgramOptions& options) {
    if (options.run && !options.data)
        throw OptionError("--run needs --data OUT.txt, the data file to write");
    if (!options.run && (options.data || options.plot || options.dryRun))
        throw OptionError("--data, --plot and --dry-run go with --run CONFIG.ini");
    if (options.dryRun && options.driver != "sim")
        throw OptionError("--dry-run needs the simulated instrument: add --driver sim");
}

} // namespace

ProgramOptions parseOptions(const std::vector<std::string>& arguments) {
    ProgramOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const OptionRow* row = findOption(name);
        if (!row)
            throw OptionError(name.starts_with("-") ? "unknown option " + name
                                                    : "unexpected argument " + name);
        if (row->valueName && !value) {
            if (i + 1 >= arguments.size())
                throw OptionError("option " + name + " needs a value " + row->valueName);
            value = arguments[++i];
        }
        if (!row->valueName && value)
            throw OptionError("option " + name + " takes no value");
        row->apply(options, value.value_or(""));
    }
    checkCombinations(options);
    return options;
}

std::string usageText(const std::string& programName) {
    std::string text = "Usage: " + programName + " [options]\n\nOptions:\n";
    for (const OptionRow& row : optionTable()) {
        std::string left = std::string("  ") + row.name;
        if (row.valueName)
            left += std::string(" ") + row.valueName;
        left.resize(std::max<std::size_t>(left.size() + 2, 28), ' ');
        text += left + row.help + "\n";
    }
    return text;
}

std::string versionText() {
    return titleLine();
}

} // namespace platform
