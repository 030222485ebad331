#include "base/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "base/Errors.h"

namespace base {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The parts of a numeric text, rewritten in the form std::from_chars reads, and as exact
// decimal digits for rounding to a whole number.
struct ParsedNumber {
    std::string canonical;  // "-123.45e6", always with '.'
    bool negative = false;
    std::string digits;  // every digit, without leading zeros: "12345" for "0123.45e6"; a zero
                         // has none
    // The decimal point stands after this many of `digits` (before them when negative): the
    // value is 0.digits times ten to this power, at least 1 exactly when it is above 0.
    std::int64_t pointAfter = 0;
};

std::optional<ParsedNumber> Parse(std::string_view text, std::string_view separator) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    std::string_view body = text.substr(begin, end - begin);

    ParsedNumber parsed;
    std::size_t pos = 0;
    if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
        parsed.negative = body[pos] == '-';
        if (parsed.negative) parsed.canonical += '-';
        ++pos;
    }
    std::size_t digits = 0;
    std::int64_t zerosAfterPoint = 0;  // before the first significant digit
    bool significantSeen = false;
    std::int64_t integerDigits = 0;
    while (pos < body.size() && IsDigit(body[pos])) {
        significantSeen = significantSeen || body[pos] != '0';
        if (significantSeen) {
            ++integerDigits;
            parsed.digits += body[pos];
        }
        parsed.canonical += body[pos++];
        ++digits;
    }
    if (!separator.empty() && body.substr(pos).starts_with(separator)) {
        pos += separator.size();
        parsed.canonical += '.';
        while (pos < body.size() && IsDigit(body[pos])) {
            if (parsed.digits.empty() && body[pos] == '0') {
                ++zerosAfterPoint;
            } else {
                parsed.digits += body[pos];
            }
            parsed.canonical += body[pos++];
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;

    std::int64_t exponent = 0;
    if (pos < body.size() && (body[pos] == 'e' || body[pos] == 'E')) {
        ++pos;
        bool negative = false;
        if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
            negative = body[pos] == '-';
            ++pos;
        }
        std::size_t exponentDigits = 0;
        while (pos < body.size() && IsDigit(body[pos])) {
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (body[pos] - '0');
            ++pos;
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
        if (negative) exponent = -exponent;
        parsed.canonical += 'e';
        parsed.canonical += std::to_string(exponent);
    }
    if (pos != body.size()) return std::nullopt;
    parsed.pointAfter = integerDigits - zerosAfterPoint + exponent;
    return parsed;
}

std::string Quoted(std::string_view text) { return "„" + std::string(text) + "“"; }

[[noreturn]] void ThrowNotANumber(std::string_view text) {
    throw ConversionError("Der Text " + Quoted(text) + " ist keine gültige Zahl.");
}

template <typename Int>
[[noreturn]] void ThrowOutOfRange(std::string_view what) {
    throw OverflowError("Überlauf: " + std::string(what) +
                        " liegt außerhalb des erlaubten Bereichs von " +
                        std::to_string(std::numeric_limits<Int>::min()) + " bis " +
                        std::to_string(std::numeric_limits<Int>::max()) + ".");
}

double ParseDouble(std::string_view text, std::string_view separator) {
    std::optional<ParsedNumber> parsed = Parse(text, separator);
    if (!parsed) ThrowNotANumber(text);
    const std::string& canonical = parsed->canonical;
    double value = 0.0;
    auto [end, error] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large, or too near zero: "0,000…1e10" is tiny whatever its exponent says.
        if (!parsed->digits.empty() && parsed->pointAfter > 0) {
            throw OverflowError("Überlauf: Der Wert " + Quoted(text) +
                                " ist zu groß für eine Gleitkommazahl.");
        }
        return canonical[0] == '-' ? -0.0 : 0.0;
    }
    if (error != std::errc() || end != canonical.data() + canonical.size()) ThrowNotANumber(text);
    return value;
}

template <typename Int>
Int RoundChecked(double value, std::string_view what) {
    double rounded = std::nearbyint(value);  // the default rounding mode takes a half to even
    if (!(rounded >= std::numeric_limits<Int>::min() &&
          rounded <= std::numeric_limits<Int>::max())) {
        ThrowOutOfRange<Int>(what);
    }
    return static_cast<Int>(rounded);
}

