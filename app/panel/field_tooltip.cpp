#include "field_tooltip.h"

#include "hp4140/setup_limits.h"
#include "quenta/numtext/numtext.h"
#include "quenta/quenta.h"
#include "quenta/value_rules.h"

namespace app {

namespace {

QString number(double value) {
    return QString::fromStdString(numtext::formatGeneral(value));
}

QString range(const quenta::Quenta& field) {
    const bool low = field.MinLimitEnabled();
    const bool high = field.MaxLimitEnabled();
    if (low && high)
        return number(field.Min()) + " to " + number(field.Max());
    if (high)
        return "up to " + number(field.Max());
    if (low)
        return number(field.Min()) + " or more";
    return "any number";
}

bool whole(const quenta::Quenta& field) {
    return field.ValType() == quenta::valtype::Int16 || field.ValType() == quenta::valtype::Int32;
}

QString withUnit(const QString& text, const QString& unit) {
    return unit.isEmpty() ? text : text + ' ' + unit;
}

} // namespace

bool isStartCheck(const QString& name) {
    return hp4140::checkedSettingNamed(name.toStdString()).has_value();
}

QString fieldToolTip(const FieldHelp& help, const quenta::Quenta& field) {
    QString accepts =
        "Accepts " + withUnit((whole(field) ? "whole numbers " : "") + range(field), help.unit);
    if (const auto setting = hp4140::checkedSettingNamed(help.startCheck.toStdString()))
        accepts += "; " + QString::fromStdString(hp4140::settingNeeds(*setting));
    return help.tip + '\n' + accepts + '.';
}

} // namespace app
