#include "config_frame.h"

#include "config_coupling.h"
#include "field_descriptions.h"
#include "quenta/quenta.h"
#include "settings/control_registry.h"
#include "unit_label.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>
#include <array>

namespace app {

namespace {

constexpr int kTicks = 5;

struct FrameTexts {
    const char* caption;
    std::array<const char*, kTicks> ticks; // top to bottom
};

constexpr std::array<FrameTexts, kConfigFieldCount> kTexts{{
    {"Start Voltage", {"100", "50", "0", "-50", "-100"}},
    {"Stop Voltage", {"100", "50", "0", "-50", "-100"}},
    {"Step Voltage", {"10", "5", "0", "-5", "-10"}},
    {"Hold Time", {"1999", "1500", "1000", "500", "0.1"}},
    {"Step Delay", {"100", "75", "50", "25", "0.01"}},
    {"dV/dt (V/s)", {"1", "0.75", "0.5", "0.25", "0.001"}},
    {"VB Voltage", {"100", "50", "0", "-50", "-100"}},
    {"VA Voltage", {"100", "50", "0", "-50", "-100"}},
}};

QSlider* makeSlider(int field, QWidget* parent) {
    auto* slider = new QSlider(Qt::Vertical, parent);
    const SliderRange range = sliderRange(field);
    slider->setRange(range.min, range.max);
    // The minimum sits at the top, and the arrow keys move the handle the way they point.
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    const int span = range.max - range.min;
    slider->setSingleStep(1);
    slider->setPageStep(std::max(1, span / 20));
    slider->setTickPosition(QSlider::TicksRight);
    slider->setTickInterval(std::max(1, span / (kTicks - 1)));
    // Room for the five tick labels beside it.
    slider->setMinimumHeight(slider->fontMetrics().height() * kTicks);
    return slider;
}

} // namespace

QString ConfigFrame::caption(int field) {
    return QString::fromLatin1(kTexts.at(field).caption);
}

QStringList ConfigFrame::tickLabels(int field) {
    QStringList labels;
    for (const char* tick : kTexts.at(field).ticks)
        labels << QString::fromLatin1(tick);
    return labels;
}

ConfigFrame::ConfigFrame(int field, const FieldDescriptions& fields,
                         settings::ControlRegistry& registry, QWidget* parent)
    : QGroupBox(caption(field), parent) {
    registry.add(this, "frameConfig", settings::ControlKind::Other, field);
    const QString key = QStringLiteral("txtConfig(%1)").arg(field);
    field_ = registry.add(fields.createField(key, caption(field), this), "txtConfig",
                          settings::ControlKind::NumericField, field);
    slider_ =
        registry.add(makeSlider(field, this), "sliderConfig", settings::ControlKind::Other, field);

    auto* ticks = new QVBoxLayout;
    ticks->setSpacing(0);
    const QStringList labels = tickLabels(field);
    for (int k = 0; k < labels.size(); ++k) {
        if (k > 0)
            ticks->addStretch(1);
        auto* label = registry.add(new QLabel(labels[k], this), "lblSliderTicks",
                                   settings::ControlKind::Label, field * kTicks + k);
        ticks->addWidget(label);
    }
    auto* sliderRow = new QHBoxLayout;
    sliderRow->addWidget(slider_);
    sliderRow->addLayout(ticks);
    sliderRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(besideUnit(field_, fields.unit(key)));
    layout->addLayout(sliderRow, 1);
}

} // namespace app
