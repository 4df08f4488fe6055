#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <map>

namespace settings {
class ControlRegistry;
}

namespace app {

// The key first, then whatever else the desktop binds to the standard command, so the key
// shown is the same everywhere and a user's own habit works too.
QList<QKeySequence> commandKeys(const QKeySequence& key, QKeySequence::StandardKey standard);

// F5 starts a test, Shift+F5 aborts it, the print key prints the window. A button's key does
// nothing while the button is disabled.
void assignButtonKeys(const settings::ControlRegistry& controls);

// Gives each button its tooltip: what it does, then its key where it has one: "... (F5)".
void describeButtons(const settings::ControlRegistry& controls,
                     const std::map<QString, QString>& tips);

} // namespace app
