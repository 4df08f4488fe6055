#include "picture.h"

namespace printing {

namespace {
constexpr double kHimetricPerInch = 2540.0;

double toHimetric(int pixels, double dotsPerInch) {
    return dotsPerInch > 0 ? pixels * kHimetricPerInch / dotsPerInch : 0.0;
}
} // namespace

Picture::Picture(QImage image, QSizeF dotsPerInch)
    : image_(std::move(image)), dotsPerInch_(dotsPerInch) {}

QSizeF Picture::sizeHimetric() const {
    return {toHimetric(image_.width(), dotsPerInch_.width()),
            toHimetric(image_.height(), dotsPerInch_.height())};
}

} // namespace printing
