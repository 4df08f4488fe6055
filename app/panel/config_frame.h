#pragma once

#include <QGroupBox>
#include <QStringList>

class QSlider;

namespace quenta {
class Quenta;
}

namespace settings {
class ControlRegistry;
}

namespace app {

class FieldDescriptions;

// frameConfig(i): the configuration field txtConfig(i) above its vertical slider
// sliderConfig(i), whose minimum is at the top, with five fixed tick labels beside it.
class ConfigFrame : public QGroupBox {
    Q_OBJECT

public:
    ConfigFrame(int field, const FieldDescriptions& fields, settings::ControlRegistry& registry,
                QWidget* parent);

    quenta::Quenta* field() const { return field_; }
    QSlider* slider() const { return slider_; }

    static QString caption(int field);
    static QStringList tickLabels(int field);

private:
    quenta::Quenta* field_;
    QSlider* slider_;
};

} // namespace app
