#pragma once

#include <cstdint>
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

// One draw as typed: the drawn list split at every comma (nothing trimmed, empty entries kept)
// and the bonus number exactly as typed.
class Draw {
  public:
    Draw(std::string_view drawnNumberList, std::string_view additionalNumber);

    // Counts the drawn entries the row holds (a repeated entry counts again) and tests the
    // bonus number for 3 to 5 hits. Throws OverflowError when the hit count leaves 16 bits.
    RowResult Evaluate(std::string_view ballNumberList) const;

  private:
    std::vector<std::string> mFramedEntries;  // ",entry,"
    std::string mFramedBonus;                 // ",bonus,"
};

// "Blatt 1, Kästchen 2: 4 Richtige + Zusatzzahl" and CR LF.
std::string ReportLine(std::int16_t sheet, std::int16_t box, const RowResult& result);

// The closing lines of a report with a win: 32 equals signs, CR LF, the total, CR LF.
std::string TotalLines(std::int32_t total);

}  // namespace rules
