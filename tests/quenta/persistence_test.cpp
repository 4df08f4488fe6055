// The control's property bag: reading a stored description, writing, and round trips.

#include "control_window.h"
#include "qt_print.h"
#include "quenta/quenta.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using quenta::PropertyBag;
using quenta::PropertyValue;
using quenta::Quenta;

QStringList entryNames(const PropertyBag& bag) {
    QStringList names;
    for (const PropertyBag::Entry& entry : bag.entries())
        names << entry.name;
    return names;
}

// A voltage field as the main window's stored description keeps it.
PropertyBag voltageField() {
    return PropertyBag{{"_extentx", 1508},
                       {"_extenty", 661},
                       {"font", {}},
                       {"dataformat", {}},
                       {"text", 0},
                       {"fontsize", 8.25},
                       {"fontname", "MS Sans Serif"},
                       {"max", 100},
                       {"min", -100},
                       {"maxlimitenabled", true},
                       {"minlimitenabled", true},
                       {"valtype", 4}};
}

TEST(ReadProperties, RestoresAStoredFieldNotifyingOnlyDataFormat) {
    Quenta control;
    QSignalSpy spy(&control, &Quenta::PropertyChanged);
    control.ReadProperties(voltageField());
    EXPECT_EQ(control.Text(), "0");
    EXPECT_EQ(control.ValType(), 4);
    EXPECT_EQ(control.Max(), 100.0);
    EXPECT_EQ(control.Min(), -100.0);
    EXPECT_TRUE(control.MaxLimitEnabled());
    EXPECT_TRUE(control.MinLimitEnabled());
    EXPECT_EQ(control.FontSize(), 8.25f);
    EXPECT_EQ(control.FontName(), "MS Sans Serif");
    EXPECT_EQ(control.DataFormat(), "");
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), "DataFormat");
}

TEST(ReadProperties, MissingEntriesGiveTheirDefaults) {
    Quenta control;
    control.ReadProperties(PropertyBag{});
    EXPECT_EQ(control.Text(), "Text");
    EXPECT_EQ(control.ValType(), 8);
    EXPECT_EQ(control.Max(), 0.0);
    EXPECT_EQ(control.Min(), 0.0);
    EXPECT_EQ(control.LinkTimeout(), 50);
    EXPECT_EQ(control.BackColor(), 0x80000005u);
}

TEST(ReadProperties, TheRestoredTextIsShownAsStoredUntilTheFieldIsLeft) {
    quentatest::ControlWindow window;
    window.control().ReadProperties(
        PropertyBag{{"text", "250"}, {"max", 100}, {"maxlimitenabled", true}, {"valtype", 4}});
    EXPECT_EQ(window.control().Text(), "250");
    window.enter();
    window.leave(quentatest::Leave::SetFocus);
    EXPECT_EQ(window.control().Text(), "100");
}

TEST(ReadProperties, IgnoresMouseIconEvenWhenItHoldsNonsense) {
    Quenta control;
    EXPECT_NO_THROW(control.ReadProperties(PropertyBag{{"MouseIcon", "not a picture"}}));
}

TEST(ReadProperties, ABadEntryStopsReadingAndKeepsWhatWasApplied) {
    Quenta control;
    const PropertyBag bag{{"Enabled", false}, {"Alignment", "right"}, {"Text", "5"}};
    EXPECT_THROW(control.ReadProperties(bag), quenta::PropertyBagError);
    EXPECT_FALSE(control.Enabled());
    EXPECT_EQ(control.Text(), "Text1");
    // Notifications are on again after the error.
    QSignalSpy spy(&control, &Quenta::PropertyChanged);
    control.setMax(1);
    EXPECT_EQ(spy.size(), 1);
}

TEST(WriteProperties, ANewControlStoresItsTextAndItsFont) {
    Quenta control;
    control.InitProperties();
    PropertyBag bag;
    control.WriteProperties(bag);
    EXPECT_EQ(entryNames(bag), (QStringList{"Text", "FontSize", "FontName"}));
    EXPECT_EQ(bag.readString(u"Text", ""), "Text1");
}

