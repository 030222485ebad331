#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/RunningTotals.h"

namespace rules {

// The balance (Einnahmen minus Ausgaben) after every simulated draw since the running totals
// last stood at 0. The draw counter ends at 32,767, so the whole course is kept: a picture of
// any width is drawn from the draws themselves and loses none of them.
class BalanceCourse {
  public:
    // A draw and the balance after it; draws count from 1.
    struct Extreme {
        std::size_t draw = 0;
        double balance = 0;
    };

    // The draws one column of a picture `width` columns wide covers; none when the picture is
    // wider than the course has draws. first, last, low and high are balances.
    struct Column {
        std::size_t firstDraw = 0;
        std::size_t draws = 0;
        double first = 0, last = 0, low = 0, high = 0;
    };

    // One more draw, after which the running totals are `totals`.
    void Add(const RunningTotals& totals);
    void Clear();

    std::size_t Draws() const { return mBalances.size(); }
    double BalanceAfter(std::size_t draw) const { return mBalances[draw - 1]; }
    // The totals after the last draw; all 0 before the first.
    const RunningTotals& Totals() const { return mTotals; }
    // The first draws at which the highest and the lowest balance were reached. REQUIRES: a draw.
    Extreme Highest() const { return mHighest; }
    Extreme Lowest() const { return mLowest; }
    // Changes with every draw added and every clearing, so a view redraws only when it has to.
    std::uint64_t Revision() const { return mRevision; }

    // The draws in `width` columns, left to right: draw d lies in column ceil(d * width / Draws())
    // - 1, where the x axis, 0 to Draws() over `width` columns, places it.
    std::vector<Column> Columns(std::size_t width) const;

  private:
    std::vector<double> mBalances;
    RunningTotals mTotals;
    Extreme mHighest, mLowest;
    std::uint64_t mRevision = 0;
};

// "N Ziehungen: Ausgaben A Euro, Einnahmen E Euro, Saldo S Euro", the numbers as the main
// window writes them.
std::string CourseTotalsLine(const BalanceCourse& course, std::string_view decimalSeparator);
// "Höchster Saldo: H Euro nach Ziehung K; tiefster Saldo: L Euro nach Ziehung M". REQUIRES: a
// draw.
std::string CourseExtremesLine(const BalanceCourse& course, std::string_view decimalSeparator);
// What a screen reader says of the picture: the balance at the end, the highest and the lowest;
// "Noch keine Ziehungen simuliert." before the first draw.
std::string CourseDescription(const BalanceCourse& course, std::string_view decimalSeparator);

}  // namespace rules
