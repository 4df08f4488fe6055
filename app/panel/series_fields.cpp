#include "series_fields.h"

#include "field_descriptions.h"
#include "option_group.h"
#include "settings/control_registry.h"
#include "settings/form_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <algorithm>

namespace app {

namespace {

QString withoutEnd(QString caption) {
    return caption.remove(QRegularExpression(R"((\s*\([^)]*\))?:?$)")).trimmed();
}

series::SteppableField numericField(const settings::RegisteredControl& control,
                                    const FieldDescriptions& fields) {
    const QString key = control.key();
    const QString legend = fields.legend(key);
    const QString name = legend.isEmpty() ? withoutEnd(control.widget->accessibleName()) : legend;
    return {key.toStdString(),
            (name.isEmpty() ? key : name).toStdString(),
            fields.unit(key).toStdString(),
            {}};
}

// The frame's title; a group in a column of a frame adds the column's label ("VB").
QString groupName(const QRadioButton& button, const OptionGroup& group) {
    const QWidget* column = button.parentWidget();
    QString name;
    for (const QWidget* w = column; w && name.isEmpty(); w = w->parentWidget())
        if (const auto* box = qobject_cast<const QGroupBox*>(w))
            name = withoutEnd(box->title());
    if (column && !qobject_cast<const QGroupBox*>(column))
        if (const auto* label = column->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
            name += (name.isEmpty() ? "" : " ") + label->text();
    return name.isEmpty() ? group.name() : name;
}

series::SteppableField optionGroup(const QRadioButton& button, const OptionGroup& group) {
    series::SteppableField field{
        group.name().toStdString(), groupName(button, group).toStdString(), {}, {}};
    for (int i = group.lowestIndex(); i <= group.highestIndex(); ++i)
        field.choices.push_back(withoutEnd(group.button(i)->text()).toStdString());
    return field;
}

} // namespace

series::PanelFields seriesFieldsOf(const settings::ControlRegistry& controls,
                                   const FieldDescriptions& fields) {
    std::vector<series::SteppableField> steppable;
    for (const settings::RegisteredControl& control : controls.controls()) {
        if (control.kind == settings::ControlKind::NumericField) {
            steppable.push_back(numericField(control, fields));
            continue;
        }
        const auto* button = qobject_cast<const QRadioButton*>(control.widget);
        const OptionGroup* group = OptionGroup::groupOf(button);
        if (control.kind != settings::ControlKind::OptionButton || !group)
            continue;
        const std::string key = group->name().toStdString();
        if (std::none_of(steppable.begin(), steppable.end(),
                         [&](const series::SteppableField& f) { return f.key == key; }))
            steppable.push_back(optionGroup(*button, *group));
    }
    return series::PanelFields(settings::FormKeys(controls), std::move(steppable));
}

} // namespace app
