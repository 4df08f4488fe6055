#include "window_capture.h"

#include "quenta/numtext/numtext.h"

#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

namespace printing {

namespace {
QSizeF devicePixelsPerInch(const QWidget& window) {
    const double ratio = window.devicePixelRatioF();
    return {window.logicalDpiX() * ratio, window.logicalDpiY() * ratio};
}

// Where the inner area starts within the outer frame, in device pixels.
QPoint innerAreaOffset(const QWidget& window) {
    const QPoint offset = window.geometry().topLeft() - window.frameGeometry().topLeft();
    return offset * window.devicePixelRatioF();
}

// A main window's client area is its central widget: the menu bar and the status bar around it
// are the frame's, not the picture's.
QWidget& clientArea(QWidget& window) {
    if (auto* main = qobject_cast<QMainWindow*>(&window); main && main->centralWidget())
        return *main->centralWidget();
    return window;
}
} // namespace

Picture CaptureClientArea(QWidget& window) {
    const QWidget& area = clientArea(window);
    const double ratio = area.devicePixelRatioF();
    return CaptureWindowArea(window, true, 0, 0, numtext::toInt32(area.width() * ratio),
                             numtext::toInt32(area.height() * ratio));
}

Picture CaptureWindowArea(QWidget& window, bool clientOnly, int left, int top, int width,
                          int height) {
    QImage inner = (clientOnly ? clientArea(window) : window).grab().toImage();
    inner.setDevicePixelRatio(1.0);
    QImage bitmap(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    if (!bitmap.isNull()) {
        const QPoint origin = clientOnly ? QPoint() : innerAreaOffset(window);
        QPainter painter(&bitmap);
        painter.drawImage(origin - QPoint(left, top), inner);
    }
    return BitmapToPicture(std::move(bitmap), devicePixelsPerInch(window));
}

Picture BitmapToPicture(QImage bitmap, QSizeF dotsPerInch) {
    return Picture(std::move(bitmap), dotsPerInch);
}

} // namespace printing
