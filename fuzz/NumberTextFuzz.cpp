// Number texts: no input may crash a conversion, a failed test must mean a conversion error,
// and every number written must read back as a number.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Errors.h"
#include "base/NumberText.h"

using WholeNumberConversion = double (*)(const std::string& text, const std::string& separator);

constexpr WholeNumberConversion kWholeNumberConversions[] = {
    [](const std::string& text, const std::string& separator) {
        return double(base::ToInt16(text, separator));
    },
    [](const std::string& text, const std::string& separator) {
        return double(base::ToInt32(text, separator));
    },
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string separator = data[0] % 2 == 0 ? "," : ".";
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool numeric = base::IsNumeric(text, separator);
    try {
        const double value = base::ToDouble(text, separator);
        if (!numeric) std::abort();
        const std::string written = base::NumberText(value, separator);
        if (!base::IsNumeric(written, separator)) std::abort();
        base::ToDouble(written, separator);
    } catch (const base::ConversionError&) {
        if (numeric) std::abort();
    } catch (const base::OverflowError&) {
        if (!numeric) std::abort();
    }
    for (const WholeNumberConversion convert : kWholeNumberConversions) {
        try {
            const double whole = convert(text, separator);
            if (!numeric) std::abort();
            // Rounded from the exact text, the result is never further than a half from the
            // value (up to the double's own rounding of the value).
            const double value = base::ToDouble(text, separator);
            if (std::abs(value - whole) > 0.5 + 1e-9 * std::abs(value)) std::abort();
        } catch (const base::AppError&) {
        }
    }
    return 0;
}
