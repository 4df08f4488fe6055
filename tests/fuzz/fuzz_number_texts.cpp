// The number texts on any text and picture (the input's first line is the picture, the rest the
// text). Reading always gives a finite number; a text that parses reads as the same number; the
// general forms read back to themselves; a picture of digit placeholders rounds to its decimals;
// the integer conversions round to the nearest integer within the type.

#include "fuzz_check.h"

#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

void checkReading(std::string_view text, double read) {
    fuzz::require(std::isfinite(read), "a text reads as a finite number");
    const std::optional<double> parsed = numtext::parseNumber(text);
    if (!parsed)
        return;
    fuzz::require(std::isfinite(*parsed), "a parsed number is finite");
    // A carriage return is white space around a whole number but stops the reading rule.
    if (text.find('\r') == std::string_view::npos)
        fuzz::require(numtext::readNumber(text) == *parsed, "a whole number reads as it parses");
}

void checkGeneralForms(double value) {
    const std::string general = numtext::formatGeneral(value);
    const std::optional<double> back = numtext::parseNumber(general);
    fuzz::require(back && numtext::formatGeneral(*back) == general,
                  "the general form reads back to itself");
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return;
    const std::string single = numtext::formatGeneralSingle(static_cast<float>(value));
    const std::optional<double> singleBack = numtext::parseNumber(single);
    fuzz::require(singleBack &&
                      numtext::formatGeneralSingle(static_cast<float>(*singleBack)) == single,
                  "the single-precision general form reads back to itself");
}

// A picture of '0' and '#' with at most one point lays out the value rounded to its decimals.
void checkPlaceholderPicture(std::string_view picture, double value, const std::string& laidOut) {
    const bool placeholdersOnly = picture.find_first_not_of("0#.") == std::string_view::npos &&
                                  std::count(picture.begin(), picture.end(), '.') <= 1 &&
                                  picture.find_first_of("0#") != std::string_view::npos;
    if (!placeholdersOnly)
        return;
    const std::size_t point = picture.find('.');
    const auto decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(picture.size() - point - 1);
    const double error = std::fabs(numtext::readNumber(laidOut) - value);
    fuzz::require(error <= 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 1e-14,
                  "a placeholder picture rounds to its decimals");
}

void checkPictures(std::string_view picture, std::string_view text, double value) {
    const std::string laidOut = numtext::formatPicture(value, picture);
    checkPlaceholderPicture(picture, value, laidOut);
    if (!numtext::parseNumber(text))
        fuzz::require(numtext::formatText(text, picture) == text,
                      "a picture keeps a text that is not a number");
}

template <typename Int> void checkInteger(double value, Int converted) {
    constexpr double low = std::numeric_limits<Int>::min();
    constexpr double high = std::numeric_limits<Int>::max();
    const double expected = std::clamp(value, low, high);
    fuzz::require(std::fabs(converted - expected) <= 0.5,
                  "an integer conversion rounds to the nearest integer within the type");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text = fuzz::textOf(data, size);
    const std::string_view picture = fuzz::firstLine(text);
    const double value = numtext::readNumber(text);
    checkReading(text, value);
    checkGeneralForms(value);
    checkPictures(picture, text, value);
    checkInteger(value, numtext::toInt16(value));
    checkInteger(value, numtext::toInt32(value));
    return 0;
}
