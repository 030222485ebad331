#include "rules/Stake.h"

#include <cmath>

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

}  // namespace rules
