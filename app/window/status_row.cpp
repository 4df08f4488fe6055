#include "status_row.h"

#include "hp4140/status_byte.h"
#include "lamp.h"
#include "settings/control_registry.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr const char* kNoValue = " - - -";

QLabel* heading(settings::ControlRegistry& registry, const QString& text, const QString& name,
                QWidget* parent) {
    return registry.add(new QLabel(text, parent), name, settings::ControlKind::Label);
}

// A value display: sunken, wide enough for a reading in exponent form.
QLabel* display(settings::ControlRegistry& registry, const QString& name, QWidget* parent) {
    auto* label = registry.add(new QLabel(kNoValue, parent), name, settings::ControlKind::Label);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("-1.234567E-12") + 8);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

// The displays above, the lamps and buttons below them: one line of both would set the width
// of the whole left column.
StatusRow::StatusRow(settings::ControlRegistry& registry, QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout;
    grid->addWidget(heading(registry, "Applied Voltage", "Label3", this), 0, 0);
    grid->addWidget(lblAppliedVoltage_ = display(registry, "lblAppliedVoltage", this), 1, 0);
    grid->addWidget(heading(registry, "Measurement", "Label5", this), 0, 1);
    grid->addWidget(lblMeasurement_ = display(registry, "lblMeasurement", this), 1, 1);
    grid->addWidget(heading(registry, "Units", "Label7", this), 0, 2);
    grid->addWidget(lblUnits_ = display(registry, "lblUnits", this), 1, 2);
    grid->addWidget(heading(registry, "Serial Poll", "Label12", this), 0, 3);
    grid->addWidget(lblSpoll_ = display(registry, "lblSpoll", this), 1, 3);
    lblUnits_->setMinimumWidth(lblUnits_->fontMetrics().horizontalAdvance("Farads") + 16);
    lblSpoll_->setMinimumWidth(lblSpoll_->fontMetrics().horizontalAdvance("255") + 16);
    grid->setColumnStretch(4, 1);

    auto* lamps = new QHBoxLayout;
    lamps->addWidget(heading(registry, "V Output:", "Label11", this));
    shpVOutput_ =
        registry.add(new Lamp(QColor(255, 0, 0), this), "shpVOutput", settings::ControlKind::Other);
    lamps->addWidget(shpVOutput_);
    lamps->addSpacing(fontMetrics().height());
    lamps->addWidget(heading(registry, "At Current Limit:", "Label13", this));
    shpAtCompliance_ = registry.add(new Lamp(QColor(255, 255, 0), this), "shpAtCompliance",
                                    settings::ControlKind::Other);
    lamps->addWidget(shpAtCompliance_);
    lamps->addStretch(1);
    cmdSpoll_ = registry.add(new QPushButton("Serial Poll", this), "cmdSpoll",
                             settings::ControlKind::Other);
    lamps->addWidget(cmdSpoll_);
    lamps->addWidget(registry.add(new QPushButton("Manual Control", this), "Command1",
                                  settings::ControlKind::Other));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addLayout(lamps);
}

void StatusRow::SetSpoll(std::int16_t iSpoll) {
    namespace status = hp4140::status;
    shpAtCompliance_->setOn(status::has(iSpoll, status::kAtCurrentLimit));
    shpVOutput_->setOn(status::has(iSpoll, status::kVoltageOutput));
    lblSpoll_->setText(QString::number(iSpoll));
}

} // namespace app
