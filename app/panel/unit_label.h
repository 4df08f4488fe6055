#pragma once

#include <QString>

class QHBoxLayout;
class QWidget;

namespace app {

// The field with its unit written beside it; a field without a unit stands alone.
QHBoxLayout* besideUnit(QWidget* field, const QString& unit);

} // namespace app
