#pragma once

// What the window placement routines decide without a window: where a window's default file
// is, how pixels and twips convert, and where a restored window may go.

#include <filesystem>
#include <string_view>
#include <vector>

namespace settings {

inline constexpr double kTwipsPerInch = 1440.0;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Rect&) const = default;
};

int pixelsToTwips(int pixels, double dotsPerInch);
int twipsToPixels(int twips, double dotsPerInch);
Rect pixelsToTwips(const Rect& pixels, double dotsPerInch);
Rect twipsToPixels(const Rect& twips, double dotsPerInch);

// The file a placement routine uses. Empty: <program folder>/<window name>.ini. A name without
// "/": <program folder>/<name>.ini. A path with "/": the cleaned path, with <window name>.ini
// appended when it names a folder only.
std::filesystem::path placementFile(std::string_view fileOrName, std::string_view windowName,
                                    const std::filesystem::path& programFolder);

// Moves (and, where it is larger, shrinks) the rectangle into the available area of the screen
// it overlaps most, or of the first screen when it overlaps none. No screens: unchanged.
Rect clampToScreens(const Rect& window, const std::vector<Rect>& availableAreas);

} // namespace settings
