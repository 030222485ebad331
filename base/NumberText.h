#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers as the window shows them: texts read and written with the user's decimal separator
// ("," under German settings, "." under English ones), passed in by the caller.
namespace base {

// Returns true iff all of `text` is a number: blanks around it, an optional sign, digits with
// at most one decimal separator (at least one digit in all) and an optional exponent
// ("e" or "E", optional sign, digits). The empty text is not a number.
bool IsNumeric(std::string_view text, std::string_view decimalSeparator);

// Converts a numeric text. Fractions are rounded to the nearest whole number, a half to the
// even neighbour. Throws ConversionError when IsNumeric(text) is false and OverflowError when
// the value does not fit the result type.
std::int16_t ToInt16(std::string_view text, std::string_view decimalSeparator);
std::int32_t ToInt32(std::string_view text, std::string_view decimalSeparator);
double ToDouble(std::string_view text, std::string_view decimalSeparator);

// Rounds like ToInt16 for a value that is already a number.
std::int16_t RoundToInt16(double value);

// a + b, or OverflowError when the sum leaves the type's range; `subject` names the sum in the
// message ("Die Gewinnsumme liegt außerhalb …").
std::int16_t CheckedAdd(std::int16_t a, std::int16_t b, std::string_view subject = "Das Ergebnis");
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b, std::string_view subject = "Das Ergebnis");

// Plain decimal: a minus sign when negative, no grouping, no leading zeros.
std::string WholeNumberText(std::int64_t value);
void AppendWholeNumber(std::string& text, std::int64_t value);

// The shortest text that shows `value` with at most 15 significant digits, no grouping and no
// trailing zeros: 9.25 -> "9,25", 18.5 -> "18,5", 1.0 -> "1" (with ","). Very large or small
// magnitudes use an exponent ("1E+15"), which IsNumeric and ToDouble read back.
std::string NumberText(double value, std::string_view decimalSeparator);

}  // namespace base
