#include "form_utility.h"

#include <algorithm>

namespace FormUtility {

namespace {

// 1-based position of the last occurrence of c, 0 when there is none.
std::size_t lastPosition(std::string_view text, char c) {
    const std::size_t at = text.rfind(c);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string cut(std::string_view text) {
    return std::string(text.substr(0, kPathPartLimit));
}

} // namespace

std::string PathPart(std::string_view path, std::int16_t part) {
    const std::size_t s = lastPosition(path, '/');
    const std::size_t d = lastPosition(path, '.');
    switch (part) {
    case 1:
        return std::string(s == 0 ? path : path.substr(0, s));
    case 2:
        // A dot in a folder name ("/my.dir/file") does not make the file's base name empty;
        // only a name that starts with its dot (".ini") has none.
        if (d > s + 1)
            return cut(path.substr(s, d - s - 1));
        return d <= s ? cut(path.substr(s)) : std::string{};
    case 3:
        return d > s ? cut(path.substr(d)) : std::string{};
    case 4:
        return std::string(d > s + 1 ? path.substr(0, d - 1) : path);
    case 5:
        return cut(path.substr(s));
    default:
        return std::string(path);
    }
}

} // namespace FormUtility
