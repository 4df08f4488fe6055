#pragma once

// The main window's stored description of its numeric fields: per field its name, index,
// property bag, unit and what it does, from which every field is created; and what each of the
// window's buttons does.

#include "field_tooltip.h"
#include "quenta/property_bag.h"

#include <QString>
#include <map>

class QWidget;

namespace quenta {
class Quenta;
}

namespace app {

// Where the description of the main window is kept in the program's resources.
inline constexpr const char* kMainWindowFields = ":/tarvix/frm_main_fields.json";

class FieldDescriptions {
public:
    // Reads a description. A missing file, text that is not the expected JSON, or an entry of
    // a wrong shape raises an AppError naming the file and the problem.
    static FieldDescriptions load(const QString& path);

    bool contains(const QString& key) const { return fields_.count(key.toLower()) != 0; }
    // The bag of "txtConfig(3)" or "txtSampleRate"; raises an AppError when there is none.
    const quenta::PropertyBag& bag(const QString& key) const;

    // The unit shown beside the field ("V", "s"); empty for a plain whole number. Raises an
    // AppError when the field is not described.
    QString unit(const QString& key) const;
    // What a chart's legend calls the field when it is not its caption ("VB" for "VB Voltage");
    // empty otherwise. Raises an AppError when the field is not described.
    QString legend(const QString& key) const;

    // A numeric field created from its bag, sized to the stored extents at least, with a
    // tooltip saying what it does and what it accepts.
    // Its accessible name is the caption the window shows beside it ("Stop Voltage"), by which
    // messages about its value name it.
    quenta::Quenta* createField(const QString& key, const QString& caption, QWidget* parent) const;

    // What each button does, by control name.
    const std::map<QString, QString>& buttonTips() const { return buttonTips_; }

private:
    struct Field {
        quenta::PropertyBag bag;
        FieldHelp help;
    };
    const Field& entry(const QString& key) const;

    QString path_;
    std::map<QString, Field> fields_; // by lower-case key
    std::map<QString, QString> buttonTips_;
};

} // namespace app
