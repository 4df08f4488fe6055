#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;

namespace quenta {
class Quenta;
}

namespace settings {
class ControlRegistry;
}

namespace app {

class FieldDescriptions;
class OptionGroup;

// frameGraphSettings: the chart's settings view, shown in the chart's place: scaling mode, the
// manual limits of both axes with their rounding notes, and the display switches.
class GraphSettingsFrame : public QGroupBox {
    Q_OBJECT

public:
    GraphSettingsFrame(const FieldDescriptions& fields, settings::ControlRegistry& registry,
                       QWidget* parent);

    OptionGroup& optionGraphScale() const { return *optionGraphScale_; }
    QComboBox* cmbGraphCurrent(int i) const { return cmbGraphCurrent_.at(i); }
    QComboBox* cmbGraphCapacitance(int i) const { return cmbGraphCapacitance_.at(i); }
    quenta::Quenta* txtGraphVoltage(int i) const { return txtGraphVoltage_.at(i); }
    quenta::Quenta* txtGraphTime(int i) const { return txtGraphTime_.at(i); }
    QCheckBox* chkYLog() const { return chkYLog_; }
    QCheckBox* chkDisplayPolarity() const { return chkDisplayPolarity_; }
    QCheckBox* chkDisplaySymbols() const { return chkDisplaySymbols_; }

private:
    QWidget* createScalingFrame(const FieldDescriptions& fields,
                                settings::ControlRegistry& registry);
    QCheckBox* checkBox(settings::ControlRegistry& registry, const QString& caption,
                        const QString& name);

    OptionGroup* optionGraphScale_ = nullptr;
    std::array<QComboBox*, 2> cmbGraphCurrent_{};
    std::array<QComboBox*, 2> cmbGraphCapacitance_{};
    std::array<quenta::Quenta*, 2> txtGraphVoltage_{};
    std::array<quenta::Quenta*, 2> txtGraphTime_{};
    QCheckBox* chkYLog_ = nullptr;
    QCheckBox* chkDisplayPolarity_ = nullptr;
    QCheckBox* chkDisplaySymbols_ = nullptr;
};

} // namespace app
