#include "lamp.h"

#include <QPainter>

namespace app {

Lamp::Lamp(QColor onColor, QWidget* parent) : QWidget(parent), on_(onColor), fill_(offColor()) {}

void Lamp::setOn(bool on) {
    fill_ = on ? on_ : offColor();
    update();
}

QSize Lamp::sizeHint() const {
    const int side = fontMetrics().height();
    return {side * 2, side};
}

// A lamp squeezed to nothing would hide the output state, so it never goes below its hint.
QSize Lamp::minimumSizeHint() const {
    return sizeHint();
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(fill_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace app
