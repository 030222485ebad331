#include "rules/Odds.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "base/Limits.h"
#include "base/NumberText.h"
#include "rules/Evaluation.h"
#include "rules/Stake.h"

namespace rules {
namespace {

constexpr int kHighest = 49;
using Numbers = std::uint64_t;

constexpr Numbers Bit(int number) { return Numbers{1} << number; }
// The numbers above `number` up to 49.
constexpr Numbers Above(int number) { return (Bit(kHighest + 1) - 1) & ~(Bit(number + 1) - 1); }

constexpr std::int64_t Choose(int n, int k) {
    if (k < 0 || k > n) return 0;
    std::int64_t result = 1;
    for (int i = 1; i <= k; ++i) result = result * (n - k + i) / i;
    return result;
}

// Sets of six with at least one row holding three of them. A set wins when a pair in it and a
// third number form a triple some row holds: pairs[x][y] has the bits of every such third
// number, so the sets are counted by their first five numbers with one popcount for the sixth.
std::int64_t WinningSets(const std::vector<Numbers>& held) {
    if (std::none_of(held.begin(), held.end(),
                     [](Numbers row) { return std::popcount(row) >= 3; })) {
        return 0;
    }
    std::vector<std::array<Numbers, kHighest + 1>> pairs(kHighest + 1);
    for (const Numbers row : held) {
        if (std::popcount(row) < 3) continue;
        for (int x = 1; x <= kHighest; ++x) {
            if ((row & Bit(x)) == 0) continue;
            for (int y = x + 1; y <= kHighest; ++y) {
                if ((row & Bit(y)) != 0) pairs[x][y] |= row;
            }
        }
    }
    std::int64_t sets = 0;
    for (int a = 1; a <= kHighest - 5; ++a) {
        for (int b = a + 1; b <= kHighest - 4; ++b) {
            const Numbers thirds2 = pairs[a][b];
            for (int c = b + 1; c <= kHighest - 3; ++c) {
                const bool won3 = (thirds2 & Bit(c)) != 0;
                const Numbers thirds3 = thirds2 | pairs[a][c] | pairs[b][c];
                for (int d = c + 1; d <= kHighest - 2; ++d) {
                    const bool won4 = won3 || (thirds3 & Bit(d)) != 0;
                    const Numbers thirds4 = thirds3 | pairs[a][d] | pairs[b][d] | pairs[c][d];
                    for (int e = d + 1; e <= kHighest - 1; ++e) {
                        if (won4 || (thirds4 & Bit(e)) != 0) {
                            sets += kHighest - e;
                            continue;
                        }
                        const Numbers thirds5 =
                            thirds4 | pairs[a][e] | pairs[b][e] | pairs[c][e] | pairs[d][e];
                        sets += std::popcount(thirds5 & Above(e));
                    }
                }
            }
        }
    }
    return sets;
}

// Sets of six some row holds wholly. The rows of six numbers or more are words of bits, one
// list a number; a set's first numbers narrow the rows down word by word, and a set is counted
// once its sixth number leaves a row. Only words that still hold a row are looked at again.
class SixSets {
  public:
    explicit SixSets(const std::vector<Numbers>& held) {
        for (const Numbers row : held) {
            if (std::popcount(row) >= 6) mRows.push_back(row);
        }
        mWords = (mRows.size() + 63) / 64;
        for (auto& list : mHolding) list.assign(mWords, 0);
        for (std::size_t index = 0; index < mRows.size(); ++index) {
            for (int number = 1; number <= kHighest; ++number) {
                if ((mRows[index] & Bit(number)) != 0) {
                    mHolding[number][index / 64] |= Bit(static_cast<int>(index % 64));
                }
            }
        }
        for (auto& level : mLevels) level.words.assign(mWords, 0);
    }

    std::int64_t Count() {
        if (mRows.empty()) return 0;
        std::vector<std::uint32_t> all(mWords);
        for (std::size_t word = 0; word < mWords; ++word)
            all[word] = static_cast<std::uint32_t>(word);
        return CountFrom(0, 1, nullptr, all);
    }

  private:
    struct Level {
        std::vector<Numbers> words;
        std::vector<std::uint32_t> live;  // the words that still hold a row
    };

    std::int64_t CountFrom(int depth, int first, const std::vector<Numbers>* rows,
                           const std::vector<std::uint32_t>& live) {
        std::int64_t sets = 0;
        for (int number = first; number <= kHighest - (5 - depth); ++number) {
            const std::vector<Numbers>& holding = mHolding[number];
            if (depth == 5) {
                sets += std::any_of(live.begin(), live.end(), [&](std::uint32_t word) {
                    return ((*rows)[word] & holding[word]) != 0;
                });
                continue;
            }
            Level& level = mLevels[depth];
            level.live.clear();
            for (const std::uint32_t word : live) {
                const Numbers narrowed =
                    rows == nullptr ? holding[word] : (*rows)[word] & holding[word];
                level.words[word] = narrowed;
                if (narrowed != 0) level.live.push_back(word);
            }
            if (!level.live.empty())
                sets += CountFrom(depth + 1, number + 1, &level.words, level.live);
        }
        return sets;
    }

