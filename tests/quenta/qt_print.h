#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <ostream>

// Readable Qt strings in GoogleTest's failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}

inline void PrintTo(const QVariant& value, std::ostream* out) {
    *out << value.typeName() << ' ';
    PrintTo(value.toString(), out);
}
