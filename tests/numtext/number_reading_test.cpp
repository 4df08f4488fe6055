#include "quenta/numtext/numtext.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

struct ReadCase {
    const char* text;
    double expected;
};

class ReadNumber : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumber, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(numtext::readNumber(GetParam().text), GetParam().expected)
        << "text: \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Rule, ReadNumber,
    testing::Values(ReadCase{"", 0}, ReadCase{"abc", 0}, ReadCase{"12abc", 12},
                    ReadCase{"1 000", 1000}, ReadCase{" - 5", -5}, ReadCase{"\t1\n2", 12},
                    ReadCase{"+7", 7}, ReadCase{"-.5", -0.5}, ReadCase{"3.", 3},
                    ReadCase{"1.2.3", 1.2}, ReadCase{"2.5e3", 2500}, ReadCase{"2.5E-3", 0.0025},
                    ReadCase{"2.5E 3", 2500}, ReadCase{"1e", 1}, ReadCase{"1e+", 1},
                    ReadCase{"1,5", 1}, ReadCase{",5", 0}, ReadCase{"&H1F", 31},
                    ReadCase{"&hff", 255}, ReadCase{"&O17", 15}, ReadCase{"&O9", 0},
                    ReadCase{"&", 0}, ReadCase{"1E-999", 0}));

TEST(ReadNumberRange, BeyondTheDoubleRangeReadsAsTheLargestDoubleOfItsSign) {
    EXPECT_EQ(numtext::readNumber("1E999"), std::numeric_limits<double>::max());
    EXPECT_EQ(numtext::readNumber("-1E999"), -std::numeric_limits<double>::max());
    EXPECT_EQ(numtext::readNumber("0.001E312"), std::numeric_limits<double>::max());
    EXPECT_EQ(numtext::readNumber("&H" + std::string(300, 'F')),
              std::numeric_limits<double>::max());
    EXPECT_EQ(numtext::parseNumber("&O" + std::string(400, '7')),
              std::numeric_limits<double>::max());
}

TEST(ParseNumber, AcceptsOnlyAWholeNumberWithWhiteSpaceAround) {
    EXPECT_EQ(numtext::parseNumber(" +1.234E-12\r\n   "), 1.234E-12);
    EXPECT_EQ(numtext::parseNumber("-5"), -5.0);
    EXPECT_EQ(numtext::parseNumber("&H10"), 16.0);
    EXPECT_FALSE(numtext::parseNumber(""));
    EXPECT_FALSE(numtext::parseNumber("   "));
    EXPECT_FALSE(numtext::parseNumber("12abc"));
    EXPECT_FALSE(numtext::parseNumber("1 000"));
    EXPECT_FALSE(numtext::parseNumber("1,5"));
    EXPECT_FALSE(numtext::parseNumber("."));
    EXPECT_FALSE(numtext::parseNumber("&H"));
    EXPECT_FALSE(numtext::parseNumber("1.5E")); // an exponent with no digits is no number
    EXPECT_FALSE(numtext::parseNumber("1.5E+"));
}

TEST(IntegerConversion, RoundsHalfToEvenAndClamps) {
    EXPECT_EQ(numtext::toInt16(2.5), 2);
    EXPECT_EQ(numtext::toInt16(3.5), 4);
    EXPECT_EQ(numtext::toInt16(-2.5), -2);
    EXPECT_EQ(numtext::toInt16(-3.5), -4);
    EXPECT_EQ(numtext::toInt16(2.6), 3);
    EXPECT_EQ(numtext::toInt16(99999), 32767);
    EXPECT_EQ(numtext::toInt16(-40000), -32768);
    EXPECT_EQ(numtext::toInt16(32767.4), 32767);
    EXPECT_EQ(numtext::toInt16(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(numtext::toInt32(-3000000000.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(numtext::toInt32(1E300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(numtext::toInt32(0.5), 0);
    EXPECT_EQ(numtext::toInt32(1.5), 2);
}

} // namespace
