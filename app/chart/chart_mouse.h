#pragma once

#include <QObject>
#include <QPointF>

class QMouseEvent;
class QWheelEvent;

namespace chart {

class LiveChart;

// What the mouse does on the chart: the wheel zooms, dragging with the left button pans (over an
// axis, that axis alone), with Shift held it chooses an analysis window instead, a left click
// that did not drag names the point under it, a double click fits the view to the data, the
// right button opens the context menu, and the read-out follows the mouse.
class ChartMouse final : public QObject {
    Q_OBJECT

public:
    explicit ChartMouse(LiveChart& chart);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onPress(QMouseEvent* event);
    void onMove(QMouseEvent* event);
    void onRelease(QMouseEvent* event);
    void onWheel(QWheelEvent* event);
    void onDoubleClick(QMouseEvent* event);
    // The axes the mouse acts on there: both over the plotting area, one over its axis, none
    // elsewhere.
    int axesAt(QPointF pixel) const;

    LiveChart& chart_;
    bool pressed_ = false;
    bool dragging_ = false;
    bool windowDrag_ = false;
    int dragAxes_ = 0;
    QPointF pressedAt_;
    QPointF lastAt_;
};

} // namespace chart
