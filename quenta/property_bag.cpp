#include "property_bag.h"

#include "quenta/numtext/numtext.h"

#include <optional>

namespace quenta {

namespace {

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString describe(const PropertyValue& value) {
    struct Describer {
        QString operator()(std::monostate) const { return QStringLiteral("no value"); }
        QString operator()(bool b) const {
            return b ? QStringLiteral("True") : QStringLiteral("False");
        }
        QString operator()(qint32 i) const { return QString::number(i); }
        QString operator()(double d) const {
            return QString::fromStdString(numtext::formatGeneral(d));
        }
        QString operator()(const QString& s) const {
            return QLatin1Char('"') + s + QLatin1Char('"');
        }
        QString operator()(const QFont&) const { return QStringLiteral("a font"); }
    };
    return std::visit(Describer{}, value);
}

[[noreturn]] void mismatch(QStringView name, const PropertyValue& value, const char* wanted) {
    throw PropertyBagError(
        name.toString(),
        QStringLiteral("holds %1, which is not %2").arg(describe(value), QLatin1String(wanted)));
}

std::optional<double> asNumber(const PropertyValue& value) {
    if (const auto* b = std::get_if<bool>(&value))
        return *b ? 1.0 : 0.0;
    if (const auto* i = std::get_if<qint32>(&value))
        return *i;
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    if (const auto* s = std::get_if<QString>(&value))
        return numtext::parseNumber(s->toStdString());
    return std::nullopt;
}

} // namespace

PropertyBagError::PropertyBagError(const QString& entry, const QString& problem)
    : std::runtime_error(QStringLiteral("Property \"%1\" %2").arg(entry, problem).toStdString()),
      entry_(entry) {}

PropertyBag::PropertyBag(std::initializer_list<Entry> entries) : entries_(entries) {}

PropertyBag::PropertyBag(QList<Entry> entries) : entries_(std::move(entries)) {}

const PropertyValue* PropertyBag::find(QStringView name) const {
    for (const Entry& entry : entries_)
        if (sameName(entry.name, name))
            return &entry.value;
    return nullptr;
}

void PropertyBag::set(const QString& name, PropertyValue value) {
    for (Entry& entry : entries_) {
        if (sameName(entry.name, name)) {
            entry.value = std::move(value);
            return;
        }
    }
    entries_.append({name, std::move(value)});
}

void PropertyBag::remove(QStringView name) {
    entries_.removeIf([name](const Entry& entry) { return sameName(entry.name, name); });
}

PropertyValue PropertyBag::read(QStringView name, const PropertyValue& defaultValue) const {
    const PropertyValue* value = find(name);
    if (!value || std::holds_alternative<std::monostate>(*value))
        return defaultValue;
    return *value;
}

bool PropertyBag::readBool(QStringView name, bool defaultValue) const {
    const PropertyValue value = read(name, defaultValue);
    if (const auto* s = std::get_if<QString>(&value)) {
        if (sameName(*s, u"True"))
            return true;
        if (sameName(*s, u"False"))
            return false;
    }
    const std::optional<double> number = asNumber(value);
    if (!number)
        mismatch(name, value, "a boolean");
    return *number != 0.0;
}

double PropertyBag::readDouble(QStringView name, double defaultValue) const {
    const PropertyValue value = read(name, defaultValue);
    const std::optional<double> number = asNumber(value);
    if (!number)
        mismatch(name, value, "a number");
    return *number;
}

qint32 PropertyBag::readInt(QStringView name, qint32 defaultValue) const {
    const PropertyValue value = read(name, defaultValue);
    if (const auto* i = std::get_if<qint32>(&value))
        return *i;
    return numtext::toInt32(readDouble(name, defaultValue));
}

QString PropertyBag::readString(QStringView name, const QString& defaultValue) const {
    const PropertyValue value = read(name, defaultValue);
    if (const auto* s = std::get_if<QString>(&value))
        return *s;
    if (std::holds_alternative<QFont>(value))
        mismatch(name, value, "a text");
    return describe(value);
}

QFont PropertyBag::readFont(QStringView name, const QFont& defaultValue) const {
    const PropertyValue value = read(name, defaultValue);
    if (const auto* font = std::get_if<QFont>(&value))
        return *font;
    mismatch(name, value, "a font");
}

void PropertyBag::write(const QString& name, PropertyValue value,
                        const PropertyValue& defaultValue) {
    if (value == defaultValue) {
        remove(name);
        return;
    }
    set(name, std::move(value));
}

} // namespace quenta
