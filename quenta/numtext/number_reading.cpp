#include "numtext.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numtext {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number split into its parts, as read from a text.
struct DecimalParts {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    bool exponentNegative = false;
    std::string exponentDigits;
};

double limitValue(const DecimalParts& parts, bool overflow) {
    const double magnitude = overflow ? std::numeric_limits<double>::max() : 0.0;
    return parts.negative ? -magnitude : magnitude;
}

// The power of ten of the number's leading digit, plus one (12.5 gives 2, 0.05 gives -1);
// only its sign matters, to tell an overflow from an underflow.
long long decimalMagnitude(const DecimalParts& parts) {
    long long exponent = 0;
    for (char c : parts.exponentDigits)
        exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    if (parts.exponentNegative)
        exponent = -exponent;
    const auto firstInteger = parts.integerDigits.find_first_not_of('0');
    if (firstInteger != std::string::npos)
        return static_cast<long long>(parts.integerDigits.size() - firstInteger) + exponent;
    const auto firstFraction = parts.fractionDigits.find_first_not_of('0');
    if (firstFraction == std::string::npos)
        return std::numeric_limits<long long>::min();
    return exponent - static_cast<long long>(firstFraction);
}

// Exact conversion through from_chars; out-of-range magnitudes become the largest double or 0.
double toDouble(const DecimalParts& parts) {
    std::string text = parts.integerDigits.empty() ? "0" : parts.integerDigits;
    if (!parts.fractionDigits.empty())
        text += "." + parts.fractionDigits;
    if (!parts.exponentDigits.empty())
        text += std::string("e") + (parts.exponentNegative ? "-" : "") + parts.exponentDigits;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range)
        return limitValue(parts, decimalMagnitude(parts) > 0);
    return parts.negative ? -value : value;
}

// Like a decimal number, a hexadecimal or octal one too long for a double reads as the largest.
double radixInteger(std::string_view digits, int base) {
    double value = 0.0;
    for (char c : digits)
        value = value * base +
                (isDigit(c) ? c - '0' : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10);
    return std::min(value, std::numeric_limits<double>::max());
}

bool isRadixDigit(char c, int base) {
    if (base == 8)
        return c >= '0' && c <= '7';
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Reads "&H..." or "&O..." from the start of text; returns the length used (0 when none).
std::size_t readRadix(std::string_view text, double& value) {
    if (text.size() < 2 || text[0] != '&')
        return 0;
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
    if (base == 0)
        return 0;
    std::size_t end = 2;
    while (end < text.size() && isRadixDigit(text[end], base))
        ++end;
    value = radixInteger(text.substr(2, end - 2), base);
    return end;
}

// Reads the longest decimal number at the start of text; returns the length used.
std::size_t readDecimal(std::string_view text, DecimalParts& parts) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        parts.negative = text[i++] == '-';
    while (i < text.size() && isDigit(text[i]))
        parts.integerDigits += text[i++];
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            parts.fractionDigits += text[i++];
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty())
        return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            negative = text[j++] == '-';
        std::string digits;
        while (j < text.size() && isDigit(text[j]))
            digits += text[j++];
        if (!digits.empty()) {
            parts.exponentNegative = negative;
            parts.exponentDigits = std::move(digits);
            i = j;
        }
    }
    return i;
}

bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

double readNumber(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    double radixValue = 0.0;
    if (readRadix(compact, radixValue) > 0)
        return radixValue;
    DecimalParts parts;
    return readDecimal(compact, parts) > 0 ? toDouble(parts) : 0.0;
}

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && isWhite(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isWhite(text.back()))
        text.remove_suffix(1);
    double radixValue = 0.0;
    if (const std::size_t used = readRadix(text, radixValue); used > 2)
        return used == text.size() ? std::optional<double>(radixValue) : std::nullopt;
    DecimalParts parts;
    const std::size_t used = readDecimal(text, parts);
    if (used == 0 || used != text.size())
        return std::nullopt;
    return toDouble(parts);
}

} // namespace numtext
