#include "app/headless_analysis.h"

#include "analysis/method.h"
#include "analysis/record.h"
#include "app/datafile/analysis_readings.h"
#include "app/datafile/data_file_reader.h"
#include "app/table/units.h"
#include "platform/app_error.h"

#include <optional>
#include <vector>

namespace app {

namespace {

std::string methodList() {
    std::string list;
    for (const auto curve : {analysis::Curve::CurrentVoltage, analysis::Curve::CapacitanceVoltage,
                             analysis::Curve::CurrentTime})
        for (const analysis::Method method : analysis::methodsFor(curve))
            list += (list.empty() ? "" : ", ") + std::string(analysis::methodName(method));
    return list;
}

analysis::Inputs inputsOf(analysis::Method method, const platform::AnalysisRequest& request) {
    analysis::Inputs in;
    in.method = method;
    in.from = request.from;
    in.to = request.to;
    in.at = request.at;
    in.threshold = request.threshold;
    in.area = request.area;
    in.temperature = request.temperature.value_or(in.temperature);
    in.epsOx = request.epsOx.value_or(in.epsOx);
    in.epsS = request.epsS.value_or(in.epsS);
    if (request.type == 'n')
        in.type = analysis::DopingType::N;
    return in;
}

struct FileReadings {
    datafile::AnalysisReadings taken;
    std::string units;
    std::size_t leftOut = 0; // lines that do not parse, and readings without a value
};

FileReadings readingsOf(const std::string& path) {
    const datafile::DataFileContents contents = datafile::readDataFile(path);
    std::vector<HP4140DataType> readings;
    for (const datafile::DataFileLine& line : contents.lines)
        readings.push_back(line.reading);
    FileReadings file;
    file.taken = datafile::analysisReadings(readings);
    if (!contents.lines.empty())
        file.units = contents.lines.front().units;
    file.leftOut = contents.skipped + (contents.unfinished ? 1 : 0) + file.taken.leftOut;
    return file;
}

} // namespace

int RunAnalysis(const std::string& programName, const platform::ProgramOptions& options,
                std::ostream& out, std::ostream& err) {
    const std::string& path = *options.analyse;
    const auto refuse = [&](const std::string& why) {
        err << programName << ": " << why << '\n';
        return 2;
    };
    const std::optional<analysis::Method> method =
        analysis::methodNamed(options.analysis.method.value_or(""));
    if (!method)
        return refuse("unknown method \"" + options.analysis.method.value_or("") +
                      "\"; the methods are " + methodList());
    FileReadings file;
    try {
        file = readingsOf(path);
    } catch (const platform::AppError& error) {
        err << programName << ": " << error.number() << ": " << error.description() << '\n';
        return 1;
    }
    if (file.leftOut > 0)
        err << programName << ": " << file.leftOut << " line(s) of " << path
            << " left out: over range, unreadable or cut short\n";
    const bool capacitance = file.units == table::unitsCaption(hp4140::Function::CV);
    if (file.taken.readings.empty() ||
        (!capacitance && file.units != table::unitsCaption(hp4140::Function::IV)))
        return refuse(path + " holds no reading with a value in amperes or farads");
    const analysis::Result result =
        analysis::analyse(inputsOf(*method, options.analysis),
                          datafile::curveOf(capacitance, file.taken.readings), file.taken.readings);
    if (result.refusal)
        return refuse(*result.refusal);
    for (const auto& [key, value] : analysis::analysisLines(result))
        out << key << '=' << value << '\n';
    return 0;
}

} // namespace app
