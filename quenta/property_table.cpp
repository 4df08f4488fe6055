#include "property_table.h"

#include "dispatch_table.h"
#include "ole_color.h"
#include "value_rules.h"

#include <array>

namespace quenta {

namespace {

constexpr qint32 asEntry(quint32 color) {
    return static_cast<qint32>(color);
}

} // namespace

std::span<const PropertyRow> propertyRows() {
    using enum EntryType;
    using enum Read;
    static const auto rows = std::to_array<PropertyRow>({
        {"BackColor", 0x6803002E, Color, asEntry(SystemWindowBackground), TextBox},
        {"ForeColor", 0x6803002D, Color, asEntry(SystemWindowText), TextBox},
        {"Enabled", 0x6803002C, Bool, true, TextBox},
        {"Font", DispidFont, Font, {}, TextBox},
        {"BorderStyle", 0x6803002B, Int16, 1, TextBox},
        {"Alignment", 0x6803002A, Int16, 0, TextBox},
        {"Appearance", 0x68030029, Int16, 1, TextBox},
        {"CausesValidation", 0x68030028, Bool, true, TextBox},
        {"DataFormat", 0x68030027, DataFormat, {}, TextBoxNotifying},
        {"DataMember", 0x68030026, String, QString(), TextBox},
        {"LinkItem", 0x68030024, String, QString(), TextBox},
        {"LinkMode", 0x68030023, Int16, 0, TextBox},
        {"LinkTimeout", 0x68030022, Int16, 50, TextBox},
        {"LinkTopic", 0x68030021, String, QString(), TextBox},
        {"Locked", 0x68030020, Bool, false, TextBox},
        {"MaxLength", 0x6803001F, Int32, 0, TextBox},
        {"MouseIcon", NoDispid, Picture, {}, Never},
        {"MousePointer", 0x6803001E, Int16, 0, TextBox},
        {"OLEDragMode", 0x6803001C, Int16, 0, TextBox},
        {"OLEDropMode", 0x6803001B, Int16, 0, TextBox},
        {"PasswordChar", 0x6803001A, String, QString(), TextBox},
        {"RightToLeft", 0x68030019, Bool, false, TextBox},
        {"SelLength", 0x68030017, Int32, 0, TextBox},
        {"SelStart", 0x68030016, Int32, 0, TextBox},
        {"SelText", 0x68030015, String, QString(), TextBox},
        {"Text", DispidText, String, QStringLiteral("Text"), TextBox},
        {"WhatsThisHelpID", 0x68030014, Int32, 0, TextBox},
        {"ToolTipText", 0x68030013, String, QString(), TextBox},
        {"FontUnderline", 0x68030011, Bool, false, TextBox},
        {"FontStrikethru", 0x68030010, Bool, false, TextBox},
        // No real font matches these defaults, so both entries are always stored.
        {"FontSize", 0x6803000F, Single, 0.0, TextBoxKeepingCurrent},
        {"FontName", 0x6803000E, String, QString(), TextBoxKeepingCurrent},
        {"FontItalic", 0x6803000D, Bool, false, TextBox},
        {"FontBold", 0x6803000C, Bool, false, TextBox},
        {"Max", 0x6803000A, Double, 0.0, Rules},
        {"Min", 0x68030009, Double, 0.0, Rules},
        {"MaxLimitEnabled", 0x68030008, Bool, false, Rules},
        {"MinLimitEnabled", 0x68030007, Bool, false, Rules},
        {"FormatString", 0x68030006, String, QString(), Rules},
        {"RoundToFormat", 0x68030005, Bool, false, Rules},
        {"ValType", 0x68030003, Int32, valtype::Text, ValueType},
        {"Value", 0x68030000, StoredText, QString(), ValueType},
        {"Exponent", 0x68030002, Int32, 0, ValueType},
        {"ExpLocked", 0x68030001, Bool, false, ValueType},
        {"AutoSelect", 0x68030004, Bool, false, Rules},
        {"HideSelection", 0x68030025, None, {}, Never},
        {"MultiLine", 0x6803001D, None, {}, Never},
        {"ScrollBars", 0x68030018, None, {}, Never},
        {"hWnd", 0x68030012, None, {}, Never},
    });
    static_assert(std::tuple_size_v<decltype(rows)> ==
                  static_cast<std::size_t>(Property::hWnd) + 1);
    return rows;
}

const PropertyRow& propertyRow(Property property) {
    return propertyRows()[static_cast<std::size_t>(property)];
}

} // namespace quenta
