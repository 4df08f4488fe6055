#include "quenta/numtext/numtext.h"
#include "support/comma_locale.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include <limits>
#include <string>

namespace {

struct PictureCase {
    double value;
    const char* picture;
    const char* expected;
};

class Picture : public testing::TestWithParam<PictureCase> {};

TEST_P(Picture, LaysTheNumberOut) {
    const PictureCase& c = GetParam();
    EXPECT_EQ(numtext::formatPicture(c.value, c.picture), c.expected)
        << c.value << " with \"" << c.picture << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    CommandPictures, Picture,
    testing::Values(PictureCase{3, "0", "3"}, PictureCase{2.5, "0", "3"},
                    PictureCase{-2.5, "0", "-3"}, PictureCase{10, "##0.0#", "10.0"},
                    PictureCase{-5, "##0.0#", "-5.0"}, PictureCase{2.25, "##0.0#", "2.25"},
                    PictureCase{123.456, "##0.0#", "123.46"}, PictureCase{0.05, "#0.0#", "0.05"},
                    PictureCase{1, "#0.0#", "1.0"}, PictureCase{0.125, "#0.0#", "0.13"},
                    PictureCase{-0.125, "#0.0#", "-0.13"}, PictureCase{10, "###0.0", "10.0"},
                    PictureCase{0.1, "#0.0###", "0.1"}, PictureCase{0.0125, "#0.0###", "0.0125"},
                    PictureCase{0.1f, "#0.0###", "0.1"}, PictureCase{1999.95, "###0.0", "2000.0"},
                    PictureCase{5, "###0.0#", "5.0"}, PictureCase{1.234, "###0.0#", "1.23"},
                    PictureCase{12.5, "###0.0#", "12.5"}, PictureCase{5, "00", "05"},
                    PictureCase{0.25, "###0.000", "0.250"},
                    PictureCase{12.5, "#####0.000", "12.500"}, PictureCase{-0.001, "0.00", "0.00"},
                    PictureCase{0.9999, "0.00", "1.00"}));

INSTANTIATE_TEST_SUITE_P(
    PictureElements, Picture,
    testing::Values(PictureCase{1234567.891, "#,##0.00", "1,234,567.89"},
                    PictureCase{999, "#,##0", "999"}, PictureCase{-1234, "#,##0", "-1,234"},
                    PictureCase{1234567, "#,##0,", "1,235"}, PictureCase{0.256, "0%", "26%"},
                    PictureCase{0.5, "0.0 %", "50.0 %"}, PictureCase{12345, "0.00E+00", "1.23E+04"},
                    PictureCase{0.00012345, "0.00E+00", "1.23E-04"},
                    PictureCase{12345, "0.00e-0", "1.23e4"},
                    PictureCase{0.0015, "0.0E-00", "1.5E-03"},
                    PictureCase{99999, "0.0E+0", "1.0E+5"}, PictureCase{0, "0.00E+00", "0.00E+00"},
                    PictureCase{5, "0;(0);zero", "5"}, PictureCase{-5, "0;(0);zero", "(5)"},
                    PictureCase{0, "0;(0);\"nil\"", "nil"}, PictureCase{-5, "0;;z", "-5"},
                    PictureCase{3.5, "0.0 \"V\"", "3.5 V"}, PictureCase{7, "\\#0", "#7"},
                    PictureCase{5551234, "###-####", "555-1234"}, PictureCase{0.5, "#.##", ".5"},
                    PictureCase{5, "#.##", "5."}, PictureCase{5.5, ".00", "5.50"}));

// "0%" of the largest double once gave "j%" from the "inf" its scaling produced.
TEST(PictureRange, ScalingTheLargestDoubleStaysExact) {
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(numtext::formatPicture(largest, "0%"),
              "179769313486232" + std::string(296, '0') + "%");
    EXPECT_EQ(numtext::formatPicture(-largest, "0.00E+00%"), "-1.80E+310%");
    EXPECT_EQ(numtext::formatText("1E999", "0.0E+0%;(0%)"), "1.8E+310%");
    EXPECT_EQ(numtext::formatPicture(largest, "0" + std::string(103, ',') + ".0000"), "0.1798");
    EXPECT_EQ(numtext::formatPicture(0.145, "0.0%"), "14.5%");
}

TEST(PictureRange, ValuesThatAreNotFiniteGiveTheirGeneralForm) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(numtext::formatPicture(inf, "0%"), "Inf");
    EXPECT_EQ(numtext::formatPicture(-inf, "0.00;(0.00)"), "-Inf");
    EXPECT_EQ(numtext::formatPicture(std::numeric_limits<double>::quiet_NaN(), "#,##0"), "NaN");
    EXPECT_EQ(numtext::formatGeneral(-inf), "-Inf");
    EXPECT_EQ(numtext::formatGeneralSingle(std::numeric_limits<float>::quiet_NaN()), "NaN");
}

