// The number texts on any text and picture (the input's first line is the picture, the rest the
// text). Reading always gives a finite number; a text that parses reads as the same number; the
// general forms are the value rounded to their digits and read back to themselves; a picture of
// digit placeholders rounds to its decimals; the integer conversions round to the nearest
// integer within the type.

#include "fuzz_check.h"

#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <array>
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

// Seven digits cannot tell these floats apart from 1E+28, which is no float itself: the float
// nearest to it is 9.99999944e27, whose seven digits are 9.999999E+27. Every other float's seven
// digits read back to themselves (a search of some 15 million floats around the decades found
// no other case), and so do these floats' own texts but for the step of the exponent.
constexpr std::array<float, 8> kSevenDigitsCannotName = {
    1.00000006e28f,  1.00000018e28f,  1.0000003e28f,  1.00000042e28f,
    -1.00000006e28f, -1.00000018e28f, -1.0000003e28f, -1.00000042e28f};

bool sevenDigitsCannotName(float value) {
    return std::find(kSevenDigitsCannotName.begin(), kSevenDigitsCannotName.end(), value) !=
           kSevenDigitsCannotName.end();
}

// The text is the value rounded to its significant digits: it reads back within half a unit of
// its last digit (and the float's own rounding). That is all seven digits can promise: a float
// near 1 has some eight neighbours for each step of the seventh digit.
bool roundsCorrectly(double value, double back, int digits, double representation) {
    if (value == 0.0)
        return back == 0.0;
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - (digits - 1));
    return std::fabs(back - value) <= 0.5 * unit * (1.0 + 1e-9) + representation;
}

void checkGeneralForms(double value) {
    const std::string general = numtext::formatGeneral(value);
    const std::optional<double> back = numtext::parseNumber(general);
    fuzz::require(back && numtext::formatGeneral(*back) == general,
                  "the general form reads back to itself");
    fuzz::require(roundsCorrectly(value, *back, 15, std::fabs(value) * 1e-16),
                  "the general form is the value rounded to 15 digits");
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return;
    const float single = static_cast<float>(value);
    const std::string text = numtext::formatGeneralSingle(single);
    const std::optional<double> singleBack = numtext::parseNumber(text);
    fuzz::require(singleBack.has_value(), "the single-precision general form parses");
    fuzz::require(roundsCorrectly(single, *singleBack, 7, 0.0),
                  "the single-precision general form is the value rounded to 7 digits");
    if (!sevenDigitsCannotName(single))
        fuzz::require(numtext::formatGeneralSingle(static_cast<float>(*singleBack)) == text,
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
