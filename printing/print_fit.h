#pragma once

#include <optional>

namespace printing {

enum class PageOrientation { Portrait = 1, Landscape = 2 };

// A picture wider than tall goes on a landscape page, anything else on a portrait page.
PageOrientation orientationFor(double pictureWidth, double pictureHeight);

struct FittedSize {
    double width = 0;
    double height = 0;
};

// The largest size with the picture's aspect ratio that fits the printable area, in the units of
// the arguments. It fills the area's width when the picture is relatively at least as wide as the
// area, otherwise its height. Nothing (no size) when a picture or area dimension is not positive.
std::optional<FittedSize> fitToPage(double pictureWidth, double pictureHeight, double areaWidth,
                                    double areaHeight);

} // namespace printing
