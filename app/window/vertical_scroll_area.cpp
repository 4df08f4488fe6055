#include "vertical_scroll_area.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>

namespace app {

namespace {

// Low enough for any screen; the panel scrolls within it.
constexpr int kLeastLines = 4;

} // namespace

VerticalScrollArea::VerticalScrollArea(QWidget* panel, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setWidget(panel);
    panel->installEventFilter(this);
}

bool VerticalScrollArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

int VerticalScrollArea::scrollBarWidth() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
}

// The panel's least width is all it asks for, so the rest of a wide screen goes to the
// window's chart and table.
QSize VerticalScrollArea::sizeHint() const {
    return {widget()->minimumSizeHint().width() + scrollBarWidth(), widget()->sizeHint().height()};
}

QSize VerticalScrollArea::minimumSizeHint() const {
    return {widget()->minimumSizeHint().width() + scrollBarWidth(),
            fontMetrics().height() * kLeastLines};
}

} // namespace app
