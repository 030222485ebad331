#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace rules {

// Row ordinals are 16-bit counters: a table may hold this many rows.
inline constexpr std::size_t kMostRows = 32767;

// Throws the OverflowError for a table with more than kMostRows rows.
[[noreturn]] void ThrowTooManyRows();

// The list of all rows: the heading ("Blatt", tab, "Kästchen", tab, "Zahlenreihe", then 41
// hyphens), and a line "sheet tab box tab tab row" for each row, every line ended by CR LF; for
// no rows "Keine Zahlenreihen gefunden.".
std::string RowListText(const std::vector<std::string>& rows);

}  // namespace rules
