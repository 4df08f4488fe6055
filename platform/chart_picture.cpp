#include "chart_picture.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace platform {

namespace {

std::optional<int> side(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < kSmallestPictureSide || value > kLargestPictureSide)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<PictureSize> parsePictureSize(std::string_view text) {
    const std::size_t cross = text.find_first_of("xX");
    if (cross == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> width = side(text.substr(0, cross));
    const std::optional<int> height = side(text.substr(cross + 1));
    if (!width || !height)
        return std::nullopt;
    return PictureSize{*width, *height};
}

std::optional<PictureFormat> pictureFormatOf(std::string_view path) {
    const std::size_t dot = path.find_last_of("./");
    if (dot == std::string_view::npos || path[dot] != '.')
        return std::nullopt;
    std::string extension(path.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png")
        return PictureFormat::Png;
    if (extension == ".pdf")
        return PictureFormat::Pdf;
    return std::nullopt;
}

} // namespace platform
