#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The exact chances of the stored rows over every possible draw: each set of six numbers from 1
// to 49 and each of the 43 bonus numbers it leaves. A row holds a number when the number's text
// stands between two of its commas (the evaluation's rule), so a row's chances follow from the
// set of numbers it holds, whatever else its text says.
namespace rules {

inline constexpr std::int64_t kSetsOfSix = 13'983'816;  // 49 choose 6
inline constexpr std::int64_t kBonusNumbers = 43;       // the numbers a set of six leaves

struct Odds {
    std::int64_t rows = 0;
    // Sets of six for which at least one row has three or more hits.
    std::int64_t winningSets = 0;
    // Sets of six that some row holds wholly.
    std::int64_t sixSets = 0;
    // The prizes of all rows, summed over every set of six and each of its bonus numbers, in
    // whole euros: the expectation is this over kSetsOfSix * kBonusNumbers.
    unsigned __int128 prizeSum = 0;
};

// The odds of `rows` (texts as stored), computed in integers.
Odds OddsOf(const std::vector<std::string>& rows);

// The lines of the "Chancen" box, joined by CR LF, with the window's number texts.
std::string OddsText(const Odds& odds, std::string_view decimalSeparator);

}  // namespace rules
