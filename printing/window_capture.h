#pragma once

#include "printing/picture.h"

#include <QImage>
#include <QSizeF>

class QWidget;

namespace printing {

// The window's inner area as it looks on screen, at the screen's pixel resolution; for a main
// window its central widget, without the menu bar and the status bar.
Picture CaptureClientArea(QWidget& window);

// Copies width x height device pixels from (left, top) of the window's inner area (clientOnly) or
// of its outer frame. The window manager draws the frame's decorations, so they are not ours to
// copy and stay white, as does anything outside the window.
Picture CaptureWindowArea(QWidget& window, bool clientOnly, int left, int top, int width,
                          int height);

// Wraps captured pixels into a picture that knows its size on paper.
Picture BitmapToPicture(QImage bitmap, QSizeF dotsPerInch);

} // namespace printing
