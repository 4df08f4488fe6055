#include "window_keys.h"

#include "settings/control_registry.h"

#include <QAbstractButton>

namespace app {

QList<QKeySequence> commandKeys(const QKeySequence& key, QKeySequence::StandardKey standard) {
    QList<QKeySequence> keys{key};
    for (const QKeySequence& bound : QKeySequence::keyBindings(standard))
        if (!keys.contains(bound))
            keys << bound;
    return keys;
}

void assignButtonKeys(const settings::ControlRegistry& controls) {
    controls.get<QAbstractButton>("cmdStart")->setShortcut(Qt::Key_F5);
    controls.get<QAbstractButton>("cmdAbort")->setShortcut(Qt::SHIFT | Qt::Key_F5);
    controls.get<QAbstractButton>("cmdPrint")->setShortcut(Qt::CTRL | Qt::Key_P);
}

void describeButtons(const settings::ControlRegistry& controls,
                     const std::map<QString, QString>& tips) {
    for (const auto& [name, tip] : tips) {
        auto* button = controls.get<QAbstractButton>(name);
        if (!button)
            continue;
        const QKeySequence key = button->shortcut();
        button->setToolTip(
            key.isEmpty() ? tip : tip + " (" + key.toString(QKeySequence::NativeText) + ")");
    }
}

} // namespace app
