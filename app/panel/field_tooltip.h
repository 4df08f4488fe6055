#pragma once

#include <QString>

namespace quenta {
class Quenta;
}

namespace app {

// What the window says about a numeric field, kept with its description.
struct FieldHelp {
    QString tip;        // what the field does
    QString unit;       // shown beside the field; empty for a plain whole number
    QString startCheck; // the check at Start that narrows what the field accepts; empty for none
    QString legend;     // what a chart's legend calls the field ("VB"); empty: its caption
};

// Whether a check at Start of this name exists.
bool isStartCheck(const QString& name);

// The field's tooltip: what it does, then the range it accepts in its unit, taken from the
// field's own limits and, where a check at Start narrows them, from the instrument's limits.
QString fieldToolTip(const FieldHelp& help, const quenta::Quenta& field);

} // namespace app
