#pragma once

#include <QColor>
#include <QWidget>

namespace app {

// An indicator shape: a small filled rectangle whose colour is the state.
class Lamp : public QWidget {
    Q_OBJECT

public:
    Lamp(QColor onColor, QWidget* parent);

    void setOn(bool on);
    QColor fillColor() const { return fill_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static QColor offColor() { return {224, 224, 224}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor on_;
    QColor fill_;
};

} // namespace app
