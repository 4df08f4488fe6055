#include "placement.h"

#include "settings/form_utility.h"
#include "settings/setting_keys.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace settings {

int pixelsToTwips(int pixels, double dotsPerInch) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

int twipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

Rect pixelsToTwips(const Rect& pixels, double dotsPerInch) {
    return {pixelsToTwips(pixels.left, dotsPerInch), pixelsToTwips(pixels.top, dotsPerInch),
            pixelsToTwips(pixels.width, dotsPerInch), pixelsToTwips(pixels.height, dotsPerInch)};
}

Rect twipsToPixels(const Rect& twips, double dotsPerInch) {
    return {twipsToPixels(twips.left, dotsPerInch), twipsToPixels(twips.top, dotsPerInch),
            twipsToPixels(twips.width, dotsPerInch), twipsToPixels(twips.height, dotsPerInch)};
}

std::filesystem::path placementFile(std::string_view fileOrName, std::string_view windowName,
                                    const std::filesystem::path& programFolder) {
    const std::string extension = keys::kWindowFileExtension;
    if (fileOrName.empty())
        return programFolder / (std::string(windowName) + extension);
    if (fileOrName.find('/') == std::string_view::npos)
        return programFolder / (std::string(fileOrName) + extension);
    std::string path = FormUtility::CleanPath(fileOrName);
    if (FormUtility::PathPart(path, 5).empty())
        path += std::string(windowName) + extension;
    return path;
}

namespace {

long long overlapArea(const Rect& a, const Rect& b) {
    const long long width =
        std::min<long long>(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const long long height =
        std::min<long long>(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

int clampSpan(int start, int length, int areaStart, int areaLength) {
    return std::clamp(start, areaStart, areaStart + std::max(areaLength - length, 0));
}

} // namespace

Rect clampToScreens(const Rect& window, const std::vector<Rect>& availableAreas) {
    if (availableAreas.empty())
        return window;
    const auto best = std::max_element(availableAreas.begin(), availableAreas.end(),
                                       [&](const Rect& a, const Rect& b) {
                                           return overlapArea(window, a) < overlapArea(window, b);
                                       });
    const Rect& area = overlapArea(window, *best) > 0 ? *best : availableAreas.front();
    Rect result = window;
    result.width = std::min(window.width, area.width);
    result.height = std::min(window.height, area.height);
    result.left = clampSpan(window.left, result.width, area.left, area.width);
    result.top = clampSpan(window.top, result.height, area.top, area.height);
    return result;
}

} // namespace settings
