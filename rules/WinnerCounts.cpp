#include "rules/WinnerCounts.h"

#include <algorithm>
#include <bit>

namespace rules {
namespace {

constexpr int kHighest = 49;
constexpr int kLargestSet = 6;

// kChoose[n][k] = C(n, k) for n up to 49 and k up to 7.
constexpr auto kChoose = [] {
    std::array<std::array<std::uint32_t, kLargestSet + 2>, kHighest + 1> choose{};
    for (int n = 0; n <= kHighest; ++n) {
        choose[n][0] = 1;
        for (int k = 1; k <= kLargestSet + 1 && k <= n; ++k) {
            choose[n][k] = choose[n - 1][k - 1] + (k <= n - 1 ? choose[n - 1][k] : 0);
        }
    }
    return choose;
}();

// Bits 1 to 49: the numbers a simulated draw can hold.
constexpr std::uint64_t kDrawable = ((std::uint64_t{1} << kHighest) - 1) << 1;

// Calls visit(size, rank, numbers) for every non-empty subset of `elements` (ascending numbers
// from 1 to 49) of at most six members. The colex rank of {c_0 < ... < c_(k-1)}, counted from
// 0, is C(c_0 - 1, 1) + ... + C(c_(k-1) - 1, k): a dense index among the k-sets.
template <typename Visit>
void ForEachSubset(std::span<const int> elements, std::size_t start, int size, std::uint32_t rank,
                   std::uint64_t numbers, Visit& visit) {
    for (std::size_t i = start; i < elements.size(); ++i) {
        const int element = elements[i];
        const std::uint32_t withElement = rank + kChoose[element - 1][size + 1];
        const std::uint64_t withNumber = numbers | std::uint64_t{1} << element;
        visit(size + 1, withElement, withNumber);
        if (size + 1 < kLargestSet) {
            ForEachSubset(elements, i + 1, size + 1, withElement, withNumber, visit);
        }
    }
}

}  // namespace

std::int64_t WinnerTally::Won() const {
    std::int64_t won = rows[6] * kPrizeSix;
    for (std::int16_t hits = 3; hits <= 5; ++hits) {
        won += rowsWithBonus[hits] * PrizeFor(hits, true) +
               (rows[hits] - rowsWithBonus[hits]) * PrizeFor(hits, false);
    }
    return won;
}

WinnerCounts::WinnerCounts() {
    for (int size = 1; size < kLargestSet; ++size) mBySize[size].assign(kChoose[kHighest][size], 0);
}

bool WinnerCounts::Add(const RowKey& key) {
    if (!key.plain()) return false;
    std::uint64_t numbers = key.numbers & kDrawable;
    if (std::popcount(numbers) > kLargestSet) return false;
    std::array<int, kLargestSet> elements{};
    std::size_t count = 0;
    for (; numbers != 0; numbers &= numbers - 1) elements[count++] = std::countr_zero(numbers);
    auto visit = [this](int size, std::uint32_t rank, std::uint64_t set) {
        if (size < kLargestSet) {
            ++mBySize[size][rank];
        } else {
            mSixes.push_back(set);
        }
    };
    ForEachSubset(std::span<const int>(elements.data(), count), 0, 0, 0, 0, visit);
    return true;
}

void WinnerCounts::Seal() { std::sort(mSixes.begin(), mSixes.end()); }

std::uint16_t WinnerCounts::CountOf(int size, std::uint32_t rank, std::uint64_t numbers) const {
    if (size < kLargestSet) return mBySize[size][rank];
    const auto [first, last] = std::equal_range(mSixes.begin(), mSixes.end(), numbers);
    return static_cast<std::uint16_t>(last - first);
}

WinnerTally WinnerCounts::Count(std::span<const std::int16_t, 6> drawn, std::int16_t bonus) const {
    // One walk over the subsets of the drawn numbers and the bonus together: a subset without
    // the bonus adds to S_j, one with it to T_j, the same sum for the rows that hold the bonus.
    std::array<int, kLargestSet + 1> elements{};
    std::copy(drawn.begin(), drawn.end(), elements.begin());
    elements[kLargestSet] = bonus;
    std::sort(elements.begin(), elements.end());
    const std::uint64_t bonusBit = std::uint64_t{1} << bonus;
    std::array<std::int64_t, kLargestSet + 1> withoutBonus{};  // S_j
    std::array<std::int64_t, kLargestSet + 1> withBonus{};     // T_j, j drawn numbers besides it
    auto visit = [&](int size, std::uint32_t rank, std::uint64_t set) {
        if ((set & bonusBit) != 0) {
            withBonus[size - 1] += CountOf(size, rank, set);
        } else {
            withoutBonus[size] += CountOf(size, rank, set);
        }
    };
    ForEachSubset(elements, 0, 0, 0, 0, visit);
    // No covered row holds all six and the bonus, so T_6 stays 0. S_0, every covered row, is
    // not needed for three or more hits.
    WinnerTally tally;
    for (int k = 3; k <= kLargestSet; ++k) {
        for (int j = k; j <= kLargestSet; ++j) {
            const std::int64_t sign = (j - k) % 2 == 0 ? 1 : -1;
            tally.rows[k] += sign * kChoose[j][k] * withoutBonus[j];
            tally.rowsWithBonus[k] += sign * kChoose[j][k] * withBonus[j];
        }
    }
    return tally;
}

}  // namespace rules
