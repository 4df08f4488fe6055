#include "numtext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace numtext {

namespace {

// One element of a picture section, in the part of the number it belongs to.
enum class Part { Integer, Fraction, Exponent };

struct Item {
    Part part;
    char placeholder; // '0' or '#', or 0 for a literal
    std::string literal;
};

struct Section {
    std::vector<Item> items;
    bool hasPoint = false;
    bool grouping = false;
    bool percent = false;
    int scaleThousands = 0;
    bool scientific = false;
    char exponentLetter = 'E';
    bool exponentAlwaysSigned = false;
};

std::vector<std::string> splitSections(std::string_view picture) {
    std::vector<std::string> sections(1);
    bool quoted = false;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (c == '"')
            quoted = !quoted;
        if (c == '\\' && !quoted && i + 1 < picture.size()) {
            sections.back() += picture.substr(i, 2);
            ++i;
            continue;
        }
        if (c == ';' && !quoted) {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

bool isPlaceholder(char c) {
    return c == '0' || c == '#';
}

// A comma groups thousands when a digit placeholder of the integer part follows it; commas that
// close the integer part divide by a thousand each.
void readComma(Section& section, std::string_view text, std::size_t i) {
    for (std::size_t j = i + 1; j < text.size() && text[j] != '.'; ++j) {
        if (isPlaceholder(text[j])) {
            section.grouping = true;
            return;
        }
        if (text[j] != ',')
            break;
    }
    ++section.scaleThousands;
}

Section parseSection(std::string_view text) {
    Section section;
    Part part = Part::Integer;
    auto addLiteral = [&](std::string literal) {
        section.items.push_back({part, 0, std::move(literal)});
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isPlaceholder(c)) {
            section.items.push_back({part, c, {}});
        } else if (c == '.' && part == Part::Integer) {
            section.hasPoint = true;
            part = Part::Fraction;
        } else if (c == ',' && part == Part::Integer) {
            readComma(section, text, i);
        } else if ((c == 'E' || c == 'e') && i + 1 < text.size() &&
                   (text[i + 1] == '+' || text[i + 1] == '-') && part != Part::Exponent) {
            section.scientific = true;
            section.exponentLetter = c;
            section.exponentAlwaysSigned = text[i + 1] == '+';
            part = Part::Exponent;
            ++i;
        } else if (c == '\\' && i + 1 < text.size()) {
            addLiteral(std::string(1, text[++i]));
        } else if (c == '"') {
            const std::size_t close = text.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? text.size() : close;
            addLiteral(std::string(text.substr(i + 1, end - i - 1)));
            i = end;
        } else {
            if (c == '%')
                section.percent = true;
            addLiteral(std::string(1, c));
        }
    }
    return section;
}

int countPlaceholders(const Section& section, Part part, char which = 0) {
    int count = 0;
    for (const Item& item : section.items)
        if (item.part == part && item.placeholder && (!which || item.placeholder == which))
            ++count;
    return count;
}

// Digits from the leftmost '0' of a part onwards are always written.
int minimumDigits(const Section& section, Part part) {
    int count = 0;
    bool forced = false;
    for (const Item& item : section.items) {
        if (item.part != part || !item.placeholder)
            continue;
        forced = forced || item.placeholder == '0';
        count += forced ? 1 : 0;
    }
    return count;
}

// Fraction digits up to the last '0' placeholder are always written.
int minimumFractionDigits(const Section& section) {
    int position = 0;
    int minimum = 0;
    for (const Item& item : section.items) {
        if (item.part == Part::Fraction && item.placeholder) {
            ++position;
            if (item.placeholder == '0')
                minimum = position;
        }
    }
    return minimum;
}

// A non-negative value as decimal digits: value = 0.digits x 10^pointPosition.
struct Digits {
    std::string digits;
    int pointPosition = 0;
};

// The first 15 significant digits of a finite value, as the platform's number formatting works
// from, with the decimal point moved `shift` places to the right.
Digits significantDigits(double value, int shift) {
    if (value == 0.0)
        return {"", 0};
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, 14);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = text.find('e');
    Digits d;
    for (char c : text.substr(0, e))
        if (c != '.')
            d.digits += c;
    // The exponent is written with its sign ("e+05"), which from_chars does not take.
    std::string_view exponent = text.substr(e + 1);
    if (exponent.front() == '+')
        exponent.remove_prefix(1);
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), d.pointPosition);
    d.pointPosition += 1 + shift;
    return d;
}

