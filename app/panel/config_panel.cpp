#include "config_panel.h"

#include "config_frame.h"
#include "field_descriptions.h"
#include "option_group.h"
#include "quenta/quenta.h"
#include "settings/control_registry.h"
#include "unit_label.h"

#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <vector>

namespace app {

namespace {

QGroupBox* frame(settings::ControlRegistry& registry, const QString& caption, const QString& name,
                 std::optional<int> index, QWidget* parent) {
    return registry.add(new QGroupBox(caption, parent), name, settings::ControlKind::Other, index);
}

// An option group whose buttons are children of `owner`, stacked in `into` top to bottom and
// registered in index order.
OptionGroup* optionGroup(settings::ControlRegistry& registry, const QString& name,
                         const QStringList& captions, int selected, QWidget* owner,
                         QBoxLayout* into) {
    auto* group = new OptionGroup(name, captions, owner);
    for (int i = group->lowestIndex(); i <= group->highestIndex(); ++i)
        into->addWidget(
            registry.add(group->button(i), name, settings::ControlKind::OptionButton, i));
    into->addStretch(1);
    group->select(selected);
    return group;
}

// A frame holding one option group and nothing else.
OptionGroup* framedGroup(settings::ControlRegistry& registry, QGroupBox* box, const QString& name,
                         const QStringList& captions, int selected) {
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(0);
    return optionGroup(registry, name, captions, selected, box, layout);
}

const QStringList kCurrentLimits{"1E-2", "1E-3", "1E-4"};

// One column of the current limits, added to the row: its caption over the three limits.
OptionGroup* limitColumn(settings::ControlRegistry& registry, QHBoxLayout& row,
                         const QString& frameKey, const QString& caption, int captionIndex,
                         const QString& groupName) {
    auto* column =
        registry.add(new QWidget(row.parentWidget()), frameKey, settings::ControlKind::Other);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(registry.add(new QLabel(caption, column), "Label14",
                                   settings::ControlKind::Label, captionIndex));
    row.addWidget(column);
    return optionGroup(registry, groupName, kCurrentLimits, 0, column, layout);
}

} // namespace

ConfigPanel::ConfigPanel(const FieldDescriptions& fields, settings::ControlRegistry& registry,
                         QWidget* parent)
    : QWidget(parent) {
    createAddressFrame(fields, registry);
    createConfigFrames(fields, registry);
    createOptionFrames(registry);
    createTimingFrame(fields, registry);
    layOut();
    setReadingTabOrder();
    InitSliderMultipliers();
    connectHandlers();
}

quenta::Quenta* ConfigPanel::txtConfig(int i) const {
    return frames_.at(i)->field();
}

QSlider* ConfigPanel::sliderConfig(int i) const {
    return frames_.at(i)->slider();
}

void ConfigPanel::createAddressFrame(const FieldDescriptions& fields,
                                     settings::ControlRegistry& registry) {
    auto* box = frame(registry, QString(), "Frame4", std::nullopt, this);
    frame4_ = box;
    // One row: the address frame sits in the panel's top row, whose height every screen pays.
    auto* layout = new QHBoxLayout(box);
    auto* address =
        registry.add(new QLabel("Address:", box), "lblGPIBAddress", settings::ControlKind::Label);
    txtGPIBAddress_ = registry.add(fields.createField("txtGPIBAddress", address->text(), box),
                                   "txtGPIBAddress", settings::ControlKind::NumericField);
    auto* board =
        registry.add(new QLabel("GPIB Board Id:", box), "Label4", settings::ControlKind::Label);
    txtGPIBBoardId_ = registry.add(fields.createField("txtGPIBBoardId", board->text(), box),
                                   "txtGPIBBoardId", settings::ControlKind::NumericField);
    layout->addWidget(address);
    layout->addWidget(txtGPIBAddress_);
    layout->addSpacing(address->fontMetrics().height());
    layout->addWidget(board);
    layout->addWidget(txtGPIBBoardId_);
}

void ConfigPanel::createConfigFrames(const FieldDescriptions& fields,
                                     settings::ControlRegistry& registry) {
    for (int i = 0; i < kConfigFieldCount; ++i)
        frames_[i] = new ConfigFrame(i, fields, registry, this);
}

void ConfigPanel::createOptionFrames(settings::ControlRegistry& registry) {
    // The function comes before the ramp, so a configuration file that restores both leaves
    // the stored ramp selected rather than the one the function rules would pick.
    frameFunction_ = frame(registry, "Function", "frameFunction", std::nullopt, this);
    optionFunction_ =
        framedGroup(registry, frameFunction_, "optionFunction", {"I", "I-V", "C-V"}, 0);
    frameRamp_ = frame(registry, "Voltage Ramp", "Frame1", 0, this);
    optionRamp_ =
        framedGroup(registry, frameRamp_, "optionRamp",
                    {"Sweep up", "Sweep up/dn", "Stair up", "Stair up/dn", "Constant"}, 2);

    frameCurrentLimits_ = frame(registry, "Current Limits", "Frame5", 0, this);
    auto* limits = new QHBoxLayout(frameCurrentLimits_);
    optionCurrentLimit_ = limitColumn(registry, *limits, "Frame6", "VA", 0, "optionCurrentLimit");
    optionCurrentLimitVB_ =
        limitColumn(registry, *limits, "Frame7", "VB", 1, "optionCurrentLimitVB");

    frameVB_ = frame(registry, "VB On/Off", "Frame5", 1, this);
    optionVB_ = framedGroup(registry, frameVB_, "optionVB", {"Constant", "Off"}, 1);
    frameFilter_ = frame(registry, "Filter", "Frame5", 2, this);
    optionFilter_ = framedGroup(registry, frameFilter_, "optionFilter", {"On", "Off"}, 1);
}

void ConfigPanel::createTimingFrame(const FieldDescriptions& fields,
                                    settings::ControlRegistry& registry) {
    frameTiming_ = frame(registry, "Internal Timing (I mode only)", "Frame1", 1, this);
    auto* layout = new QFormLayout(frameTiming_);
    auto* rate = registry.add(new QLabel("Sample Rate (sec)", frameTiming_), "Label1",
                              settings::ControlKind::Label);
    txtSampleRate_ = registry.add(fields.createField("txtSampleRate", rate->text(), frameTiming_),
                                  "txtSampleRate", settings::ControlKind::NumericField);
    auto* total = registry.add(new QLabel("Max Sample Time (sec)", frameTiming_), "Label2",
                               settings::ControlKind::Label);
    txtTotalTestTime_ =
        registry.add(fields.createField("txtTotalTestTime", total->text(), frameTiming_),
                     "txtTotalTestTime", settings::ControlKind::NumericField);
    layout->addRow(rate, besideUnit(txtSampleRate_, fields.unit("txtSampleRate")));
    layout->addRow(total, besideUnit(txtTotalTestTime_, fields.unit("txtTotalTestTime")));

    frameIntegration_ = frame(registry, "Integration", "frameIntegration", std::nullopt, this);
    optionIntegration_ = framedGroup(registry, frameIntegration_, "optionIntegration",
                                     {"Short", "Medium", "Long"}, 0);
}

void ConfigPanel::layOut() {
    auto* configRows = new QGridLayout;
    for (int i = 0; i < kConfigFieldCount; ++i)
        configRows->addWidget(frames_[i], i / 4, i % 4);
    auto* options = new QHBoxLayout;
    options->addWidget(frameRamp_);
    options->addWidget(frameCurrentLimits_);
    options->addWidget(frameVB_);
    options->addWidget(frameFilter_);
    auto* modes = new QHBoxLayout;
    modes->addWidget(frameFunction_);
    modes->addWidget(frameTiming_, 1);
    modes->addWidget(frameIntegration_);

    // Every frame keeps close to its contents: the panel's height decides whether it fits a low
    // screen without scrolling.
    const int margin = fontMetrics().height() / 3;
    for (QGroupBox* box : findChildren<QGroupBox*>())
        box->layout()->setContentsMargins(margin, margin, margin, margin);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    topRow_ = new QHBoxLayout;
    topRow_->addWidget(frame4_);
    layout->addLayout(topRow_);
    layout->addLayout(configRows, 1);
    layout->addLayout(options);
    layout->addLayout(modes);
}

// The frames are made in the order configuration files keep (the function before the ramp);
// Tab goes through them as they are read: row by row, left to right.
void ConfigPanel::setReadingTabOrder() {
    std::vector<QWidget*> order{txtGPIBAddress_, txtGPIBBoardId_};
    for (int i = 0; i < kConfigFieldCount; ++i) {
        order.push_back(txtConfig(i));
        order.push_back(sliderConfig(i));
    }
    const auto addGroup = [&order](const OptionGroup* group) {
        for (int i = group->lowestIndex(); i <= group->highestIndex(); ++i)
            order.push_back(group->button(i));
    };
    for (const OptionGroup* group : {optionRamp_, optionCurrentLimit_, optionCurrentLimitVB_,
                                     optionVB_, optionFilter_, optionFunction_})
        addGroup(group);
    order.push_back(txtSampleRate_);
    order.push_back(txtTotalTestTime_);
    addGroup(optionIntegration_);
    for (std::size_t k = 1; k < order.size(); ++k)
        QWidget::setTabOrder(order[k - 1], order[k]);
}

void ConfigPanel::connectHandlers() {
    for (int i = 0; i < kConfigFieldCount; ++i)
        connect(sliderConfig(i), &QSlider::valueChanged, this,
                [this, i] { sliderConfig_Change(i); });
    connect(optionFunction_, &OptionGroup::Click, this, [this] { EnableDisableFromData(); });
    connect(optionRamp_, &OptionGroup::Click, this, [this] { EnableDisableFromData(); });
    // The application reports a focus change after the field that lost it has validated.
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget*) { onFocusChanged(old); });
}