TEST(WriteProperties, WritesTheEntriesInTheirOrderAndTheValueBackUnchanged) {
    Quenta control;
    PropertyBag stored = voltageField();
    stored.set("Value", QStringLiteral("1.5E-3"));
    stored.set("FormatString", QStringLiteral("###0.0#"));
    control.ReadProperties(stored);
    control.setBackColor(0x00FF0000);
    control.setLocked(true);
    PropertyBag bag;
    control.WriteProperties(bag);
    EXPECT_EQ(
        entryNames(bag),
        (QStringList{"BackColor", "Font", "Locked", "Text", "FontSize", "FontName", "Max", "Min",
                     "MaxLimitEnabled", "MinLimitEnabled", "FormatString", "ValType", "Value"}));
    EXPECT_EQ(*bag.find(u"Value"), PropertyValue(QStringLiteral("1.5E-3")));
    EXPECT_EQ(*bag.find(u"BackColor"), PropertyValue(0x00FF0000));
}

TEST(WriteProperties, EveryPropertySurvivesARoundTrip) {
    Quenta original;
    original.InitProperties();
    original.setBackColor(0x00FFFFFF);
    original.setForeColor(0x00123456);
    original.setTextBoxEnabled(false);
    original.setLocked(true);
    original.setMax(50);
    original.setMaxLimitEnabled(true);
    original.setFormatString("0.0");
    original.setBorderStyle(0);
    original.setAlignment(1);
    original.setAppearance(0);
    original.setCausesValidation(false);
    original.setDataFormat("General Number");
    original.setDataMember("Volts");
    original.setLinkItem("R1C1");
    original.setLinkTopic("Excel|Sheet1");
    original.setLinkMode(2);
    original.setLinkTimeout(100);
    original.setMaxLength(12);
    original.setMousePointer(11);
    original.setOLEDragMode(1);
    original.setOLEDropMode(1);
    original.setPasswordChar("*");
    original.setRightToLeft(true);
    original.setWhatsThisHelpID(7);
    original.setToolTipText("Start voltage");
    original.setFontUnderline(true);
    original.setFontStrikethru(true);
    original.setFontItalic(true);
    original.setFontBold(true);
    original.setValType(5);
    original.setMin(-1);
    original.setMinLimitEnabled(true);
    original.setRoundToFormat(true);
    original.setExponent(-3);
    original.setExpLocked(true);
    original.setAutoSelect(true);
    original.setText("12");
    PropertyBag first;
    original.WriteProperties(first);
    // Every entry but the selection, MouseIcon and Value, in the order they are written.
    EXPECT_EQ(entryNames(first), (QStringList{"BackColor",
                                              "ForeColor",
                                              "Enabled",
                                              "Font",
                                              "BorderStyle",
                                              "Alignment",
                                              "Appearance",
                                              "CausesValidation",
                                              "DataFormat",
                                              "DataMember",
                                              "LinkItem",
                                              "LinkMode",
                                              "LinkTimeout",
                                              "LinkTopic",
                                              "Locked",
                                              "MaxLength",
                                              "MousePointer",
                                              "OLEDragMode",
                                              "OLEDropMode",
                                              "PasswordChar",
                                              "RightToLeft",
                                              "Text",
                                              "WhatsThisHelpID",
                                              "ToolTipText",
                                              "FontUnderline",
                                              "FontStrikethru",
                                              "FontSize",
                                              "FontName",
                                              "FontItalic",
                                              "FontBold",
                                              "Max",
                                              "Min",
                                              "MaxLimitEnabled",
                                              "MinLimitEnabled",
                                              "FormatString",
                                              "RoundToFormat",
                                              "ValType",
                                              "Exponent",
                                              "ExpLocked",
                                              "AutoSelect"}));

    Quenta copy;
    copy.ReadProperties(first);
    PropertyBag second;
    copy.WriteProperties(second);
    EXPECT_EQ(entryNames(second), entryNames(first));
    for (const PropertyBag::Entry& entry : first.entries())
        EXPECT_EQ(*second.find(entry.name), entry.value) << entry.name.toStdString();
    EXPECT_EQ(copy.Text(), "12.0");
    EXPECT_EQ(copy.PasswordChar(), "*");
}

} // namespace
