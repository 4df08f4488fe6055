#include "qt_print.h"
#include "quenta/property_bag.h"

#include <gtest/gtest.h>

namespace {

using quenta::PropertyBag;
using quenta::PropertyBagError;
using quenta::PropertyValue;

TEST(PropertyBag, NamesMatchWithoutRegardToCaseAndTheFirstMatchWins) {
    PropertyBag bag{{"maxlimitenabled", true}, {"MaxLimitEnabled", false}, {"max", 100}};
    EXPECT_TRUE(bag.readBool(u"MaxLimitEnabled", false));
    EXPECT_EQ(bag.readDouble(u"MAX", 0), 100.0);
    bag.set("Max", 5.5);
    EXPECT_EQ(bag.entries().size(), 3);
    EXPECT_EQ(bag.readDouble(u"max", 0), 5.5);
}

TEST(PropertyBag, MissingEntriesAndEntriesWithoutValueGiveTheDefault) {
    const PropertyBag bag{{"font", {}}, {"dataformat", std::monostate{}}};
    EXPECT_EQ(bag.readString(u"Text", "Text"), "Text");
    EXPECT_EQ(bag.readInt(u"ValType", 8), 8);
    const QFont ambient("Serif", 11);
    EXPECT_EQ(bag.readFont(u"Font", ambient), ambient);
    EXPECT_EQ(bag.readString(u"DataFormat", ""), "");
}

TEST(PropertyBag, ValuesConvertTheWayAStoredDescriptionNeeds) {
    const PropertyBag bag{{"text", 0},    {"max", 100},     {"fontsize", 8.25},     {"half", 2.5},
                          {"huge", 1e12}, {"flag", "True"}, {"numeric", " 1.5E3 "}, {"on", 1},
                          {"single", 0.1}};
    EXPECT_EQ(bag.readString(u"Text", "Text"), "0");
    EXPECT_EQ(bag.readDouble(u"Max", 0), 100.0);
    EXPECT_EQ(bag.readString(u"FontSize", ""), "8.25");
    EXPECT_EQ(bag.readInt(u"half", 0), 2);
    EXPECT_EQ(bag.readInt(u"huge", 0), 2147483647);
    EXPECT_TRUE(bag.readBool(u"flag", false));
    EXPECT_EQ(bag.readDouble(u"numeric", 0), 1500.0);
    EXPECT_TRUE(bag.readBool(u"on", false));
    EXPECT_EQ(bag.readString(u"single", ""), "0.1");
}

TEST(PropertyBag, AnEntryOfTheWrongTypeIsAnErrorNamingIt) {
    const PropertyBag bag{{"Max", "abc"}, {"Font", "Arial"}, {"FontName", QFont("Serif")}};
    try {
        bag.readDouble(u"max", 0);
        FAIL() << "no error";
    } catch (const PropertyBagError& error) {
        EXPECT_EQ(error.entry(), "max");
        EXPECT_NE(std::string(error.what()).find("\"abc\""), std::string::npos) << error.what();
    }
    EXPECT_THROW(bag.readFont(u"Font", QFont()), PropertyBagError);
    EXPECT_THROW(bag.readString(u"FontName", ""), PropertyBagError);
    EXPECT_THROW(bag.readBool(u"Max", false), PropertyBagError);
}

TEST(PropertyBag, WritingStoresOnlyWhatDiffersFromTheDefault) {
    PropertyBag bag{{"max", 7.0}};
    bag.write("Max", 0.0, 0.0);
    bag.write("ValType", 4, 8);
    bag.write("Text", QStringLiteral("Text"), QStringLiteral("Text"));
    bag.write("Enabled", false, true);
    ASSERT_EQ(bag.entries().size(), 2);
    EXPECT_EQ(bag.entries()[0].name, "ValType");
    EXPECT_EQ(bag.entries()[0].value, PropertyValue(4));
    EXPECT_EQ(bag.entries()[1].name, "Enabled");
    EXPECT_EQ(bag.readDouble(u"Max", 0.0), 0.0);
}

} // namespace
