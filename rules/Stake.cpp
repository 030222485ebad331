#include "rules/Stake.h"

#include <cmath>

#include "base/Errors.h"
#include "base/Limits.h"
#include "base/NumberText.h"

namespace rules {

void GetSheetAndBox(std::int16_t& iSeriesIndex, std::int16_t& iSheet) {
    const int ordinal = iSeriesIndex;
    // Floor, not truncation: ordinal 0 lies on sheet 0, so no rows cost no sheet.
    iSheet = static_cast<std::int16_t>(std::floor((ordinal - 1) / double{kBoxesPerSheet}) + 1);
    const int box = ordinal % kBoxesPerSheet;
    iSeriesIndex = static_cast<std::int16_t>(box == 0 ? kBoxesPerSheet : box);
}

double StakeFor(std::int16_t seriesCount) {
    std::int16_t lastRow = seriesCount;
    std::int16_t sheets = 0;
    GetSheetAndBox(lastRow, sheets);
    return sheets * kStakePerSheet + seriesCount * kStakePerBox;
}

void ThrowRowTooLong(std::int64_t ordinal, std::int64_t bytes) {
    std::string place = "Nr. " + base::WholeNumberText(ordinal);
    if (ordinal >= 1 && ordinal <= base::kMostRows) {
        std::int16_t box = static_cast<std::int16_t>(ordinal);
        std::int16_t sheet = 0;
        GetSheetAndBox(box, sheet);
        place =
            "in Blatt " + base::WholeNumberText(sheet) + ", Kästchen " + base::WholeNumberText(box);
    }
    throw base::DatabaseError("Datenbankfehler: Die Zahlenreihe " + place +
                              base::RowLengthText(bytes) +
                              " Bitte die Zeile mit einem anderen Programm kürzen oder löschen.");
}

}  // namespace rules
