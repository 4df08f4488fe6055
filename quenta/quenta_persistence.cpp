// The control's property bag: what a new control starts with, what a stored one reads back,
// and what the container stores. The property table gives the entries, their types, their
// defaults and their order; values go through the properties of the same names.

#include "quenta.h"

#include "property_table.h"
#include "quenta/numtext/numtext.h"

#include <QApplication>
#include <QScopedValueRollback>

namespace quenta {

namespace {

QString entryName(const PropertyRow& row) {
    return QString::fromLatin1(row.name);
}

bool readWithText1(Read read) {
    return read == Read::TextBox || read == Read::TextBoxNotifying ||
           read == Read::TextBoxKeepingCurrent;
}

} // namespace

QFont Quenta::ambientFont() const {
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

// A new control's own properties are those a stored control without entries reads.
void Quenta::InitProperties() {
    const QScopedValueRollback restoring(restoring_, true);
    readOwn(PropertyBag());
}

void Quenta::WriteProperties(PropertyBag& bag) const {
    for (const PropertyRow& row : propertyRows())
        if (row.type != EntryType::None)
            bag.write(entryName(row), entryValue(row), entryDefault(row));
}

// A restored control shows its stored text exactly as stored, even outside its limits, until
// the first focus loss or Text set: nothing here validates. "MouseIcon" is not read back.
void Quenta::ReadProperties(const PropertyBag& bag) {
    const QScopedValueRollback restoring(restoring_, true);
    for (const PropertyRow& row : propertyRows())
        if (readWithText1(row.read))
            restore(row, bag);
    readOwn(bag);
}

void Quenta::readOwn(const PropertyBag& bag) {
    for (const Read group : {Read::ValueType, Read::Rules})
        for (const PropertyRow& row : propertyRows())
            if (row.read == group)
                restore(row, bag);
}

void Quenta::restore(const PropertyRow& row, const PropertyBag& bag) {
    const QVariant value = readEntry(bag, row);
    if (row.type == EntryType::StoredText)
        storedValue_ = value.toString();
    else
        setProperty(row.name, value);
}

PropertyValue Quenta::entryValue(const PropertyRow& row) const {
    const QVariant value = property(row.name);
    switch (row.type) {
    case EntryType::Bool:
        return value.toBool();
    case EntryType::Int16:
    case EntryType::Int32:
        return value.toInt();
    case EntryType::Color:
        return static_cast<qint32>(value.value<quint32>());
    case EntryType::Double:
    case EntryType::Single:
        return value.toDouble();
    case EntryType::String:
        return value.toString();
    case EntryType::DataFormat:
        return value.toString().isEmpty() ? PropertyValue() : PropertyValue(value.toString());
    case EntryType::Font:
        return value.value<QFont>();
    case EntryType::StoredText:
        return storedValue_;
    case EntryType::Picture:
    case EntryType::None:
        break;
    }
    return {};
}

PropertyValue Quenta::entryDefault(const PropertyRow& row) const {
    if (row.type == EntryType::Font)
        return ambientFont();
    return row.defaultValue;
}

// The entry as a value of the property's own type.
QVariant Quenta::readEntry(const PropertyBag& bag, const PropertyRow& row) const {
    const QString name = entryName(row);
    const PropertyValue fallback =
        row.read == Read::TextBoxKeepingCurrent ? entryValue(row) : entryDefault(row);
    switch (row.type) {
    case EntryType::Bool:
        return bag.readBool(name, std::get<bool>(fallback));
    case EntryType::Int16:
        return QVariant::fromValue(numtext::toInt16(bag.readInt(name, std::get<qint32>(fallback))));
    case EntryType::Int32:
        return bag.readInt(name, std::get<qint32>(fallback));
    case EntryType::Color:
        return QVariant::fromValue(
            static_cast<quint32>(bag.readInt(name, std::get<qint32>(fallback))));
    case EntryType::Double:
        return bag.readDouble(name, std::get<double>(fallback));
    case EntryType::Single:
        return static_cast<float>(bag.readDouble(name, std::get<double>(fallback)));
    case EntryType::String:
    case EntryType::StoredText:
        return bag.readString(name, std::get<QString>(fallback));
    case EntryType::DataFormat:
        return bag.readString(name, QString()); // none reads as no format
    case EntryType::Font:
        return bag.readFont(name, std::get<QFont>(fallback));
    case EntryType::Picture:
    case EntryType::None:
        break;
    }
    return {};
}

} // namespace quenta
