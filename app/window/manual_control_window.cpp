#include "manual_control_window.h"

#include "app/table/units.h"
#include "platform/message_box.h"
#include "quenta/numtext/numtext.h"
#include "quenta/quenta.h"
#include "settings/guarded.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int kVoltageValueType = 4;
constexpr double kLargestVoltage = 100.0;
constexpr auto kEverySecond = std::chrono::seconds(1);

quenta::Quenta* voltageField(float value, QWidget* parent) {
    auto* field = new quenta::Quenta(parent);
    field->setValType(kVoltageValueType);
    field->setMin(-kLargestVoltage);
    field->setMax(kLargestVoltage);
    field->setMinLimitEnabled(true);
    field->setMaxLimitEnabled(true);
    field->setFormatString(QStringLiteral("##0.0#"));
    field->setText(QString::fromStdString(numtext::formatGeneralSingle(value)));
    return field;
}

QComboBox* choice(const QStringList& items, int index, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->addItems(items);
    list->setCurrentIndex(std::clamp(index, 0, static_cast<int>(items.size()) - 1));
    return list;
}

} // namespace

ManualControlWindow::ManualControlWindow(testrun::SpotReading::Services services,
                                         const hp4140::TestConfig& panel,
                                         std::function<void()> ended, QWidget* parent)
    : QDialog(parent), spot_(services), panel_(panel), ended_(std::move(ended)),
      txtVA_(voltageField(panel.fVAVoltage, this)), chkVB_(new QCheckBox("VB on", this)),
      txtVB_(voltageField(panel.fVBVoltage, this)),
      cmbLimit_(choice({"1E-2 A", "1E-3 A", "1E-4 A"}, panel.iCurrentLimitVA - 1, this)),
      cmbIntegration_(choice({"Short", "Medium", "Long"}, panel.iIntegration, this)),
      cmdOutputOn_(new QPushButton("Output on", this)), cmdRead_(new QPushButton("Read", this)),
      cmdEverySecond_(new QPushButton("Every second", this)),
      cmdOutputOff_(new QPushButton("Output off", this)), lblReading_(new QLabel(" - - -", this)),
      lblVoltage_(new QLabel(this)) {
    setObjectName("frmManualControl");
    setWindowTitle("Manual Control");
    chkVB_->setChecked(panel.iVBMode == 0);
    cmdEverySecond_->setCheckable(true);
    QFont large = lblReading_->font();
    large.setPointSizeF(large.pointSizeF() * 2.5);
    large.setBold(true);
    lblReading_->setFont(large);
    lblReading_->setAlignment(Qt::AlignCenter);
    lblVoltage_->setAlignment(Qt::AlignCenter);

    auto* form = new QFormLayout;
    form->addRow("VA (V):", txtVA_);
    auto* vb = new QHBoxLayout;
    vb->addWidget(chkVB_);
    vb->addWidget(txtVB_, 1);
    form->addRow("VB (V):", vb);
    form->addRow("Current limit:", cmbLimit_);
    form->addRow("Integration:", cmbIntegration_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdOutputOn_, cmdRead_, cmdEverySecond_, cmdOutputOff_})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(lblReading_);
    layout->addWidget(lblVoltage_);

    connect(cmdOutputOn_, &QPushButton::clicked, this, settings::guarded([this] { outputOn(); }));
    connect(cmdRead_, &QPushButton::clicked, this, settings::guarded([this] { readOnce(); }));
    connect(cmdOutputOff_, &QPushButton::clicked, this, settings::guarded([this] { outputOff(); }));
    connect(cmdEverySecond_, &QPushButton::toggled, this, [this](bool on) {
        if (on)
            everySecond_.start(kEverySecond);
        else
            everySecond_.stop();
    });
    connect(&everySecond_, &QTimer::timeout, this, settings::guarded([this] { readOnce(); }));
    showOutput();
}

ManualControlWindow::~ManualControlWindow() = default;

hp4140::TestConfig ManualControlWindow::setUp() const {
    hp4140::TestConfig config = testrun::SpotReading::holding(panel_);
    config.fVAVoltage = static_cast<float>(numtext::readNumber(txtVA_->Text().toStdString()));
    config.fVBVoltage = static_cast<float>(numtext::readNumber(txtVB_->Text().toStdString()));
    config.iVBMode = chkVB_->isChecked() ? 0 : 1;
    config.iCurrentLimitVA = static_cast<std::int16_t>(cmbLimit_->currentIndex() + 1);
    config.iIntegration = static_cast<std::int16_t>(cmbIntegration_->currentIndex());
    return config;
}

void ManualControlWindow::outputOn() {
    if (const auto refusal = spot_.outputOn(setUp()))
        platform::messageBox().show(*refusal, "", platform::mb::OkOnly);
    showOutput();
}

void ManualControlWindow::readOnce() {
    const std::optional<HP4140DataType> reading = spot_.read();
    if (!reading) {
        lblReading_->setText(spot_.outputIsOn() ? "no reading" : " - - -");
        return;
    }
    lblReading_->setText(
        QString::fromStdString(numtext::formatGeneralSingle(reading->Current) + " A") +
        (reading->AtCurrentLimit ? QStringLiteral(" *") : QString()));
    lblVoltage_->setText(
        QString::fromStdString("at " + numtext::formatGeneralSingle(reading->Voltage) + " V"));
}

void ManualControlWindow::outputOff() {
    cmdEverySecond_->setChecked(false);
    spot_.outputOff();
    showOutput();
}

// The settings hold while the output is on; a reading needs it on.
void ManualControlWindow::showOutput() {
    const bool on = spot_.outputIsOn();
    for (QWidget* setting : std::initializer_list<QWidget*>{txtVA_, chkVB_, txtVB_, cmbLimit_,
                                                            cmbIntegration_, cmdOutputOn_})
        setting->setEnabled(!on);
    cmdRead_->setEnabled(on);
    cmdEverySecond_->setEnabled(on);
    cmdOutputOff_->setEnabled(on);
    if (!on)
        cmdEverySecond_->setChecked(false);
}

void ManualControlWindow::done(int result) {
    everySecond_.stop();
    settings::runGuarded([this] { spot_.end(); });
    QDialog::done(result);
    if (ended_)
        ended_();
}

} // namespace app
