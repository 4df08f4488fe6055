#pragma once

#include "bus/gpib_device.h"

#include <QWidget>
#include <cstdint>

class QLabel;
class QPushButton;

namespace settings {
class ControlRegistry;
}

namespace app {

class Lamp;

// The test's status displays: applied voltage, measurement, units, the last serial-poll byte,
// the two lamps, and the "Serial Poll" and "Manual Control" buttons. Every serial poll of the
// instrument refreshes the byte and the lamps.
class StatusRow : public QWidget, public bus::SpollObserver {
    Q_OBJECT

public:
    StatusRow(settings::ControlRegistry& registry, QWidget* parent);

    // Shows the byte and lights the lamps by its output and current-limit bits.
    void SetSpoll(std::int16_t iSpoll) override;

    QLabel* lblAppliedVoltage() const { return lblAppliedVoltage_; }
    QLabel* lblMeasurement() const { return lblMeasurement_; }
    QLabel* lblUnits() const { return lblUnits_; }
    QLabel* lblSpoll() const { return lblSpoll_; }
    Lamp* shpVOutput() const { return shpVOutput_; }
    Lamp* shpAtCompliance() const { return shpAtCompliance_; }
    QPushButton* cmdSpoll() const { return cmdSpoll_; }

private:
    QLabel* lblAppliedVoltage_;
    QLabel* lblMeasurement_;
    QLabel* lblUnits_;
    QLabel* lblSpoll_;
    Lamp* shpVOutput_;
    Lamp* shpAtCompliance_;
    QPushButton* cmdSpoll_;
};

} // namespace app
