#include "data_file_text.h"

#include "quenta/numtext/numtext.h"

#include <algorithm>

namespace datafile {

namespace {

constexpr char kTab = '\t';
// A line holds the reply (padded to 200 characters) and about fifty more.
constexpr std::size_t kLineEstimate = 260;

constexpr auto isControl = [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 32 || byte == 127;
};

// The reply stays one field on one line: CR and LF go, and any other control character (a tab
// would split the field) becomes one blank. It is copied in runs between control characters.
void appendRawField(std::string& text, std::string_view raw) {
    for (auto at = raw.begin(); at != raw.end();) {
        const auto control = std::find_if(at, raw.end(), isControl);
        text.append(at, control);
        if (control == raw.end())
            break;
        if (*control != '\r' && *control != '\n')
            text.push_back(' ');
        at = control + 1;
    }
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
