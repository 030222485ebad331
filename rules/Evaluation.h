#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Evaluating stored rows against one draw. Numbers are compared as text: a drawn entry hits a
// row when "," + entry + "," occurs in "," + row + ",", so 7 never hits 17 and "07" never hits 7.
namespace rules {

// Prize table in whole euros. The bonus number counts only for 3, 4 and 5 hits.
inline constexpr std::int32_t kPrizeThree = 10;
inline constexpr std::int32_t kPrizeThreeBonus = 30;
inline constexpr std::int32_t kPrizeFour = 55;
inline constexpr std::int32_t kPrizeFourBonus = 200;
inline constexpr std::int32_t kPrizeFive = 5000;
inline constexpr std::int32_t kPrizeFiveBonus = 100000;
// Also paid for more than six hits, which only a longer or repeating drawn list can give.
inline constexpr std::int32_t kPrizeSix = 750000;

inline constexpr std::string_view kNoRowsFound = "Keine Zahlenreihen gefunden.";
inline constexpr std::string_view kNoWin = "Kein Treffer.";

struct RowResult {
    std::int16_t hits = 0;
    bool bonus = false;  // only ever set for 3 to 5 hits
    std::int32_t prize = 0;
};

// The prize for a row with `hits` hits; 0 below three.
std::int32_t PrizeFor(std::int16_t hits, bool bonus);

// A row's numbers as bits (bit n for n), for rows made only of plain numbers: 1 to 63 in digits
// without a leading zero, between single commas. A drawn entry never holds a comma, so such a
// row holds an entry exactly when the entry is one of its numbers, and the hits are a popcount.
// Bit 0, which no number uses, marks a row that is not plain and takes the text rule alone;
// eight bytes a row keep the scan over all rows in few cache lines.
struct RowKey {
    std::uint64_t numbers = kNotPlain;

    static constexpr std::uint64_t kNotPlain = 1;
    bool plain() const { return (numbers & kNotPlain) == 0; }
};

// The entries of a row as bits: bit n for every entry that is the window's text of a number n
// from 1 to 63, bit 0 for any other entry. A drawn number hits the row exactly when its bit is set.
std::uint64_t EntryBits(std::string_view ballNumberList);

RowKey KeyOf(std::string_view ballNumberList);

// One draw as typed: the drawn list split at every comma (nothing trimmed, empty entries kept)
// and the bonus number exactly as typed.
class Draw {
  public:
    Draw(std::string_view drawnNumberList, std::string_view additionalNumber);

    // Counts the drawn entries the row holds (a repeated entry counts again) and tests the
    // bonus number for 3 to 5 hits. Throws OverflowError when the drawn list has more entries
    // than a 16-bit counter walks.
    RowResult Evaluate(std::string_view ballNumberList) const;

    // The same result for a row whose key is KeyOf(ballNumberList): a plain row takes a
    // popcount or two, the text rule only for winners.
    RowResult Evaluate(std::string_view ballNumberList, const RowKey& key) const {
        if (!key.plain()) return Evaluate(ballNumberList);
        CheckEntryCount();
        int hits = 0;
        for (const std::uint64_t drawn : mRepeatMasks) hits += std::popcount(key.numbers & drawn);
        if (hits < 3) return {static_cast<std::int16_t>(hits), false, 0};
        // A bonus without a comma stands in a plain row exactly when it is one of its numbers.
        if (mBonusBit != kBonusNeedsText) {
            return Scored(hits, hits <= 5 && (key.numbers & mBonusBit) != 0);
        }
        return Scored(ballNumberList, hits);
    }

    // Appends, in order, the index of every row that can win: each plain row with three or
    // more hits and each row that is not plain (it takes the text rule). Throws like Evaluate
    // when there are rows and the drawn list has too many entries.
    void Candidates(std::span<const RowKey> keys, std::vector<std::uint32_t>& rows) const;

  private:
    void CheckEntryCount() const {
        if (mEntries.size() > kMostEntries) ThrowTooManyEntries();
    }
    [[noreturn]] static void ThrowTooManyEntries();
    RowResult Scored(std::string_view ballNumberList, int hits) const;
    static RowResult Scored(int hits, bool bonus);

    // The drawn entries are walked with a 16-bit counter.
    static constexpr std::size_t kMostEntries = 32767;

    static constexpr std::uint64_t kBonusNeedsText = ~std::uint64_t{0};

    std::vector<std::string> mEntries;
    std::string mBonus;
    // The bonus number's bit for plain rows (0 when it is no plain number and so never in
    // one), or kBonusNeedsText when it holds a comma and may span several numbers.
    std::uint64_t mBonusBit = 0;
    // Mask k holds the plain numbers drawn more than k times, so a plain row's hits are the
    // sum of the popcounts of its numbers with every mask.
    std::vector<std::uint64_t> mRepeatMasks;
};

// "Blatt 1, Kästchen 2: 4 Richtige + Zusatzzahl" and CR LF.
std::string ReportLine(std::int16_t sheet, std::int16_t box, const RowResult& result);
// The same line, appended to `report`.
void AppendReportLine(std::string& report, std::int16_t sheet, std::int16_t box,
                      const RowResult& result);

// The closing lines of a report with a win: 32 equals signs, CR LF, the total, CR LF.
std::string TotalLines(std::int32_t total);

}  // namespace rules
