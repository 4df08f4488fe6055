#include "app/field_tooltip.h"

#include "hp4140/setup_limits.h"
#include "quenta/numtext/numtext.h"
#include "quenta/quenta.h"
#include "quenta/value_rules.h"

#include <array>

namespace app {

namespace {

struct StartCheck {
    const char* name;
    const char* needs; // %1 the least value, %2 the unit
    double least;
};

constexpr std::array<StartCheck, 3> kStartChecks{{
    {"stepVoltage", "a sweep or stair needs a step of at least %1 %2 either way",
     hp4140::limits::kSmallestStepVoltage},
    {"rampRate", "a sweep needs %1 %2 or more", hp4140::limits::kSmallestRampRate},
    {"stepDelay", "a stair needs %1 %2 or more", hp4140::limits::kSmallestStepDelay},
}};

const StartCheck* startCheck(const QString& name) {
    for (const StartCheck& check : kStartChecks)
        if (name == QLatin1String(check.name))
            return &check;
    return nullptr;
}

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
    return startCheck(name) != nullptr;
}

QString fieldToolTip(const FieldHelp& help, const quenta::Quenta& field) {
    QString accepts =
        "Accepts " + withUnit((whole(field) ? "whole numbers " : "") + range(field), help.unit);
    if (const StartCheck* check = startCheck(help.startCheck))
        accepts += "; " + QString::fromLatin1(check->needs).arg(number(check->least), help.unit);
    return help.tip + '\n' + accepts + '.';
}

} // namespace app
