#include "bus/prologix/wire_text.h"

#include <charconv>
#include <cstdio>

namespace prologix {

namespace {

constexpr char kEsc = 27;
constexpr std::size_t kShownLength = 40;

bool printable(char c) {
    return c >= ' ' && c <= '~';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string escapedData(std::string_view bytes) {
    std::string escaped;
    escaped.reserve(bytes.size() + 4);
    for (const char c : bytes) {
        if (c == '\r' || c == '\n' || c == kEsc || c == '+')
            escaped += kEsc;
        escaped += c;
    }
    return escaped;
}

std::optional<int> statusByteOf(std::string_view answer) {
    const std::string_view digits = trimmed(answer);
    int value = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        value < 0 || value > 255)
        return std::nullopt;
    return value;
}

bool printableLine(std::string_view line) {
    if (trimmed(line).empty())
        return false;
    for (const char c : line)
        if (!printable(c))
            return false;
    return true;
}

std::string shown(std::string_view answer) {
    std::string text;
    for (const char c : answer.substr(0, kShownLength)) {
        if (printable(c)) {
            text += c;
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
        text += hex;
    }
    return answer.size() > kShownLength ? text + "..." : text;
}

} // namespace prologix
