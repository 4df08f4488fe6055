#include "parse_hp4140_data.h"

#include "platform/text_fields.h"
#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace {

constexpr std::size_t kMinimumLength = 4;
constexpr std::size_t kSkippedLeading = 3;
constexpr const char* kSeparator = ",";

void report(platform::LogSink* log, const std::string& problem) {
    if (log != nullptr)
        log->SendString("Bad Data: " + problem);
}

// The strict conversion: the whole field, blanks and line breaks around it aside, must be a
// number that a 32-bit float can hold (tiny magnitudes become 0, as the float rounds them).
std::optional<float> toSingle(std::string_view field, const std::string& what,
                              platform::LogSink* log) {
    const std::optional<double> value = numtext::parseNumber(field);
    if (!value) {
        report(log, what + " is not a number.");
        return std::nullopt;
    }
    if (std::fabs(*value) > std::numeric_limits<float>::max()) {
        report(log, what + " is beyond the single-precision range.");
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

// The voltage field starts with one character that is not part of the number.
std::string_view voltageText(std::string_view field) {
    return field.substr(std::min<std::size_t>(1, field.size()));
}

float atLeastSmallestMagnitude(float value) {
    return std::fabs(value) < hp4140::kSmallestMagnitude ? hp4140::kSmallestMagnitude : value;
}

std::string withoutLineBreaks(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n')
            result += c;
    return result;
}

} // namespace

bool ParseHP4140Data(HP4140DataType& reading, platform::LogSink* log) {
    reading.Current = 0.0f;
    reading.Voltage = 0.0f;
    reading.OutOfRange = false;
    if (reading.RawData.size() < kMinimumLength) {
        report(log, "length is less than four characters long.");
        return false;
    }
    const std::string_view fields = std::string_view(reading.RawData).substr(kSkippedLeading);
    if (fields.find(kSeparator) == std::string_view::npos) {
        report(log, "there is no delimitting comma in the data.");
        return false;
    }
    const std::optional<float> value =
        toSingle(platform::textField(fields, 1, kSeparator), "the measured value", log);
    if (!value)
        return false;
    const std::string voltageField = platform::textField(fields, 2, kSeparator);
    const std::optional<float> voltage = toSingle(voltageText(voltageField), "the voltage", log);
    if (!voltage)
        return false;
    reading.OutOfRange = *value == hp4140::kOutOfRangeMarker;
    reading.Current =
        reading.OutOfRange ? hp4140::kOutOfRangeValue : atLeastSmallestMagnitude(*value);
    reading.Voltage = *voltage;
    reading.RawData = withoutLineBreaks(reading.RawData);
    return true;
}
