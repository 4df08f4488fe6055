#pragma once

class QWidget;
class QString;

namespace diagnostics {

// The one place where the log window's placement is restored and saved under a name (the
// window's default file for that name).
void LoadLogPlacement(QWidget& window, const QString& name);
void SaveLogPlacement(QWidget& window, const QString& name);

} // namespace diagnostics
