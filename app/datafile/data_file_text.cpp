#include "data_file_text.h"

#include "quenta/numtext/numtext.h"

#include <algorithm>

namespace datafile {

namespace {

constexpr char kTab = '\t';
// A line holds the reply (padded to 200 characters) and about fifty more.
constexpr std::size_t kLineEstimate = 260;

std::size_t nextLineBreak(std::string_view raw) {
    return std::min(raw.find('\r'), raw.find('\n'));
}

// The reply is copied in runs between its line breaks.
void appendRawField(std::string& text, std::string_view raw) {
    for (std::size_t lineBreak = nextLineBreak(raw); lineBreak != std::string_view::npos;
         lineBreak = nextLineBreak(raw)) {
        text.append(raw.substr(0, lineBreak));
        raw.remove_prefix(lineBreak + 1);
    }
    text.append(raw);
}

} // namespace

void appendDataFileLine(std::string& text, const HP4140DataType& reading, std::string_view units) {
    text.append(std::to_string(reading.Index)).push_back(kTab);
    text.append(numtext::formatGeneralSingle(reading.Timerel)).push_back(kTab);
    text.append(numtext::formatGeneralSingle(reading.Current)).push_back(kTab);
    text.append(numtext::formatGeneralSingle(reading.Voltage)).push_back(kTab);
    text.append(units).push_back(kTab);
    text.append(reading.AtCurrentLimit ? "*" : "").push_back(kTab);
    appendRawField(text, reading.RawData);
}

std::string dataFileText(const DataCollection& readings, std::string_view units) {
    std::string text;
    text.reserve(kDataFileHeader.size() + kLineEnd.size() + readings.Count() * kLineEstimate);
    text.append(kDataFileHeader).append(kLineEnd);
    for (const auto& reading : readings) {
        appendDataFileLine(text, *reading, units);
        text.append(kLineEnd);
    }
    return text;
}

} // namespace datafile
