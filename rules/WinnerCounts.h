#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "rules/Evaluation.h"

// Counting the winners of a simulated draw without looking at the rows.
namespace rules {

// How many of the counted rows have k hits, for k = 3 to 6, and how many of those hold the bonus.
struct WinnerTally {
    std::array<std::int64_t, 7> rows{};
    std::array<std::int64_t, 7> rowsWithBonus{};

    // What the rows win by the prize table: the bonus counts for 3 to 5 hits. In 64 bits, so
    // that a sum beyond the 32 bits of a report's total shows.
    std::int64_t Won() const;
};

// Covers rows whose key is plain (see RowKey) and that hold at most six distinct numbers from
// 1 to 49, besides any number from 50 to 63, which no simulated draw holds. A repeated number
// counts once, as it does in the text rule, where each drawn entry is tested once per row. Covers
// draws of six distinct numbers from 1 to 49 with a bonus number from 1 to 49 that is not one of
// them: the draws SimulateDraw makes. Every other row and draw is left to the text rule.
//
// For each set J of up to six numbers the tables hold S(J), the number of rows that contain J.
// With S_j the sum of S(J) over the j-number subsets of the drawn numbers D, the rows with
// exactly k hits number N_k = sum over j >= k of (-1)^(j-k) C(j,k) S_j (inclusion-exclusion);
// the same sums over J with the bonus added count those of them that hold the bonus. Sets of up
// to five numbers are counted in dense arrays indexed by their colex rank (4.3 MB in all); sets
// of six, at most one a row, in a sorted list. A draw is 127 look-ups, whatever the row count.
class WinnerCounts {
  public:
    // The largest number of rows the 16-bit counters hold.
    static constexpr std::size_t kMostCountedRows = 65535;

    WinnerCounts();

    // Counts the row and returns true, or returns false and counts nothing when the row is not
    // covered. REQUIRES: fewer than kMostCountedRows rows added so far; Seal not called yet.
    bool Add(const RowKey& key);
    // Ends the adding. REQUIRES: called once, before Count.
    void Seal();

    // REQUIRES: `drawn` holds six distinct numbers from 1 to 49 in ascending order, and `bonus`
    // is a number from 1 to 49 that is not one of them.
    WinnerTally Count(std::span<const std::int16_t, 6> drawn, std::int16_t bonus) const;

  private:
    std::uint16_t CountOf(int size, std::uint32_t rank, std::uint64_t numbers) const;

    std::array<std::vector<std::uint16_t>, 6> mBySize;  // [k][colex rank]: sets of k <= 5
    std::vector<std::uint64_t> mSixes;                  // the sets of six, as number bits
};

}  // namespace rules
