#include "rules/Evaluation.h"

#include <gtest/gtest.h>

#include "base/Errors.h"

namespace {

using rules::Draw;

struct MatchCase {
    const char* name;
    const char* row;
    const char* drawn;
    const char* bonus;
    std::int16_t hits;
    bool bonusHit;
    std::int32_t prize;
};

TEST(Draw, MatchesNumbersAsTextBetweenCommas) {
    const MatchCase cases[] = {
        {"four and the bonus", "1,5,9,23,31,47", "5,9,22,23,35,47", "31", 4, true, 200},
        {"three without the bonus", "2,9,14,22,35,41", "5,9,22,23,35,47", "31", 3, false, 10},
        {"7 never hits 17 or 27", "17,27,3,4,5,6", "7,3,4,5", "1", 3, false, 10},
        {"07 never hits 7", "7,8,9,10,11,12", "07,8,9,10", "1", 3, false, 10},
        {"a blank keeps an entry from hitting", "5,9,22,1,2,3", "5, 9, 22", "3", 1, false, 0},
        {"a bonus with a blank never hits", "1,2,3,31,40,41", "1,2,3", " 31", 3, false, 10},
        {"a short drawn list", "3,4,5,40,41,42", "3,4,5", "40", 3, true, 30},
        {"a repeated entry counts again", "3,10,20,30,40,49", "3,3,3", "49", 3, true, 30},
        {"more than six hits", "1,2,3,4,5,6", "1,1,2,3,4,5,6", "7", 7, false, 750000},
        {"six hits never carry the bonus", "1,2,3,4,5,6", "1,2,3,4,5,6", "6", 6, false, 750000},
        {"five with the bonus", "1,2,3,4,5,6", "1,2,3,4,5,9", "6", 5, true, 100000},
        {"five without the bonus", "1,2,3,4,5,6", "1,2,3,4,5,9", "9", 5, false, 5000},
        {"four without the bonus", "1,2,3,4,5,6", "1,2,3,4,8,9", "7", 4, false, 55},
        {"the bonus among the drawn numbers", "1,2,3,9,10,11", "1,2,3", "3", 3, true, 30},
        {"two hits win nothing", "1,2,30,31,32,33", "1,2,3,4,5,6", "30", 2, false, 0},
        {"empty entries hit nothing", "1,2,3,4,5,6", ",,1,,2,,3", "4", 3, true, 30},
        {"letters match as text, with case", "a,b,C,d,e,f", "a,b,c,d", "e", 3, true, 30},
        {"a four-digit typed number", "1234,12,12,1,2,3", "1234,12,1", "2", 3, true, 30},
        {"a drawn list without comma", "10,11,12,13,14,15", "10", "11", 1, false, 0},
    };
    for (const MatchCase& c : cases) {
        const rules::RowResult result = Draw(c.drawn, c.bonus).Evaluate(c.row);
        EXPECT_EQ(result.hits, c.hits) << c.name;
        EXPECT_EQ(result.bonus, c.bonusHit) << c.name;
        EXPECT_EQ(result.prize, c.prize) << c.name;
    }
}

TEST(Draw, RefusesMoreEntriesThanItsCounterHolds) {
    std::string drawn(32767, ',');  // 32768 entries
    EXPECT_THROW(Draw(drawn, "1").Evaluate("1,2,3,4,5,6"), base::OverflowError);
    drawn.pop_back();
    EXPECT_EQ(Draw(drawn, "1").Evaluate("1,2,3,4,5,6").hits, 0);
}

TEST(PrizeFor, FollowsThePrizeTable) {
    const std::int32_t withoutBonus[] = {0, 0, 0, 10, 55, 5000, 750000, 750000};
    const std::int32_t withBonus[] = {0, 0, 0, 30, 200, 100000, 750000, 750000};
    for (std::int16_t hits = 0; hits < 8; ++hits) {
        EXPECT_EQ(rules::PrizeFor(hits, false), withoutBonus[hits]) << hits;
        EXPECT_EQ(rules::PrizeFor(hits, true), withBonus[hits]) << hits;
    }
}

TEST(ReportText, HasTheExactLinesOfTheReport) {
    EXPECT_EQ(rules::ReportLine(1, 2, {4, true, 200}),
              "Blatt 1, Kästchen 2: 4 Richtige + Zusatzzahl\r\n");
    EXPECT_EQ(rules::ReportLine(2, 1, {3, false, 10}), "Blatt 2, Kästchen 1: 3 Richtige\r\n");
    EXPECT_EQ(rules::TotalLines(210),
              "================================\r\nGewonnene Summe (ca.): 210 EUR\r\n");
    EXPECT_EQ(std::string("================================").size(), 32u);
}

}  // namespace
