#pragma once

// Number texts shared by the numeric entry control and every layer of the program. The decimal
// point is always ".", whatever the locale: a locale comma in a field would read back as the end
// of the number, and the instrument only understands ".".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numtext {

// The number-reading rule of the numeric fields: blanks, tabs and line feeds are skipped
// anywhere; an optional sign, digits, one point and an optional exponent are read from the left
// until a character that cannot continue the number ("1,5" reads as 1); "&H" and "&O" start a
// hexadecimal or octal integer; no number reads as 0. A magnitude beyond the double range reads
// as the largest double of its sign ("1E999", "&H" and 300 digits).
double readNumber(std::string_view text);

// The whole text, apart from white space around it, is one number; nullopt otherwise.
std::optional<double> parseNumber(std::string_view text);

// The general number forms: 15 significant digits for a double, 7 for a 32-bit float, trailing
// zeros and a bare point dropped, exponent form where C's %G switches (1.5E-12, 1E+20).
std::string formatGeneral(double value);
std::string formatGeneralSingle(float value);

// Lays a number out by a format picture ("##0.0#", "#,##0", "0.00E+00", "0%;(0%);zero", ...),
// rounding half away from zero to the decimals the picture allows. Scaling by '%' or closing
// commas never overflows; a value that is not finite gives its general form (NaN, Inf, -Inf).
std::string formatPicture(double value, std::string_view picture);

// Applies a picture to a text: a text that is a number is laid out, any other text is kept.
std::string formatText(std::string_view text, std::string_view picture);

// Integer conversions: clamp to the type, then round half to even (2.5 gives 2, 3.5 gives 4).
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

} // namespace numtext
