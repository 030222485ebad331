#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rules {

// Row ordinals are 16-bit counters: a table may hold this many rows.
inline constexpr std::size_t kMostRows = 32767;

// Throws the OverflowError for a table with more than kMostRows rows.
[[noreturn]] void ThrowTooManyRows();

// The longest row text the program works with, in bytes. A typed row has at most 19 characters
// and a made one 17; the bound keeps every command's work and memory in proportion however a
// file was made (32,767 rows of it list in a few megabytes).
inline constexpr std::size_t kLongestRow = 100;

// " ist 120 Bytes lang; eine Zahlenreihe darf höchstens 100 Bytes lang sein.": what the
// messages about an overlong row say of it.
std::string RowLengthText(std::int64_t bytes);

// Throws the DatabaseError for the row at `ordinal` (counted from 1 in table order) that is
// `bytes` long, more than kLongestRow.
[[noreturn]] void ThrowRowTooLong(std::int64_t ordinal, std::int64_t bytes);

// The list of all rows: the heading ("Blatt", tab, "Kästchen", tab, "Zahlenreihe", then 41
// hyphens), and a line "sheet tab box tab tab row" for each row, every line ended by CR LF; for
// no rows "Keine Zahlenreihen gefunden.".
std::string RowListText(const std::vector<std::string>& rows);

}  // namespace rules