void ConfigPanel::onFocusChanged(QWidget* old) {
    if (!old)
        return;
    for (int i = 0; i < kConfigFieldCount; ++i)
        if (txtConfig(i)->isAncestorOf(old))
            txtConfig_LostFocus(i);
}

void ConfigPanel::InitSliderMultipliers() {
    app::InitSliderMultipliers(tables_);
}

void ConfigPanel::txtConfig_LostFocus(int i) {
    const SliderPosition position =
        fieldToSliderPosition(tables_, i, txtConfig(i)->Text().toStdString());
    // A value beyond the slider's range leaves the slider at its end and the typed value as is.
    std::optional<QSignalBlocker> keepField;
    if (position.clamped)
        keepField.emplace(sliderConfig(i));
    sliderConfig(i)->setValue(position.value);
}

void ConfigPanel::sliderConfig_Change(int i) {
    const auto text =
        sliderToFieldText(tables_, i, txtConfig(i)->Text().toStdString(), sliderConfig(i)->value());
    if (text)
        txtConfig(i)->setText(QString::fromStdString(*text));
}

void ConfigPanel::txtConfig_EnableDisable(int i, bool enable) {
    txtConfig(i)->setEnabled(enable);
    sliderConfig(i)->setEnabled(enable);
}

void ConfigPanel::EnableDisableFromData() {
    const std::int16_t allowed = hp4140::optionIndex(
        highestAllowedRamp(hp4140::functionAt(optionFunction_->getOptionButtonSelectedIndex())));
    for (int r = optionRamp_->lowestIndex(); r <= optionRamp_->highestIndex(); ++r)
        optionRamp_->setButtonEnabled(r, r <= allowed);
    if (optionRamp_->getOptionButtonSelectedIndex() > allowed)
        optionRamp_->select(allowed); // runs these rules once more, now with an allowed ramp
    if (hp4140::rampAt(optionRamp_->getOptionButtonSelectedIndex()) == hp4140::Ramp::Constant)
        return;
    for (int i = 0; i < kConfigFieldCount; ++i)
        txtConfig_EnableDisable(i, true);
}

