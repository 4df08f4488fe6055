#include "log_placement.h"

#include <QString>
#include <QWidget>

namespace diagnostics {

// Placement is not stored yet: the window keeps the size and position the window system gives it.
void LoadLogPlacement(QWidget& window, const QString& name) {
    Q_UNUSED(window);
    Q_UNUSED(name);
}

void SaveLogPlacement(QWidget& window, const QString& name) {
    Q_UNUSED(window);
    Q_UNUSED(name);
}

} // namespace diagnostics
