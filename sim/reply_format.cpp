#include "sim/reply_format.h"

#include <charconv>
#include <cmath>

namespace gpibsim {

namespace {

// The number with a leading sign; a value that rounds to zero is written with "+".
std::string signedText(double value, std::chars_format format, int precision) {
    char digits[64];
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, std::fabs(value), format, precision);
    std::string text(digits, ec == std::errc() ? end : digits);
    for (char& c : text)
        if (c == 'e')
            c = 'E';
    const bool zero = text.find_first_of("123456789") >= text.find('E');
    text.insert(text.begin(), value < 0.0 && !zero ? '-' : '+');
    return text;
}

std::string valueField(const Reading& r) {
    const double value = r.status == ReadingStatus::OverRange ? kOverRangeValue : r.value;
    return signedText(value, std::chars_format::scientific, 3);
}

std::string header(const Reading& r) {
    return {static_cast<char>(r.status), 'A', r.capacitance ? 'C' : 'I'};
}

std::string voltageField(const Reading& r) {
    std::string field = signedText(r.voltage, std::chars_format::fixed, 2);
    field.insert(field.begin(), 'V');
    return field;
}

} // namespace

std::string formatReply(const Reading& reading) {
    return header(reading) + valueField(reading) + "," + voltageField(reading) + "\r\n";
}

std::string garbledReply(const Reading& reading, GarbleKind kind) {
    switch (kind) {
    case GarbleKind::NoComma:
        return header(reading) + valueField(reading) + " " + voltageField(reading) + "\r\n";
    case GarbleKind::TooShort:
        return header(reading).substr(0, 2) + "\r\n";
    case GarbleKind::NotNumber:
        return header(reading) + "+?.???E-??," + voltageField(reading) + "\r\n";
    }
    return formatReply(reading);
}

} // namespace gpibsim
