#pragma once

#include <QScrollArea>

namespace app {

// Holds a panel at its full width and scrolls it up and down when the window is too low for
// it, so the panel's controls never shrink below their own minimum height or overlap. The
// panel's width is kept whether or not the scroll bar shows.
class VerticalScrollArea : public QScrollArea {
    Q_OBJECT

public:
    VerticalScrollArea(QWidget* panel, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // The panel's size hints change with what it shows; the area's follow them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int scrollBarWidth() const;
};

} // namespace app
