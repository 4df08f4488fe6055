// The control's property bag: what a new control starts with, what a stored one reads back,
// and what the container stores.

#include "quenta.h"

#include "quenta/numtext/numtext.h"

#include <QApplication>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <optional>

namespace quenta {

namespace {

constexpr qint32 DefaultValType = valtype::Text;

PropertyValue asEntry(quint32 color) {
    return static_cast<qint32>(color);
}
quint32 asColor(qint32 entry) {
    return static_cast<quint32>(entry);
}

PropertyValue asEntry(const QString& dataFormat) {
    return dataFormat.isEmpty() ? PropertyValue() : PropertyValue(dataFormat);
}

qint16 readShort(const PropertyBag& bag, QStringView name, qint16 defaultValue) {
    return numtext::toInt16(bag.readInt(name, defaultValue));
}

} // namespace

QFont Quenta::ambientFont() const {
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void Quenta::InitProperties() {
    rules_ = ValueRules{};
    rules_.valType = DefaultValType;
    roundToFormat_ = false;
    autoSelect_ = false;
    storedValue_.clear();
}

void Quenta::WriteProperties(PropertyBag& bag) const {
    bag.write("BackColor", asEntry(BackColor()), asEntry(SystemWindowBackground));
    bag.write("ForeColor", asEntry(ForeColor()), asEntry(SystemWindowText));
    bag.write("Enabled", Enabled(), true);
    bag.write("Font", Font(), ambientFont());
    bag.write("BorderStyle", BorderStyle(), 1);
    bag.write("Alignment", Alignment(), 0);
    bag.write("Appearance", Appearance(), 1);
    bag.write("CausesValidation", CausesValidation(), true);
    bag.write("DataFormat", asEntry(DataFormat()), PropertyValue());
    bag.write("DataMember", DataMember(), QString());
    bag.write("LinkItem", LinkItem(), QString());
    bag.write("LinkMode", LinkMode(), 0);
    bag.write("LinkTimeout", LinkTimeout(), 50);
    bag.write("LinkTopic", LinkTopic(), QString());
    bag.write("Locked", Locked(), false);
    bag.write("MaxLength", MaxLength(), 0);
    // The control has no mouse icon of its own, so this entry always stays at its default.
    bag.write("MouseIcon", PropertyValue(), PropertyValue());
    bag.write("MousePointer", MousePointer(), 0);
    bag.write("OLEDragMode", OLEDragMode(), 0);
    bag.write("OLEDropMode", OLEDropMode(), 0);
    bag.write("PasswordChar", PasswordChar(), QString());
    bag.write("RightToLeft", RightToLeft(), false);
    bag.write("SelLength", SelLength(), 0);
    bag.write("SelStart", SelStart(), 0);
    bag.write("SelText", SelText(), QString());
    bag.write("Text", Text(), QStringLiteral("Text"));
    bag.write("WhatsThisHelpID", WhatsThisHelpID(), 0);
    bag.write("ToolTipText", ToolTipText(), QString());
    bag.write("FontUnderline", FontUnderline(), false);
    bag.write("FontStrikethru", FontStrikethru(), false);
    // No real font matches these defaults, so both entries are always stored.
    bag.write("FontSize", static_cast<double>(FontSize()), 0.0);
    bag.write("FontName", FontName(), QString());
    bag.write("FontItalic", FontItalic(), false);
    bag.write("FontBold", FontBold(), false);
    bag.write("Max", Max(), 0.0);
    bag.write("Min", Min(), 0.0);
    bag.write("MaxLimitEnabled", MaxLimitEnabled(), false);
    bag.write("MinLimitEnabled", MinLimitEnabled(), false);
    bag.write("FormatString", FormatString(), QString());
    bag.write("RoundToFormat", RoundToFormat(), false);
    bag.write("ValType", ValType(), DefaultValType);
    bag.write("Value", storedValue_, QString());
    bag.write("Exponent", Exponent(), 0);
    bag.write("ExpLocked", ExpLocked(), false);
    bag.write("AutoSelect", AutoSelect(), false);
}

// A restored control shows its stored text exactly as stored, even outside its limits, until
// the first focus loss or Text set: nothing here validates. "MouseIcon" is not read back.
void Quenta::ReadProperties(const PropertyBag& bag) {
    readPassThrough(bag);
    readOwn(bag);
}

// text1's entries are set without notifying the container, except DataFormat, which goes
// through the control's own setter.
void Quenta::readPassThrough(const PropertyBag& bag) {
    auto quiet = std::make_optional<QScopedValueRollback<bool>>(notifying_, false);
    setBackColor(asColor(bag.readInt(u"BackColor", static_cast<qint32>(SystemWindowBackground))));
    setForeColor(asColor(bag.readInt(u"ForeColor", static_cast<qint32>(SystemWindowText))));
    setTextBoxEnabled(bag.readBool(u"Enabled", true));
    setTextBoxFont(bag.readFont(u"Font", ambientFont()));
    setBorderStyle(readShort(bag, u"BorderStyle", 1));
    setAlignment(readShort(bag, u"Alignment", 0));
    setAppearance(readShort(bag, u"Appearance", 1));
    setCausesValidation(bag.readBool(u"CausesValidation", true));
    quiet.reset();
    setDataFormat(bag.readString(u"DataFormat", QString()));
    quiet.emplace(notifying_, false);
    setDataMember(bag.readString(u"DataMember", QString()));
    setLinkItem(bag.readString(u"LinkItem", QString()));
    setLinkMode(readShort(bag, u"LinkMode", 0));
    setLinkTimeout(readShort(bag, u"LinkTimeout", 50));
    setLinkTopic(bag.readString(u"LinkTopic", QString()));
    setLocked(bag.readBool(u"Locked", false));
    setMaxLength(bag.readInt(u"MaxLength", 0));
    setMousePointer(readShort(bag, u"MousePointer", 0));
    setOLEDragMode(readShort(bag, u"OLEDragMode", 0));
    setOLEDropMode(readShort(bag, u"OLEDropMode", 0));
    setPasswordChar(bag.readString(u"PasswordChar", QString()));
    setRightToLeft(bag.readBool(u"RightToLeft", false));
    setSelLength(bag.readInt(u"SelLength", 0));
    setSelStart(bag.readInt(u"SelStart", 0));
    setSelText(bag.readString(u"SelText", QString()));
    writeText(bag.readString(u"Text", QStringLiteral("Text")));
    setWhatsThisHelpID(bag.readInt(u"WhatsThisHelpID", 0));
    setToolTipText(bag.readString(u"ToolTipText", QString()));
    setFontUnderline(bag.readBool(u"FontUnderline", false));
    setFontStrikethru(bag.readBool(u"FontStrikethru", false));
    setFontSize(static_cast<float>(bag.readDouble(u"FontSize", FontSize())));
    setFontName(bag.readString(u"FontName", FontName()));
    setFontItalic(bag.readBool(u"FontItalic", false));
    setFontBold(bag.readBool(u"FontBold", false));
}

// The own properties are stored directly: no notifications, no validation.
void Quenta::readOwn(const PropertyBag& bag) {
    rules_.valType = bag.readInt(u"ValType", DefaultValType);
    storedValue_ = bag.readString(u"Value", QString());
    rules_.exponent = bag.readInt(u"Exponent", 0);
    rules_.expLocked = bag.readBool(u"ExpLocked", false);
    rules_.max = bag.readDouble(u"Max", 0.0);
    rules_.min = bag.readDouble(u"Min", 0.0);
    rules_.maxLimitEnabled = bag.readBool(u"MaxLimitEnabled", false);
    rules_.minLimitEnabled = bag.readBool(u"MinLimitEnabled", false);
    rules_.formatString = bag.readString(u"FormatString", QString()).toStdString();
    roundToFormat_ = bag.readBool(u"RoundToFormat", false);
    autoSelect_ = bag.readBool(u"AutoSelect", false);
}

} // namespace quenta