TEST(FormatText, LaysOutNumbersAndKeepsOtherText) {
    EXPECT_EQ(numtext::formatText("3", "0.00"), "3.00");
    EXPECT_EQ(numtext::formatText("abc", "0.00"), "abc");
    EXPECT_EQ(numtext::formatText("12abc", "0.00"), "12abc");
    EXPECT_EQ(numtext::formatText(" 1999.9 ", "###0.0"), "1999.9");
    EXPECT_EQ(numtext::formatText("abc", ""), "abc");
}

struct GeneralCase {
    double value;
    const char* expected;
};

class GeneralDouble : public testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralDouble, SwitchesToExponentFormWhereGDoes) {
    EXPECT_EQ(numtext::formatGeneral(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(SwitchPoints, GeneralDouble,
                         testing::Values(GeneralCase{0, "0"}, GeneralCase{-5, "-5"},
                                         GeneralCase{2.5, "2.5"}, GeneralCase{0.0001, "0.0001"},
                                         GeneralCase{0.00001, "1E-05"},
                                         GeneralCase{2.5E-7, "2.5E-07"}, GeneralCase{1E20, "1E+20"},
                                         GeneralCase{123456789012345, "123456789012345"},
                                         GeneralCase{1234567890123456, "1.23456789012346E+15"},
                                         GeneralCase{0.1 + 0.2, "0.3"},
                                         GeneralCase{1999.9, "1999.9"},
                                         GeneralCase{-1E-300, "-1E-300"}));

class GeneralSingle : public testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralSingle, HasSevenSignificantDigits) {
    EXPECT_EQ(numtext::formatGeneralSingle(static_cast<float>(GetParam().value)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    SwitchPoints, GeneralSingle,
    testing::Values(GeneralCase{1.5E-12, "1.5E-12"}, GeneralCase{2.5E-07, "2.5E-07"},
                    GeneralCase{1E20, "1E+20"}, GeneralCase{0.001, "0.001"},
                    GeneralCase{0.0001, "0.0001"}, GeneralCase{0.00001, "1E-05"},
                    GeneralCase{1234567, "1234567"}, GeneralCase{12345678, "1.234568E+07"},
                    GeneralCase{0.1, "0.1"}, GeneralCase{-2.5, "-2.5"}, GeneralCase{10, "10"}));

// The form as C's %.7G gives it, to hold the quick way of finding seven digits against.
std::string percentG7(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, static_cast<double>(value),
                                   std::chars_format::general, 7)
                         .ptr;
    std::string form(text, end);
    if (const auto e = form.find('e'); e != std::string::npos)
        form[e] = 'E';
    return form;
}

// Ties (16777215 is 1.6777215E+07 exactly), the floats around every power of ten, subnormals and
// a million others drawn from every exponent.
TEST(GeneralSingle, IsCGsFormForEveryKindOfFloat) {
    std::vector<float> values{0.0f,       -0.0f,  16777215.0f,    2.5f,           0.125f,
                              9999999.5f, 1e-45f, -3.4028235e38f, 1.17549435e-38f};
    for (int exponent = -45; exponent <= 38; ++exponent) {
        float below = std::pow(10.0f, static_cast<float>(exponent));
        float above = below;
        for (int step = 0; step < 100; ++step) {
            values.insert(values.end(), {below, -below, above, -above});
            below = std::nextafter(below, 0.0f);
            above = std::nextafter(above, 1e38f);
        }
    }
    std::mt19937 random(4140);
    while (values.size() < 1'000'000)
        if (const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
            std::isfinite(value))
            values.push_back(value);
    int wrong = 0;
    for (const float value : values)
        if (numtext::formatGeneralSingle(value) != percentG7(value) && ++wrong <= 5)
            ADD_FAILURE() << std::hexfloat << value << ": " << numtext::formatGeneralSingle(value)
                          << " is not " << percentG7(value);
}

TEST(CommaLocale, NumberTextsKeepTheDecimalPoint) {
    testsupport::CommaLocale comma;
    ASSERT_TRUE(comma.ok()) << "locale de_DE.UTF-8 is missing; scripts/setup.sh generates it";
    EXPECT_EQ(numtext::formatGeneral(2.5), "2.5");
    EXPECT_EQ(numtext::formatGeneralSingle(1.5E-12f), "1.5E-12");
    EXPECT_EQ(numtext::formatPicture(-5, "##0.0#"), "-5.0");
    EXPECT_EQ(numtext::formatPicture(1234.5, "#,##0.0"), "1,234.5");
    EXPECT_DOUBLE_EQ(numtext::readNumber("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(numtext::readNumber("2,5"), 2.0);
    EXPECT_EQ(numtext::parseNumber("+1.5E-09"), 1.5E-09);
}

} // namespace
