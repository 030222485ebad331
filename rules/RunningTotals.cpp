#include "rules/RunningTotals.h"

#include <cmath>

#include "base/Errors.h"
#include "base/NumberText.h"

namespace rules {

RunningTotals NextRunningTotals(std::string_view draws, std::string_view spent,
                                std::string_view won, double stake, std::int32_t prize,
                                std::string_view decimalSeparator) {
    RunningTotals next;
    next.draws = base::CheckedAdd(base::ToInt16(draws, decimalSeparator), std::int16_t{1},
                                  "Die Zahl der Ziehungen");
    next.spent = base::ToDouble(spent, decimalSeparator) + stake;
    if (!std::isfinite(next.spent)) {
        throw base::OverflowError("Überlauf: Die Ausgaben sind zu groß für eine Gleitkommazahl.");
    }
    next.won =
        base::CheckedAdd(base::ToInt32(won, decimalSeparator), prize, "Die Summe der Einnahmen");
    return next;
}

}  // namespace rules