// Rounds the exact decimal value of `parsed` to a whole number, a half to the even neighbour.
// Going through a double first would round twice: 2.5000000000000001 is nearer to 3 than to 2.
template <typename Int>
Int RoundExactly(const ParsedNumber& parsed, std::string_view what) {
    const std::string& digits = parsed.digits;
    // The result types are 32 bits at most: more than 18 digits before the point are out of
    // range, and up to 18 fit the 64-bit arithmetic below.
    static_assert(sizeof(Int) <= 4);
    if (digits.empty()) return 0;  // a zero, whatever its exponent: "0e19", "0,0e25"
    if (parsed.pointAfter > 18) ThrowOutOfRange<Int>(what);
    const std::size_t wholeDigits =
        static_cast<std::size_t>(std::max<std::int64_t>(parsed.pointAfter, 0));
    std::uint64_t whole = 0;
    for (std::size_t i = 0; i < wholeDigits; ++i) {
        whole = whole * 10 + static_cast<std::uint64_t>(i < digits.size() ? digits[i] - '0' : 0);
    }
    // The fraction is .5 or more when its first digit is 5 or more, and exactly .5 when no other
    // digit follows but zeros; a value below 0.1 has no fraction digit here and rounds to 0.
    const char firstFractionDigit =
        parsed.pointAfter >= 0 && wholeDigits < digits.size() ? digits[wholeDigits] : '0';
    const bool moreThanHalf = firstFractionDigit > '5' ||
                              (firstFractionDigit == '5' &&
                               digits.find_first_not_of('0', wholeDigits + 1) != std::string::npos);
    const bool half = firstFractionDigit == '5' && !moreThanHalf;
    if (moreThanHalf || (half && whole % 2 == 1)) ++whole;

    const std::int64_t value =
        parsed.negative ? -static_cast<std::int64_t>(whole) : static_cast<std::int64_t>(whole);
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
        ThrowOutOfRange<Int>(what);
    }
    return static_cast<Int>(value);
}

template <typename Int>
Int ConvertText(std::string_view text, std::string_view separator) {
    std::optional<ParsedNumber> parsed = Parse(text, separator);
    if (!parsed) ThrowNotANumber(text);
    return RoundExactly<Int>(*parsed, "Der Wert " + Quoted(text));
}

template <typename Int>
Int Add(Int a, Int b, std::string_view subject) {
    Int sum{};
    if (__builtin_add_overflow(a, b, &sum)) ThrowOutOfRange<Int>(subject);
    return sum;
}

}  // namespace

bool IsNumeric(std::string_view text, std::string_view decimalSeparator) {
    return Parse(text, decimalSeparator).has_value();
}

std::int16_t ToInt16(std::string_view text, std::string_view decimalSeparator) {
    return ConvertText<std::int16_t>(text, decimalSeparator);
}

std::int32_t ToInt32(std::string_view text, std::string_view decimalSeparator) {
    return ConvertText<std::int32_t>(text, decimalSeparator);
}

double ToDouble(std::string_view text, std::string_view decimalSeparator) {
    return ParseDouble(text, decimalSeparator);
}

std::int16_t RoundToInt16(double value) {
    return RoundChecked<std::int16_t>(value, "Der Wert " + NumberText(value, "."));
}

std::int16_t CheckedAdd(std::int16_t a, std::int16_t b, std::string_view subject) {
    return Add(a, b, subject);
}
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b, std::string_view subject) {
    return Add(a, b, subject);
}

std::string WholeNumberText(std::int64_t value) { return std::to_string(value); }

void AppendWholeNumber(std::string& text, std::int64_t value) {
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, written.ptr);
}

std::string NumberText(double value, std::string_view decimalSeparator) {
    if (value == 0.0) return "0";  // never "-0"
    char buffer[64];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string result;
    if (error != std::errc()) return result;
    for (const char* p = buffer; p != end; ++p) {
        if (*p == '.') {
            result += decimalSeparator;
        } else if (*p == 'e') {
            result += 'E';
        } else {
            result += *p;
        }
    }
    return result;
}

}  // namespace base
