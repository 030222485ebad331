#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Every bound the program keeps, in one place.
namespace base {

// Row ordinals and the row count are 16-bit counters: a table may hold this many rows.
inline constexpr std::int16_t kMostRows = 32767;

// The longest row text the program works with, in bytes. A typed row has at most 19 characters
// and a made one 17; the bound keeps every command's work and memory in proportion however a
// file was made (32,767 rows of it list in a few megabytes).
inline constexpr std::size_t kLongestRow = 100;

// The longest text or blob the store loads from a file, 100 MB: a longer one is reported
// instead of read.
inline constexpr int kLongestValueLoaded = 100'000'000;

// How many characters the user may type into the first number box (also the repeat count of
// the draw command) and into each of the other five; a text the program writes is never cut.
inline constexpr int kFirstNumberTypingLimit = 4;
inline constexpr int kNumberTypingLimit = 2;

// Throws the OverflowError for a table with more than kMostRows rows.
[[noreturn]] void ThrowTooManyRows();

// Throws the OverflowError for a row that cannot be stored because the table holds kMostRows.
[[noreturn]] void ThrowTableFull();

// " ist 120 Bytes lang; eine Zahlenreihe darf höchstens 100 Bytes lang sein.": what the
// messages about an overlong row say of it.
std::string RowLengthText(std::int64_t bytes);

}  // namespace base
