#include "graph_settings_frame.h"

#include "app/panel/field_descriptions.h"
#include "app/panel/option_group.h"
#include "quenta/quenta.h"
#include "settings/control_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace app {

namespace {

// One limit row of the scaling grid: caption, control, unit.
void limitRow(QGridLayout* grid, int row, int column, const QString& caption, QWidget* control,
              const QString& unit) {
    grid->addWidget(new QLabel(caption, control->parentWidget()), row, column, Qt::AlignRight);
    grid->addWidget(control, row, column + 1);
    grid->addWidget(new QLabel(unit, control->parentWidget()), row, column + 2);
}

} // namespace

GraphSettingsFrame::GraphSettingsFrame(const FieldDescriptions& fields,
                                       settings::ControlRegistry& registry, QWidget* parent)
    : QGroupBox("Graph Settings", parent) {
    registry.add(this, "frameGraphSettings", settings::ControlKind::Other);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createScalingFrame(fields, registry));
    chkYLog_ = checkBox(registry, "Logarithmic Y-Axis", "chkYLog");
    chkDisplayPolarity_ = checkBox(registry, "Display Measurement Polarity", "chkDisplayPolarity");
    chkDisplaySymbols_ =
        checkBox(registry, "Display Point Symbols (clicking on circle will select the data point)",
                 "chkDisplaySymbols");
    for (QCheckBox* box : {chkYLog_, chkDisplayPolarity_, chkDisplaySymbols_})
        layout->addWidget(box);
    layout->addStretch(1);
}

QWidget* GraphSettingsFrame::createScalingFrame(const FieldDescriptions& fields,
                                                settings::ControlRegistry& registry) {
    auto* frame = registry.add(new QGroupBox("Axis Scaling", this), "frameGraphScaling",
                               settings::ControlKind::Other);
    auto* grid = new QGridLayout(frame);
    optionGraphScale_ =
        new OptionGroup("optionGraphScale", {"Auto Scaling", "Manual Scaling:"}, frame);
    for (int i = 0; i < 2; ++i) {
        registry.add(optionGraphScale_->button(i), "optionGraphScale",
                     settings::ControlKind::OptionButton, i);
        grid->addWidget(optionGraphScale_->button(i), 0, i * 3, 1, 3);
    }
    optionGraphScale_->select(0);

    grid->addWidget(
        registry.add(new QLabel("Y-Axis", frame), "Label9", settings::ControlKind::Label), 1, 0);
    const QStringList current{"Current Min:", "Current Max:"};
    const QStringList capacitance{"Cap. Min:", "Cap. Max:"};
    for (int i = 0; i < 2; ++i) {
        cmbGraphCurrent_[i] = registry.add(new QComboBox(frame), "cmbGraphCurrent",
                                           settings::ControlKind::ComboBox, i);
        limitRow(grid, 2 + i, 0, current[i], cmbGraphCurrent_[i], "A");
    }
    for (int i = 0; i < 2; ++i) {
        cmbGraphCapacitance_[i] = registry.add(new QComboBox(frame), "cmbGraphCapacitance",
                                               settings::ControlKind::ComboBox, i);
        limitRow(grid, 2 + i, 3, capacitance[i], cmbGraphCapacitance_[i], "F");
    }

    grid->addWidget(
        registry.add(new QLabel("X-Axis", frame), "Label10", settings::ControlKind::Label), 4, 0);
    const QStringList voltage{"Voltage Min:", "Voltage Max:"};
    const QStringList time{"Time Min:", "Time Max:"};
    for (int i = 0; i < 2; ++i) {
        const QString key = QStringLiteral("txtGraphVoltage(%1)").arg(i);
        txtGraphVoltage_[i] =
            registry.add(fields.createField(key, voltage[i], frame), "txtGraphVoltage",
                         settings::ControlKind::NumericField, i);
        limitRow(grid, 5 + i, 0, voltage[i], txtGraphVoltage_[i], fields.unit(key));
    }
    for (int i = 0; i < 2; ++i) {
        const QString key = QStringLiteral("txtGraphTime(%1)").arg(i);
        txtGraphTime_[i] = registry.add(fields.createField(key, time[i], frame), "txtGraphTime",
                                        settings::ControlKind::NumericField, i);
        limitRow(grid, 5 + i, 3, time[i], txtGraphTime_[i], fields.unit(key));
    }
    grid->addWidget(registry.add(new QLabel("rounding to...", frame), "lblVoltageRounding",
                                 settings::ControlKind::Label),
                    7, 0, 1, 3);
    grid->addWidget(registry.add(new QLabel("rounding to...", frame), "lblTimeRounding",
                                 settings::ControlKind::Label),
                    7, 3, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    return frame;
}

QCheckBox* GraphSettingsFrame::checkBox(settings::ControlRegistry& registry, const QString& caption,
                                        const QString& name) {
    auto* box = registry.add(new QCheckBox(caption, this), name, settings::ControlKind::CheckBox);
    box->setChecked(true);
    return box;
}

} // namespace app
