#include "chart_mouse.h"

#include "live_chart.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

namespace chart {

namespace {

constexpr double kDegreesPerNotch = 15.0;

} // namespace

ChartMouse::ChartMouse(LiveChart& chart) : QObject(&chart), chart_(chart) {
    QCustomPlot* plot = chart.plot();
    connect(plot, &QCustomPlot::mousePress, this, &ChartMouse::onPress);
    connect(plot, &QCustomPlot::mouseMove, this, &ChartMouse::onMove);
    connect(plot, &QCustomPlot::mouseRelease, this, &ChartMouse::onRelease);
    connect(plot, &QCustomPlot::mouseWheel, this, &ChartMouse::onWheel);
    connect(plot, &QCustomPlot::mouseDoubleClick, this, &ChartMouse::onDoubleClick);
    plot->setMouseTracking(true);
    plot->installEventFilter(this);
    plot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot, &QWidget::customContextMenuRequested, this,
            [this, plot](QPoint at) { chart_.contextMenu()->popup(plot->mapToGlobal(at)); });
}

bool ChartMouse::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Leave)
        chart_.showReadoutAt(std::nullopt);
    return QObject::eventFilter(watched, event);
}

int ChartMouse::axesAt(QPointF pixel) const {
    const QRect area = chart_.plot()->axisRect()->rect();
    const bool inAreaRows = pixel.y() >= area.top() && pixel.y() <= area.bottom();
    const bool inAreaColumns = pixel.x() >= area.left() && pixel.x() <= area.right();
    if (inAreaRows && inAreaColumns)
        return LiveChart::BothAxes;
    if (inAreaRows && pixel.x() < area.left())
        return LiveChart::YAxis;
    if (inAreaColumns && pixel.y() > area.bottom())
        return LiveChart::XAxis;
    return 0;
}

void ChartMouse::onPress(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    dragging_ = false;
    pressedAt_ = lastAt_ = event->position();
    dragAxes_ = axesAt(pressedAt_);
    windowDrag_ = dragAxes_ == LiveChart::BothAxes && (event->modifiers() & Qt::ShiftModifier);
}

void ChartMouse::onMove(QMouseEvent* event) {
    const QPointF at = event->position();
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) {
        chart_.showReadoutAt(at);
        return;
    }
    if (dragAxes_ == 0)
        return;
    if (!dragging_ && (at - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!dragging_)
        chart_.plot()->setCursor(windowDrag_ ? Qt::SizeHorCursor : Qt::ClosedHandCursor);
    dragging_ = true;
    if (windowDrag_)
        chart_.dragWindow(pressedAt_, at);
    else
        chart_.panBy(lastAt_, at, dragAxes_);
    lastAt_ = at;
}

void ChartMouse::onRelease(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (dragging_)
        chart_.plot()->unsetCursor();
    if (dragging_ && windowDrag_)
        chart_.endWindowDrag(pressedAt_, event->position());
    else if (!dragging_ && dragAxes_ == LiveChart::BothAxes)
        chart_.clickAt(pressedAt_);
    dragging_ = false;
}

void ChartMouse::onWheel(QWheelEvent* event) {
    const int axes = axesAt(event->position());
    const double notches = event->angleDelta().y() / 8.0 / kDegreesPerNotch;
    if (axes == 0 || notches == 0.0)
        return;
    chart_.zoomAt(event->position(), notches, axes);
    event->accept();
}

void ChartMouse::onDoubleClick(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        chart_.fitToData();
}

} // namespace chart
