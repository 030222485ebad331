#pragma once

#include <cstdint>

// Rows are counted as on paper: twelve boxes ("Kästchen") to a sheet ("Blatt"); every box and
// every sheet begun carries a fixed stake.
namespace rules {

inline constexpr std::int16_t kBoxesPerSheet = 12;
inline constexpr double kStakePerBox = 0.75;
inline constexpr double kStakePerSheet = 0.25;

// On entry iSeriesIndex holds a 1-based row ordinal; on return it holds the box number (1 to 12)
// and iSheet the sheet number. The sheet is floor((ordinal - 1) / 12) + 1, so ordinal 0 gives
// sheet 0 and box 12. Callers pass a copy of their own counter.
void GetSheetAndBox(std::int16_t& iSeriesIndex, std::int16_t& iSheet);

// The stake in euros of `seriesCount` stored rows for one draw: 0.75 a row plus 0.25 a sheet
// begun.
double StakeFor(std::int16_t seriesCount);

// Throws the DatabaseError for the row at `ordinal` (counted from 1 in table order) that is
// `bytes` long, more than base::kLongestRow: it names the row's sheet and box.
[[noreturn]] void ThrowRowTooLong(std::int64_t ordinal, std::int64_t bytes);

}  // namespace rules
