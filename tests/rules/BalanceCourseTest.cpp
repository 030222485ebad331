#include "rules/BalanceCourse.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The course after draws whose running totals are given: the lines, and the first draw at which
// the highest and the lowest balance were reached when a balance comes back.
TEST(BalanceCourse, WritesItsLinesAsTheWindowWritesAmounts) {
    struct Case {
        const char* separator;
        std::vector<rules::RunningTotals> totals;
        const char* totalsLine;
        const char* extremesLine;
    };
    const Case cases[] = {
        {",",
         {{1, 10.25, 0}, {2, 20.5, 0}},
         "2 Ziehungen: Ausgaben 20,5 Euro, Einnahmen 0 Euro, Saldo -20,5 Euro",
         "Höchster Saldo: -10,25 Euro nach Ziehung 1; tiefster Saldo: -20,5 Euro nach Ziehung 2"},
        {".",
         {{1, 1, 0}, {2, 2, 2}, {3, 3, 2}, {4, 4, 4}},
         "4 Ziehungen: Ausgaben 4 Euro, Einnahmen 4 Euro, Saldo 0 Euro",
         "Höchster Saldo: 0 Euro nach Ziehung 2; tiefster Saldo: -1 Euro nach Ziehung 1"},
        {",",  // no rows: nothing spent, the balance stays 0
         {{1, 0, 0}, {2, 0, 0}},
         "2 Ziehungen: Ausgaben 0 Euro, Einnahmen 0 Euro, Saldo 0 Euro",
         "Höchster Saldo: 0 Euro nach Ziehung 1; tiefster Saldo: 0 Euro nach Ziehung 1"},
        {".",
         {{1, 2.5, 750000}, {2, 5, 750008}},
         "2 Ziehungen: Ausgaben 5 Euro, Einnahmen 750008 Euro, Saldo 750003 Euro",
         "Höchster Saldo: 750003 Euro nach Ziehung 2; tiefster Saldo: 749997.5 Euro nach Ziehung "
         "1"},
    };
    for (const Case& c : cases) {
        rules::BalanceCourse course;
        course.Add({7, 7, 7});
        course.Clear();  // what came before a reset is gone
        EXPECT_EQ(rules::CourseDescription(course, c.separator), "Noch keine Ziehungen simuliert.");
        for (const rules::RunningTotals& totals : c.totals) course.Add(totals);
        EXPECT_EQ(course.Draws(), c.totals.size());
        EXPECT_EQ(rules::CourseTotalsLine(course, c.separator), c.totalsLine);
        EXPECT_EQ(rules::CourseExtremesLine(course, c.separator), c.extremesLine);
    }
}

}  // namespace