void ConfigPanel::enablePanel(bool enabled) {
    for (int i = 0; i < kConfigFieldCount; ++i)
        txtConfig_EnableDisable(i, enabled);
    for (OptionGroup* group :
         {optionIntegration_, optionFunction_, optionRamp_, optionCurrentLimit_, optionVB_,
          optionCurrentLimitVB_, optionFilter_})
        group->optionEnableDisable(enabled);
    for (quenta::Quenta* field :
         {txtSampleRate_, txtTotalTestTime_, txtGPIBAddress_, txtGPIBBoardId_})
        field->setEnabled(enabled);
    if (enabled)
        EnableDisableFromData();
}

void ConfigPanel::placeBesideAddress(QWidget* widget) {
    topRow_->insertWidget(0, widget, 1);
}

PanelSettings ConfigPanel::settings() const {
    PanelSettings s;
    s.gpibAddress = txtGPIBAddress_->Text().toStdString();
    s.gpibBoardId = txtGPIBBoardId_->Text().toStdString();
    for (int i = 0; i < kConfigFieldCount; ++i)
        s.config[i] = txtConfig(i)->Text().toStdString();
    s.currentLimitVA = optionCurrentLimit_->getOptionButtonSelectedIndex();
    s.currentLimitVB = optionCurrentLimitVB_->getOptionButtonSelectedIndex();
    s.integration = optionIntegration_->getOptionButtonSelectedIndex();
    s.function = optionFunction_->getOptionButtonSelectedIndex();
    s.ramp = optionRamp_->getOptionButtonSelectedIndex();
    s.vbMode = optionVB_->getOptionButtonSelectedIndex();
    s.filter = optionFilter_->getOptionButtonSelectedIndex();
    s.sampleRate = txtSampleRate_->Text().toStdString();
    s.totalTestTime = txtTotalTestTime_->Text().toStdString();
    return s;
}

} // namespace app
