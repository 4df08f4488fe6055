#include "print_fit.h"

namespace printing {

PageOrientation orientationFor(double pictureWidth, double pictureHeight) {
    return pictureHeight < pictureWidth ? PageOrientation::Landscape : PageOrientation::Portrait;
}

std::optional<FittedSize> fitToPage(double pictureWidth, double pictureHeight, double areaWidth,
                                    double areaHeight) {
    if (!(pictureWidth > 0 && pictureHeight > 0 && areaWidth > 0 && areaHeight > 0))
        return std::nullopt;
    const double pictureAspect = pictureWidth / pictureHeight;
    const double areaAspect = areaWidth / areaHeight;
    if (pictureAspect >= areaAspect)
        return FittedSize{areaWidth, areaWidth / pictureAspect};
    return FittedSize{areaHeight * pictureAspect, areaHeight};
}

} // namespace printing
