#pragma once

#include "quenta/property_bag.h"

#include <QtGlobal>
#include <span>

namespace quenta {

// The control's properties, one per row of the property table and in its order: the order in
// which WriteProperties stores their entries, then the properties that are not stored.
enum class Property : quint8 {
    BackColor,
    ForeColor,
    Enabled,
    Font,
    BorderStyle,
    Alignment,
    Appearance,
    CausesValidation,
    DataFormat,
    DataMember,
    LinkItem,
    LinkMode,
    LinkTimeout,
    LinkTopic,
    Locked,
    MaxLength,
    MouseIcon,
    MousePointer,
    OLEDragMode,
    OLEDropMode,
    PasswordChar,
    RightToLeft,
    SelLength,
    SelStart,
    SelText,
    Text,
    WhatsThisHelpID,
    ToolTipText,
    FontUnderline,
    FontStrikethru,
    FontSize,
    FontName,
    FontItalic,
    FontBold,
    Max,
    Min,
    MaxLimitEnabled,
    MinLimitEnabled,
    FormatString,
    RoundToFormat,
    ValType,
    Value,
    Exponent,
    ExpLocked,
    AutoSelect,
    HideSelection,
    MultiLine,
    ScrollBars,
    hWnd
};

// How a property's entry is typed in the property bag.
enum class EntryType {
    None, // not stored
    Bool,
    Int16, // stored as a 32-bit integer, read back clamped to 16 bits
    Int32,
    Color, // the colour value's bits as a signed 32-bit integer
    Double,
    Single, // stored as a double
    String,
    DataFormat, // a format description; an empty one is stored as none
    Font,       // its default is the container's ambient font
    StoredText, // the string kept only to be stored under the property's name, not the property
    Picture,    // always none: the control has no picture of its own
};

// When ReadProperties applies an entry: text1's entries first, then the value type and the
// exponent, then the other own entries, each group in table order. The order shows when a bad
// entry stops the reading part way: what was read before it stays applied.
enum class Read {
    Never,
    TextBox,
    TextBoxNotifying,      // notifies the container even while the bag is read
    TextBoxKeepingCurrent, // a missing entry keeps the current value
    ValueType,
    Rules,
};

struct PropertyRow {
    const char* name; // the Q_PROPERTY's and the entry's
    qint32 dispid;    // NoDispid for an entry that is no property
    EntryType type;
    PropertyValue defaultValue; // what a missing entry reads as; an entry equal to it is not stored
    Read read;
};

inline constexpr qint32 NoDispid = 0;

std::span<const PropertyRow> propertyRows();
const PropertyRow& propertyRow(Property property);

} // namespace quenta
