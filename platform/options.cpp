#include "options.h"

#include "message_box.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <span>
#include <string_view>

namespace platform {

namespace {

double seconds(const std::string& name, const std::string& text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value <= 0.0)
        throw OptionError("option " + name + " needs a number of seconds above 0, not \"" + text +
                          "\"");
    return value;
}

// Every byte sequence of the name is valid UTF-8: what a name's bytes mean is the file system's
// business elsewhere, but a data file whose name no one can type or read back is a slip.
bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size() || (length == 2 && lead < 0xC2))
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2)
                return false;
        i += length;
    }
    return true;
}

// The name as it can be shown: bytes that are no UTF-8 as \xFF.
std::string shownName(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && byte >= 0x20) {
            shown.push_back(c);
            continue;
        }
        static constexpr char kHex[] = "0123456789ABCDEF";
        shown += "\\x";
        shown.push_back(kHex[byte >> 4]);
        shown.push_back(kHex[byte & 0xF]);
    }
    return shown;
}

std::string dataPath(const std::string& path) {
    if (path.empty())
        throw OptionError("option --data needs the name of the data file to write");
    if (!isUtf8(path))
        throw OptionError("option --data needs a file name in UTF-8, not \"" + shownName(path) +
                          "\"");
    return path;
}

double finiteNumber(const std::string& name, const std::string& text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw OptionError("option " + name + " needs a number, not \"" + text + "\"");
    return value;
}

double positiveNumber(const std::string& name, const std::string& text) {
    const double value = finiteNumber(name, text);
    if (!(value > 0.0))
        throw OptionError("option " + name + " needs a number above 0, not \"" + text + "\"");
    return value;
}

char dopingType(const std::string& text) {
    if (text != "n" && text != "p")
        throw OptionError("option --type needs n or p, not \"" + text + "\"");
    return text[0];
}

std::string plotPath(const std::string& path) {
    if (!pictureFormatOf(path))
        throw OptionError("option --plot needs a file name ending in .png or .pdf, not \"" + path +
                          "\"");
    return path;
}

PictureSize plotSize(const std::string& text) {
    const std::optional<PictureSize> size = parsePictureSize(text);
    if (!size)
        throw OptionError("option --plot-size needs WIDTHxHEIGHT in pixels, each " +
                          std::to_string(kSmallestPictureSide) + " to " +
                          std::to_string(kLargestPictureSide) + ", not \"" + text + "\"");
    return *size;
}

const char* const kExitStatusText =
    "\nA run with --run replaces the --data file. Exit status:\n"
    "  0    the test ran to its end and every reading is in the data file\n"
    "  1    a failure: the driver, the instrument or a file\n"
    "  2    bad usage, a configuration that cannot be read, or a set-up that cannot run\n"
    "  3    the instrument was lost or the run overran\n"
    "  4    the test ran to its end with readings missing or unreadable\n"
    "  128+N  stopped by signal N (129 SIGHUP, 130 SIGINT, 143 SIGTERM)\n"
    "When several apply, the first of: a signal, 1, 3, 4.\n"
    "\nA run with --series runs each step as --run would and exits with the first that applies\n"
    "over its steps of: a signal, 1, 2 (a step refused), 3, 4.\n"
    "\nA run with --analyse prints key=value lines. Exit status: 0 with the values, 1 for a file\n"
    "that cannot be read, 2 for a method that does not fit the file's readings or a window with\n"
    "too few of them.\n";

struct OptionRow {
    const char* name;
    const char* valueName; // nullptr for a flag
    std::string help;
    std::function<void(ProgramOptions&, const std::string&)> apply;
};

