#pragma once

// The main window's stored description of its numeric fields: per field its name, index and
// property bag, from which every field is created.

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

    bool contains(const QString& key) const { return bags_.count(key.toLower()) != 0; }
    // The bag of "txtConfig(3)" or "txtSampleRate"; raises an AppError when there is none.
    const quenta::PropertyBag& bag(const QString& key) const;

    // A numeric field created from its bag, sized to the stored extents at least.
    quenta::Quenta* createField(const QString& key, QWidget* parent) const;

private:
    QString path_;
    std::map<QString, quenta::PropertyBag> bags_; // by lower-case key
};

} // namespace app
