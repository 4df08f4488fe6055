#pragma once

// Pictures of the chart saved to a file: their size and their format.

#include <optional>
#include <string_view>

namespace platform {

struct PictureSize {
    int width;
    int height;
    bool operator==(const PictureSize&) const = default;
};

// The size of a chart picture made for a report, in pixels.
inline constexpr PictureSize kReportPictureSize{1600, 1000};

// The sides a picture may have, in pixels: room for the chart's text, and memory to spare.
inline constexpr int kSmallestPictureSide = 100;
inline constexpr int kLargestPictureSide = 8000;

// "WxH", such as "1600x1000", each side within the limits; nothing for anything else.
std::optional<PictureSize> parsePictureSize(std::string_view text);

enum class PictureFormat { Png, Pdf };

// By the file name's extension, in either case: ".png" or ".pdf"; nothing for any other.
std::optional<PictureFormat> pictureFormatOf(std::string_view path);

} // namespace platform
