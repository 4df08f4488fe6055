#include "settings/form_controls.h"

#include "platform/app_error.h"
#include "platform/folders.h"
#include "settings/configuration_file.h"
#include "settings/form_utility.h"
#include "settings/ini_file.h"
#include "settings/private_profile.h"
#include "settings/setting_keys.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace settings {

namespace {

// Check boxes are kept as 0 unchecked, 1 checked, 2 greyed.
int checkValue(Qt::CheckState state) {
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

std::optional<Qt::CheckState> checkStateOf(int value) {
    switch (value) {
    case 0:
        return Qt::Unchecked;
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return std::nullopt;
    }
}

// A label's line breaks as configuration files write them.
const QString kLineBreakToken = QStringLiteral("&&CRLF");

QString textOf(const RegisteredControl& control) {
    if (control.kind == ControlKind::NumericField)
        return control.widget->property("Text").toString();
    if (const auto* box = qobject_cast<const QLineEdit*>(control.widget))
        return box->text();
    return {};
}

void setTextOf(const RegisteredControl& control, const QString& text) {
    if (control.kind == ControlKind::NumericField)
        control.widget->setProperty("Text", text); // the field validates it at once
    else if (auto* box = qobject_cast<QLineEdit*>(control.widget))
        box->setText(text);
}

// The value a control keeps in a configuration file, empty when it keeps none.
QString savedValue(const RegisteredControl& control) {
    switch (control.kind) {
    case ControlKind::TextBox:
    case ControlKind::NumericField:
        return textOf(control);
    case ControlKind::CheckBox:
        if (const auto* box = qobject_cast<const QCheckBox*>(control.widget))
            return QString::number(checkValue(box->checkState()));
        return {};
    case ControlKind::OptionButton:
        if (const auto* button = qobject_cast<const QAbstractButton*>(control.widget))
            return button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        return {};
    case ControlKind::ComboBox:
        if (const auto* list = qobject_cast<const QComboBox*>(control.widget))
            return QString::number(list->currentIndex());
        return {};
    default:
        return {};
    }
}

int readInt(const std::string& key, int current, const IniDocument& file) {
    return GetPrivateProfileIntA(keys::kFormSection, key, current, file);
}

void loadControl(const RegisteredControl& control, const IniDocument& file,
                 const StoredValueHandler& storedValue) {
    const std::string key = control.key().toStdString();
    switch (control.kind) {
    case ControlKind::TextBox:
    case ControlKind::NumericField: {
        const std::string current = textOf(control).toStdString();
        const QString stored = QString::fromStdString(
            FormUtility::ReadIniString(keys::kFormSection, key, current, file));
        setTextOf(control, stored);
        if (control.kind == ControlKind::NumericField && storedValue &&
            !file.value(keys::kFormSection, key).value_or("").empty())
            storedValue(control, stored);
        break;
    }
    case ControlKind::CheckBox:
        if (auto* box = qobject_cast<QCheckBox*>(control.widget)) {
            if (const auto state = checkStateOf(readInt(key, checkValue(box->checkState()), file)))
                box->setCheckState(*state);
        }
        break;
    case ControlKind::OptionButton:
        if (auto* button = qobject_cast<QAbstractButton*>(control.widget))
            button->setChecked(readInt(key, button->isChecked() ? 1 : 0, file) != 0);
        break;
    case ControlKind::ComboBox:
        if (auto* list = qobject_cast<QComboBox*>(control.widget)) {
            const int index = readInt(key, list->currentIndex(), file);
            if (index >= -1 && index < list->count())
                list->setCurrentIndex(index);
        }
        break;
    case ControlKind::Label:
        if (auto* label = qobject_cast<QLabel*>(control.widget)) {
            const std::string caption = FormUtility::ReadIniString(
                keys::kFormSection, key, label->text().toStdString(), file);
            label->setText(QString::fromStdString(caption).replace(kLineBreakToken, "\n"));
        }
        break;
    case ControlKind::Other:
        break;
    }
}

// A control takes the focus itself or through an inner box (a numeric field's text box).
bool canTakeFocus(const QWidget* widget) {
    if (!widget->isEnabled() || !widget->isVisible())
        return false;
    if (widget->focusPolicy() != Qt::NoFocus)
        return true;
    const auto children = widget->findChildren<QWidget*>();
    return std::any_of(children.begin(), children.end(),
                       [](const QWidget* child) { return child->focusPolicy() != Qt::NoFocus; });
}

} // namespace

void LoadFormControls(const QWidget& window, const ControlRegistry& controls,
                      const IniDocument& file, const FocusLossHandler& focusLost,
                      const StoredValueHandler& storedValue) {
    for (const RegisteredControl& control : controls.controls())
        loadControl(control, file, storedValue);
    // A window that is not shown yet takes no focus; its fields were validated as they were set.
    if (!window.isVisible() || !focusLost)
        return;
    for (const RegisteredControl& control : controls.controls())
        if (canTakeFocus(control.widget))
            focusLost(control);
}

void LoadFormControls(const QWidget& window, const ControlRegistry& controls,
                      const std::filesystem::path& file, const FocusLossHandler& focusLost) {
    std::optional<IniDocument> document;
    try {
        document = ReadConfigurationFile(file);
    } catch (const platform::AppError&) {
        // A file that cannot be read leaves every control as it was, as a missing one does.
    }
    LoadFormControls(window, controls, document.value_or(IniDocument()), focusLost);
}

std::vector<std::string> FormKeys(const ControlRegistry& controls) {
    std::vector<std::string> keys;
    for (const RegisteredControl& control : controls.controls())
        if (control.kind != ControlKind::Label && control.kind != ControlKind::Other)
            keys.push_back(control.key().toStdString());
    return keys;
}

std::vector<std::pair<std::string, std::string>> FormValues(const ControlRegistry& controls) {
    std::vector<std::pair<std::string, std::string>> values;
    for (const RegisteredControl& control : controls.controls())
        if (const QString value = savedValue(control); !value.isEmpty())
            values.emplace_back(control.key().toStdString(), value.toStdString());
    return values;
}

bool SaveFormControls(const QWidget& window, const ControlRegistry& controls,
                      const std::filesystem::path& file, bool skipLabels) {
    if (window.isMinimized() || !window.isVisible())
        return true;
    try {
        IniFile ini(file);
        const auto setValue = [&ini](const std::string& key, const std::string& value) {
            try {
                ini.setValue(keys::kFormSection, key, value);
            } catch (const platform::AppError&) {
                // A value one INI line cannot hold is left out; the other controls are kept.
            }
        };
        for (const auto& [key, value] : FormValues(controls))
            setValue(key, value);
        for (const RegisteredControl& control : controls.controls()) {
            const std::string key = control.key().toStdString();
            const auto* label = qobject_cast<const QLabel*>(control.widget);
            if (control.kind == ControlKind::Label && label && !skipLabels &&
                !label->text().isEmpty() &&
                !ini.value(keys::kFormSection, key).value_or("").empty())
                setValue(key, label->text().toStdString());
        }
        ini.commit();
        return true;
    } catch (const platform::AppError& error) {
        platform::setCurrentError(error);
        FormUtility::ShowCurrentError();
        return false;
    }
}

std::filesystem::path DefaultFormFile(const QWidget& window) {
    return platform::programFolders().program /
           (window.objectName().toStdString() + keys::kWindowFileExtension);
}

} // namespace settings
