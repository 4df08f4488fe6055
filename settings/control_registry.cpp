#include "settings/control_registry.h"

#include <stdexcept>

namespace settings {

QString RegisteredControl::key() const {
    return index ? QStringLiteral("%1(%2)").arg(name).arg(*index) : name;
}

void ControlRegistry::addControl(QWidget* widget, const QString& name, ControlKind kind,
                                 std::optional<int> index) {
    RegisteredControl control{name, index, kind, widget};
    if (find(control.key()))
        throw std::logic_error("control registered twice: " + control.key().toStdString());
    widget->setObjectName(control.key());
    controls_.push_back(control);
}

QWidget* ControlRegistry::find(const QString& key) const {
    for (const RegisteredControl& control : controls_)
        if (control.key().compare(key, Qt::CaseInsensitive) == 0)
            return control.widget;
    return nullptr;
}

} // namespace settings