// Keeps `count` digits, rounding half away from zero on the decimal digits.
void roundToDigits(Digits& d, int count) {
    if (count < 0) {
        d = {"", 0};
        return;
    }
    if (static_cast<int>(d.digits.size()) <= count)
        return;
    const bool up = d.digits[static_cast<std::size_t>(count)] >= '5';
    d.digits.resize(static_cast<std::size_t>(count));
    if (!up)
        return;
    int i = count - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
        d.digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
        ++d.digits[static_cast<std::size_t>(i)];
    } else {
        // Every kept digit was a 9: the number gains a digit, a 1 followed by zeros.
        d.digits.assign(static_cast<std::size_t>(std::max(count, 1)), '0');
        d.digits.front() = '1';
        ++d.pointPosition;
    }
}

struct Layout {
    std::string integerDigits; // without leading zeros
    std::string fractionDigits;
    int exponent = 0;
};

Layout fixedLayout(Digits d, int decimals) {
    roundToDigits(d, d.pointPosition + decimals);
    Layout layout;
    for (int i = 0; i < d.pointPosition; ++i)
        layout.integerDigits +=
            i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
    for (int i = 0; i < decimals; ++i) {
        const int index = d.pointPosition + i;
        layout.fractionDigits += index >= 0 && index < static_cast<int>(d.digits.size())
                                     ? d.digits[static_cast<std::size_t>(index)]
                                     : '0';
    }
    const auto first = layout.integerDigits.find_first_not_of('0');
    layout.integerDigits = first == std::string::npos ? "" : layout.integerDigits.substr(first);
    return layout;
}

Layout scientificLayout(Digits d, int integerDigits, int decimals) {
    Layout layout;
    if (d.digits.empty()) {
        layout.fractionDigits.assign(static_cast<std::size_t>(decimals), '0');
        return layout;
    }
    roundToDigits(d, integerDigits + decimals);
    d.digits.resize(static_cast<std::size_t>(integerDigits + decimals), '0');
    layout.integerDigits = d.digits.substr(0, static_cast<std::size_t>(integerDigits));
    layout.fractionDigits = d.digits.substr(static_cast<std::size_t>(integerDigits));
    layout.exponent = d.pointPosition - integerDigits;
    const auto first = layout.integerDigits.find_first_not_of('0');
    layout.integerDigits = first == std::string::npos ? "" : layout.integerDigits.substr(first);
    return layout;
}

