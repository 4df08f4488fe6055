#pragma once

#include "app/testrun/spot_reading.h"

#include <QDialog>
#include <QTimer>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace quenta {
class Quenta;
}

namespace app {

// "Manual Control": a small window for checking a probe's contact before a test. VA (and VB),
// the current limit and the integration are set here, starting from the panel's; "Output on"
// applies them, "Read" takes one reading and "Every second" one a second, shown large; "Output
// off" switches the output off. Closing the window returns the instrument to idle and local
// control exactly as the end of a test does. Nothing read is filed.
class ManualControlWindow final : public QDialog {
    Q_OBJECT

public:
    // The panel's set-up is what the fields start from; ended is called once the window has
    // closed and the instrument is idle.
    ManualControlWindow(testrun::SpotReading::Services services, const hp4140::TestConfig& panel,
                        std::function<void()> ended, QWidget* parent);
    ~ManualControlWindow() override;

    QPushButton* cmdOutputOn() const { return cmdOutputOn_; }
    QPushButton* cmdRead() const { return cmdRead_; }
    QPushButton* cmdEverySecond() const { return cmdEverySecond_; }
    QPushButton* cmdOutputOff() const { return cmdOutputOff_; }
    QLabel* lblReading() const { return lblReading_; }

protected:
    void done(int result) override;

private:
    void outputOn();
    void readOnce();
    void outputOff();
    void showOutput();
    hp4140::TestConfig setUp() const;

    testrun::SpotReading spot_;
    hp4140::TestConfig panel_;
    std::function<void()> ended_;
    quenta::Quenta* txtVA_;
    QCheckBox* chkVB_;
    quenta::Quenta* txtVB_;
    QComboBox* cmbLimit_;
    QComboBox* cmbIntegration_;
    QPushButton* cmdOutputOn_;
    QPushButton* cmdRead_;
    QPushButton* cmdEverySecond_;
    QPushButton* cmdOutputOff_;
    QLabel* lblReading_;
    QLabel* lblVoltage_;
    QTimer everySecond_;
};

} // namespace app