    std::vector<Numbers> mRows;
    std::size_t mWords = 0;
    std::array<std::vector<Numbers>, kHighest + 1> mHolding;
    std::array<Level, 5> mLevels;
};

// What one row holding `held` numbers wins, summed over every set of six and bonus number: the
// sets with k hits number C(held, k) C(49 - held, 6 - k), and of a set's 43 bonus numbers
// held - k are the row's.
unsigned __int128 PrizeSumOfRow(int held) {
    unsigned __int128 sum = 0;
    for (int hits = 3; hits <= 6; ++hits) {
        const std::int64_t sets = Choose(held, hits) * Choose(kHighest - held, 6 - hits);
        const std::int64_t withBonus = hits < 6 ? held - hits : 0;
        const std::int64_t perSet =
            (kBonusNumbers - withBonus) * PrizeFor(hits, false) + withBonus * PrizeFor(hits, true);
        sum += static_cast<unsigned __int128>(sets) * static_cast<unsigned __int128>(perSet);
    }
    return sum;
}

// numerator / denominator with `decimals` places, rounded half up.
std::string DecimalText(unsigned __int128 numerator, unsigned __int128 denominator, int decimals,
                        std::string_view separator) {
    unsigned __int128 scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const unsigned __int128 scaled = (numerator * scale * 2 + denominator) / (denominator * 2);
    std::string text = base::WholeNumberText(static_cast<std::int64_t>(scaled / scale));
    if (decimals > 0) {
        std::string fraction = base::WholeNumberText(static_cast<std::int64_t>(scaled % scale));
        text += std::string(separator) +
                std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    return text;
}

}  // namespace

Odds OddsOf(const std::vector<std::string>& rows) {
    Odds odds;
    odds.rows = static_cast<std::int64_t>(rows.size());
    std::vector<Numbers> held;
    held.reserve(rows.size());
    for (const std::string& row : rows) {
        // The numbers 1 to 49 the row holds, as the evaluation counts its hits.
        held.push_back(EntryBits(row) & Above(0));
        odds.prizeSum += PrizeSumOfRow(std::popcount(held.back()));
    }
    // A set of numbers held by several rows wins or holds six once.
    std::sort(held.begin(), held.end());
    held.erase(std::unique(held.begin(), held.end()), held.end());
    odds.winningSets = WinningSets(held);
    odds.sixSets = SixSets(held).Count();
    return odds;
}

std::string OddsText(const Odds& odds, std::string_view decimalSeparator) {
    if (odds.rows == 0) return "Es sind keine Zahlenreihen gespeichert.";
    if (odds.rows > base::kMostRows) base::ThrowTooManyRows();
    const auto rows = static_cast<std::int16_t>(odds.rows);
    std::string text =
        "Chancen je Ziehung, genau über alle 13983816 Ziehungen und ihre Zusatzzahlen:\r\n\r\n"
        "Gespeicherte Zahlenreihen: " +
        base::WholeNumberText(rows) + ", Einsatz " +
        base::NumberText(StakeFor(rows), decimalSeparator) + " Euro\r\n";
    text += "Irgendein Gewinn (3 Richtige oder mehr): ";
    if (odds.winningSets == 0) {
        text += "nicht möglich";
    } else {
        // 1 in X: X to one place below 100, whole above.
        const bool below100 = kSetsOfSix < 100 * odds.winningSets;
        text += "1 zu " +
                DecimalText(kSetsOfSix, odds.winningSets, below100 ? 1 : 0, decimalSeparator) +
                " (" +
                DecimalText(static_cast<unsigned __int128>(odds.winningSets) * 100, kSetsOfSix, 1,
                            decimalSeparator) +
                " %)";
    }
    text += "\r\n6 Richtige: ";
    text += odds.sixSets == 0
                ? std::string("nicht möglich")
                : "1 zu " + DecimalText(kSetsOfSix, odds.sixSets, 0, decimalSeparator);
    // Prices are whole cents: in cents the share of the stake is a quotient of integers.
    const auto stakeCents = static_cast<unsigned __int128>(std::llround(StakeFor(rows) * 100));
    const unsigned __int128 allDraws = static_cast<unsigned __int128>(kSetsOfSix) * kBonusNumbers;
    text += "\r\nErwartete Auszahlung nach den Annahmen: " +
            DecimalText(odds.prizeSum, allDraws, 2, decimalSeparator) + " Euro (" +
            DecimalText(odds.prizeSum * 10000, allDraws * stakeCents, 1, decimalSeparator) +
            " % des Einsatzes)";
    return text;
}

}  // namespace rules
