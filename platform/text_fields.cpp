#include "text_fields.h"

#include <vector>

namespace platform {

namespace {

std::vector<std::string_view> splitAt(std::string_view text, std::string_view delimiter) {
    std::vector<std::string_view> fields;
    if (delimiter.empty())
        return {text};
    std::size_t start = 0;
    for (std::size_t at = text.find(delimiter); at != std::string_view::npos;
         at = text.find(delimiter, start)) {
        fields.push_back(text.substr(start, at - start));
        start = at + delimiter.size();
    }
    fields.push_back(text.substr(start));
    return fields;
}

} // namespace

std::string textField(std::string_view text, std::int16_t n, std::string_view delimiter) {
    const std::vector<std::string_view> fields = splitAt(text, delimiter);
    if (n < 1)
        return fields.size() > 1 ? std::string(fields.front()) : std::string{};
    if (static_cast<std::size_t>(n) > fields.size())
        return {};
    return std::string(fields[static_cast<std::size_t>(n) - 1]);
}

std::string counted(std::int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace platform