const std::vector<OptionRow>& optionTable() {
    static const std::vector<OptionRow> table{
        {"--app-dir", "DIR", "use DIR as the program folder (settings, config/, data/, logs/)",
         [](ProgramOptions& o, const std::string& v) { o.appDir = v; }},
        {"--driver", "NAME|PATH",
         "GPIB driver library to bind (\"sim\": the simulated instrument; "
         "\"prologix:/dev/ttyUSB0[?baud=N]\" or \"prologix:tcp://HOST[:PORT]\": a Prologix or "
         "AR488 adapter)",
         [](ProgramOptions& o, const std::string& v) { o.driver = v; }},
        {"--run", "CONFIG.ini", "run the test of this configuration without a window, then exit",
         [](ProgramOptions& o, const std::string& v) { o.run = v; }},
        {"--series", "NAME.series.ini",
         "run every step of this series without a window, then exit; its summary goes beside "
         "its data files",
         [](ProgramOptions& o, const std::string& v) { o.series = v; }},
        {"--data", "OUT.txt", "with --run: the data file to write",
         [](ProgramOptions& o, const std::string& v) { o.data = dataPath(v); }},
        {"--plot", "OUT.png|OUT.pdf",
         "with --run: save the chart after the run, a PNG image or a PDF page by the extension",
         [](ProgramOptions& o, const std::string& v) { o.plot = plotPath(v); }},
        {"--plot-size", "WxH",
         "with --plot: the picture's size in pixels (default " +
             std::to_string(kReportPictureSize.width) + "x" +
             std::to_string(kReportPictureSize.height) + ")",
         [](ProgramOptions& o, const std::string& v) { o.plotSize = plotSize(v); }},
        {"--bus-timeout", "SECONDS",
         "with --run or --series: end a run as lost when the instrument has not answered for "
         "this long (default 30)",
         [](ProgramOptions& o, const std::string& v) {
             o.busTimeout = seconds("--bus-timeout", v);
         }},
        {"--max-time", "SECONDS",
         "with --run or --series: end a run as overrun when it goes on longer (default three "
         "times its expected length plus 60)",
         [](ProgramOptions& o, const std::string& v) { o.maxTime = seconds("--max-time", v); }},
        {"--dry-run", nullptr,
         "with --run or --series and --driver sim: run in virtual time, so a long test takes "
         "seconds",
         [](ProgramOptions& o, const std::string&) { o.dryRun = true; }},
        {"--analyse", "DATA.txt",
         "print device parameters from a data file as key=value lines, then exit",
         [](ProgramOptions& o, const std::string& v) { o.analyse = v; }},
        {"--method", "METHOD",
         "with --analyse: diode, leakage, breakdown, mos, mott-schottky, decay or power-law",
         [](ProgramOptions& o, const std::string& v) { o.analysis.method = v; }},
        {"--from", "X", "with --analyse: the window's start, V (s for a current against time)",
         [](ProgramOptions& o, const std::string& v) {
             o.analysis.from = finiteNumber("--from", v);
         }},
        {"--to", "X", "with --analyse: the window's end",
         [](ProgramOptions& o, const std::string& v) { o.analysis.to = finiteNumber("--to", v); }},
        {"--at", "V", "with --method leakage: the bias at which to read the current",
         [](ProgramOptions& o, const std::string& v) { o.analysis.at = finiteNumber("--at", v); }},
        {"--threshold", "A", "with --method breakdown: the current that marks breakdown",
         [](ProgramOptions& o, const std::string& v) {
             o.analysis.threshold = positiveNumber("--threshold", v);
         }},
        {"--area", "CM2", "with --method mos or mott-schottky: the device's area in cm2",
         [](ProgramOptions& o, const std::string& v) {
             o.analysis.area = positiveNumber("--area", v);
         }},
        {"--temperature", "K", "with --analyse: the device's temperature (default 300)",
         [](ProgramOptions& o, const std::string& v) {
             o.analysis.temperature = positiveNumber("--temperature", v);
         }},
        {"--eps-ox", "E", "with --analyse: the oxide's relative permittivity (default 3.9)",
         [](ProgramOptions& o, const std::string& v) {
             o.analysis.epsOx = positiveNumber("--eps-ox", v);
         }},
        {"--eps-s", "E", "with --analyse: the semiconductor's relative permittivity (default 11.7)",
         [](ProgramOptions& o, const std::string& v) {
             o.analysis.epsS = positiveNumber("--eps-s", v);
         }},
        {"--type", "n|p", "with --method mos: the substrate's doping type (default p)",
         [](ProgramOptions& o, const std::string& v) { o.analysis.type = dopingType(v); }},
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
    if (options.run && options.series)
        throw OptionError("--run and --series do not go together");
    if (!options.run && (options.data || options.plot))
        throw OptionError("--data and --plot go with --run CONFIG.ini");
    if (!options.run && !options.series &&
        (options.dryRun || options.busTimeout || options.maxTime))
        throw OptionError("--dry-run, --bus-timeout and --max-time go with --run CONFIG.ini or "
                          "--series NAME.series.ini");
    if (options.plotSize && !options.plot)
        throw OptionError("--plot-size goes with --plot OUT.png or OUT.pdf");
    if (options.dryRun && options.driver != "sim")
        throw OptionError("--dry-run needs the simulated instrument: add --driver sim");
    if (options.analyse && (options.run || options.series))
        throw OptionError("--analyse goes with neither --run nor --series");
    if (options.analyse && !options.analysis.method)
        throw OptionError("--analyse needs --method METHOD, the method to run");
    if (!options.analyse && options.analysis.any())
        throw OptionError("--method, --from, --to, --at, --threshold, --area, --temperature, "
                          "--eps-ox, --eps-s and --type go with --analyse DATA.txt");
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
    return text + kExitStatusText;
}

std::string versionText() {
    return titleLine();
}

} // namespace platform
