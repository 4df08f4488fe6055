#include "data_file_reader.h"

#include "data_file_text.h"

#include "platform/app_error.h"
#include "quenta/numtext/numtext.h"
#include "settings/whole_file.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace datafile {

namespace {

constexpr std::size_t kFieldsBeforeReply = 6;
constexpr std::size_t kLargestFile = std::size_t{1} << 30;

// The first six fields, and in the seventh the rest of the line; nullopt with fewer fields.
std::optional<std::array<std::string_view, kFieldsBeforeReply + 1>>
splitFields(std::string_view line) {
    std::array<std::string_view, kFieldsBeforeReply + 1> fields;
    for (std::size_t i = 0; i < kFieldsBeforeReply; ++i) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            return std::nullopt;
        fields[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    fields[kFieldsBeforeReply] = line;
    return fields;
}

std::optional<std::int32_t> wholeNumber(std::string_view field) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

// A value no 32-bit reading can hold (1e39 would be infinity) is no reading of this program.
std::optional<float> number(std::string_view field) {
    const std::optional<double> value = numtext::parseNumber(field);
    if (!value || !(std::fabs(*value) <= std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(*value);
}

// The line without the CR of its CR LF.
std::string_view withoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The text's first line is the header line, line end included.
bool opensWithHeader(std::string_view text) {
    const std::size_t end = text.find('\n');
    return end != std::string_view::npos && withoutLineEnd(text.substr(0, end)) == kDataFileHeader;
}

bool startsWithHeader(std::istream& file) {
    std::string start(kDataFileHeader.size() + kLineEnd.size(), '\0');
    file.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(file.gcount()));
    return opensWithHeader(start);
}

} // namespace

std::optional<DataFileLine> parseDataFileLine(std::string_view line) {
    const auto fields = splitFields(line);
    if (!fields)
        return std::nullopt;
    const auto& [index, time, measurement, voltage, units, atLimit, reply] = *fields;
    const std::optional<std::int32_t> indexValue = wholeNumber(index);
    const std::optional<float> timeValue = number(time);
    const std::optional<float> measured = number(measurement);
    const std::optional<float> applied = number(voltage);
    if (!indexValue || !timeValue || !measured || !applied || units.empty() ||
        (atLimit != "" && atLimit != "*"))
        return std::nullopt;
    DataFileLine parsed;
    parsed.reading.Index = *indexValue;
    parsed.reading.Timerel = *timeValue;
    parsed.reading.Current = *measured;
    parsed.reading.Voltage = *applied;
    parsed.reading.AtCurrentLimit = atLimit == "*";
    parsed.reading.RawData = reply;
    parsed.units = units;
    parsed.text = line;
    return parsed;
}

std::optional<DataFileContents> parseDataFileText(std::string_view text) {
    if (!opensWithHeader(text))
        return std::nullopt;
    std::size_t end = text.find('\n');
    DataFileContents contents;
    for (std::size_t start = end + 1; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string_view::npos) {
            contents.unfinished = true;
            break;
        }
        if (auto line = parseDataFileLine(withoutLineEnd(text.substr(start, end - start))))
            contents.lines.push_back(std::move(*line));
        else
            ++contents.skipped;
    }
    return contents;
}

bool isDataFile(const fs::path& path) {
    std::error_code error;
    std::ifstream file;
    if (fs::is_regular_file(path, error))
        file.open(path, std::ios::binary);
    return file.is_open() && startsWithHeader(file);
}

DataFileContents readDataFile(const fs::path& path) {
    const auto notADataFile = [&] {
        return platform::AppError(platform::errnum::InvalidFileFormat,
                                  "Invalid file format (" + path.string() +
                                      " is no data file of this program: its first line is not "
                                      "the data file's header)",
                                  "readDataFile");
    };
    // Anything but a regular file could block or never end; a large file that is no data file
    // is refused before it is read whole.
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::exists(status) && !fs::is_regular_file(status))
        throw notADataFile();
    if (std::ifstream file(path, std::ios::binary); file.is_open() && !startsWithHeader(file))
        throw notADataFile();
    const std::optional<std::string> text = settings::readWholeFile(path, kLargestFile);
    if (!text)
        throw platform::fileError(ENOENT, path.string(), "readDataFile");
    std::optional<DataFileContents> contents = parseDataFileText(*text);
    if (!contents)
        throw notADataFile();
    return std::move(*contents);
}

} // namespace datafile
