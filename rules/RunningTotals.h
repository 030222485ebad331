#pragma once

#include <cstdint>
#include <string_view>

namespace rules {

// The running totals of simulated draws: how many, the stake spent on them, what they won.
struct RunningTotals {
    std::int16_t draws = 0;
    double spent = 0;
    std::int32_t won = 0;
};

// The totals shown as the texts `draws`, `spent` and `won` (numbers with `decimalSeparator`)
// after one more draw that cost `stake` and won `prize`. Throws ConversionError for a text that
// is no number and OverflowError when a total leaves its type; all three are computed before
// any is returned, so an overflow changes none.
RunningTotals NextRunningTotals(std::string_view draws, std::string_view spent,
                                std::string_view won, double stake, std::int32_t prize,
                                std::string_view decimalSeparator);

}  // namespace rules