std::string groupThousands(const std::string& digits) {
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

// Fills the integer placeholders from the right; the leftmost takes every digit left over.
std::string renderInteger(const Section& section, std::string digits) {
    const int minimum = minimumDigits(section, Part::Integer);
    if (static_cast<int>(digits.size()) < minimum)
        digits.insert(0, static_cast<std::size_t>(minimum) - digits.size(), '0');
    std::vector<const Item*> items;
    for (const Item& item : section.items)
        if (item.part == Part::Integer)
            items.push_back(&item);
    const int placeholders = countPlaceholders(section, Part::Integer);
    if (section.grouping || placeholders == 0) {
        // The digits stand as one block where the placeholders stand (or just before the point).
        std::string before, after;
        bool seenPlaceholder = false;
        for (const Item* item : items) {
            if (item->placeholder)
                seenPlaceholder = true;
            else
                (seenPlaceholder ? after : before) += item->literal;
        }
        return before + (section.grouping ? groupThousands(digits) : digits) + after;
    }
    std::string reversed;
    int remainingPlaceholders = placeholders;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        const Item* item = *it;
        if (!item->placeholder) {
            reversed.append(item->literal.rbegin(), item->literal.rend());
            continue;
        }
        --remainingPlaceholders;
        if (remainingPlaceholders == 0) {
            reversed.append(digits.rbegin(), digits.rend());
            digits.clear();
        } else if (!digits.empty()) {
            reversed += digits.back();
            digits.pop_back();
        }
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

std::string renderExponentDigits(const Section& section, int exponent) {
    std::string digits = std::to_string(std::abs(exponent));
    const int minimum = std::max(1, countPlaceholders(section, Part::Exponent, '0'));
    if (static_cast<int>(digits.size()) < minimum)
        digits.insert(0, static_cast<std::size_t>(minimum) - digits.size(), '0');
    std::string text(1, section.exponentLetter);
    if (exponent < 0)
        text += '-';
    else if (section.exponentAlwaysSigned)
        text += '+';
    return text + digits;
}

// A percent sign multiplies by 100 and each closing comma divides by 1000. Moving the decimal
// point of the digits instead of scaling the double keeps the digits exact and cannot overflow
// ("0%" of the largest double).
int decimalShift(const Section& section) {
    return (section.percent ? 2 : 0) - 3 * section.scaleThousands;
}

std::string renderSection(const Section& section, double magnitude, bool minusSign) {
    const Digits digits = significantDigits(magnitude, decimalShift(section));
    const int decimals = countPlaceholders(section, Part::Fraction);
    Layout layout =
        section.scientific
            ? scientificLayout(digits, std::max(1, countPlaceholders(section, Part::Integer, '0')),
                               decimals)
            : fixedLayout(digits, decimals);
    const std::size_t keep = static_cast<std::size_t>(minimumFractionDigits(section));
    while (layout.fractionDigits.size() > keep && layout.fractionDigits.back() == '0')
        layout.fractionDigits.pop_back();

    std::string text = renderInteger(section, layout.integerDigits);
    if (section.hasPoint)
        text += '.';
    std::size_t nextFraction = 0;
    bool exponentWritten = false;
    for (const Item& item : section.items) {
        if (item.part == Part::Fraction) {
            if (!item.placeholder)
                text += item.literal;
            else if (nextFraction < layout.fractionDigits.size())
                text += layout.fractionDigits[nextFraction++];
        } else if (item.part == Part::Exponent) {
            if (item.placeholder && !exponentWritten) {
                text += renderExponentDigits(section, layout.exponent);
                exponentWritten = true;
            } else if (!item.placeholder) {
                text += item.literal;
            }
        }
    }
    if (section.scientific && !exponentWritten)
        text += renderExponentDigits(section, layout.exponent);
    const bool allZero = layout.integerDigits.find_first_not_of('0') == std::string::npos &&
                         layout.fractionDigits.find_first_not_of('0') == std::string::npos;
    return minusSign && !allZero ? "-" + text : text;
}

} // namespace

std::string formatPicture(double value, std::string_view picture) {
    if (picture.empty() || !std::isfinite(value))
        return formatGeneral(value);
    const std::vector<std::string> sections = splitSections(picture);
    if (value < 0 && sections.size() > 1 && !sections[1].empty())
        return renderSection(parseSection(sections[1]), -value, false);
    if (value == 0 && sections.size() > 2 && !sections[2].empty())
        return renderSection(parseSection(sections[2]), 0.0, false);
    return renderSection(parseSection(sections[0]), std::fabs(value), value < 0);
}

std::string formatText(std::string_view text, std::string_view picture) {
    if (picture.empty())
        return std::string(text);
    const std::optional<double> value = parseNumber(text);
    return value ? formatPicture(*value, picture) : std::string(text);
}

} // namespace numtext
