#include "rules/BalanceCourse.h"

#include <algorithm>

#include "base/NumberText.h"

namespace rules {

void BalanceCourse::Add(const RunningTotals& totals) {
    // Whole euros and quarters add up exactly in a double: the balance is the boxes' difference.
    const double balance = static_cast<double>(totals.won) - totals.spent;
    mBalances.push_back(balance);
    mTotals = totals;
    if (mBalances.size() == 1 || balance > mHighest.balance) mHighest = {Draws(), balance};
    if (mBalances.size() == 1 || balance < mLowest.balance) mLowest = {Draws(), balance};
    ++mRevision;
}

void BalanceCourse::Clear() {
    mBalances.clear();
    mTotals = {};
    mHighest = mLowest = {};
    ++mRevision;
}

std::vector<BalanceCourse::Column> BalanceCourse::Columns(std::size_t width) const {
    std::vector<Column> columns(width);
    const std::uint64_t draws = Draws();
    if (width == 0) return columns;
    for (std::uint64_t draw = 1; draw <= draws; ++draw) {
        const std::uint64_t index = (draw * width + draws - 1) / draws - 1;
        Column& column = columns[index];
        const double balance = mBalances[draw - 1];
        if (column.draws++ == 0) {
            column.firstDraw = draw;
            column.first = column.low = column.high = balance;
        }
        column.last = balance;
        column.low = std::min(column.low, balance);
        column.high = std::max(column.high, balance);
    }
    return columns;
}

std::string CourseTotalsLine(const BalanceCourse& course, std::string_view decimalSeparator) {
    const RunningTotals& totals = course.Totals();
    const double balance = static_cast<double>(totals.won) - totals.spent;
    return base::WholeNumberText(totals.draws) + " Ziehungen: Ausgaben " +
           base::NumberText(totals.spent, decimalSeparator) + " Euro, Einnahmen " +
           base::WholeNumberText(totals.won) + " Euro, Saldo " +
           base::NumberText(balance, decimalSeparator) + " Euro";
}

std::string CourseExtremesLine(const BalanceCourse& course, std::string_view decimalSeparator) {
    const BalanceCourse::Extreme highest = course.Highest();
    const BalanceCourse::Extreme lowest = course.Lowest();
    return "Höchster Saldo: " + base::NumberText(highest.balance, decimalSeparator) +
           " Euro nach Ziehung " + base::WholeNumberText(static_cast<std::int64_t>(highest.draw)) +
           "; tiefster Saldo: " + base::NumberText(lowest.balance, decimalSeparator) +
           " Euro nach Ziehung " + base::WholeNumberText(static_cast<std::int64_t>(lowest.draw));
}

std::string CourseDescription(const BalanceCourse& course, std::string_view decimalSeparator) {
    if (course.Draws() == 0) return "Noch keine Ziehungen simuliert.";
    const std::int64_t draws = static_cast<std::int64_t>(course.Draws());
    return "Saldo nach Ziehung " + base::WholeNumberText(draws) + ": " +
           base::NumberText(course.BalanceAfter(course.Draws()), decimalSeparator) + " Euro. " +
           CourseExtremesLine(course, decimalSeparator) + ".";
}

}  // namespace rules
