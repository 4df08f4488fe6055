#pragma once

#include "quenta/quenta_export.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringView>
#include <initializer_list>
#include <stdexcept>
#include <variant>

namespace quenta {

// A typed entry value: none (an object entry without an object), a boolean, a 32-bit integer
// (16-bit entries and colours too), a double (single-precision entries too), a string or a font.
using PropertyValue = std::variant<std::monostate, bool, qint32, double, QString, QFont>;

// An entry that cannot be read as the type asked for ("abc" read as a number, a font read as
// a string). Reading a bag stops there; the entries read before stay applied.
class QUENTA_EXPORT PropertyBagError : public std::runtime_error {
public:
    PropertyBagError(const QString& entry, const QString& problem);
    const QString& entry() const { return entry_; }

private:
    QString entry_;
};

// The property bag a container keeps for each control: an ordered list of named, typed
// entries. Names match without regard to case, and the first match wins. Reading an entry that
// is missing or holds no value gives the default passed with it; values convert between the
// number types, "True"/"False" texts and number texts the way a stored description needs.
class QUENTA_EXPORT PropertyBag {
public:
    struct Entry {
        QString name;
        PropertyValue value;
    };

    PropertyBag() = default;
    // A bag filled from a stored description: {{"_extentx", 1508}, {"max", 100.0}, ...}.
    PropertyBag(std::initializer_list<Entry> entries);
    explicit PropertyBag(QList<Entry> entries);

    const QList<Entry>& entries() const { return entries_; }
    bool contains(QStringView name) const { return find(name) != nullptr; }
    // The value of the first entry of that name, or nullptr.
    const PropertyValue* find(QStringView name) const;
    // Replaces the value of the first entry of that name, or appends an entry.
    void set(const QString& name, PropertyValue value);
    void remove(QStringView name);

    bool readBool(QStringView name, bool defaultValue) const;
    qint32 readInt(QStringView name, qint32 defaultValue) const; // halves to even, clamped
    double readDouble(QStringView name, double defaultValue) const;
    QString readString(QStringView name, const QString& defaultValue) const;
    QFont readFont(QStringView name, const QFont& defaultValue) const;
    PropertyValue read(QStringView name, const PropertyValue& defaultValue) const;

    // Stores the entry unless its value equals the default; an entry at its default is left
    // out (and an older entry of that name dropped), so a reader gets the default back.
    void write(const QString& name, PropertyValue value, const PropertyValue& defaultValue);

private:
    QList<Entry> entries_;
};

} // namespace quenta
