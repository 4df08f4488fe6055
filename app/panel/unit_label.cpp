#include "unit_label.h"

#include <QHBoxLayout>
#include <QLabel>

namespace app {

QHBoxLayout* besideUnit(QWidget* field, const QString& unit) {
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    if (!unit.isEmpty())
        row->addWidget(new QLabel(unit, field->parentWidget()));
    return row;
}

} // namespace app
