#pragma once

#include <QImage>
#include <QSizeF>

namespace printing {

// A captured picture: its pixels and the resolution it was captured at, so that it knows its
// size on paper.
class Picture {
public:
    Picture() = default;
    Picture(QImage image, QSizeF dotsPerInch);

    const QImage& image() const { return image_; }
    QSize sizePixels() const { return image_.size(); }
    // Width and height in hundredths of a millimetre (HIMETRIC).
    QSizeF sizeHimetric() const;

private:
    QImage image_;
    QSizeF dotsPerInch_;
};

} // namespace printing
