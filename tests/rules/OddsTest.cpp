#include "rules/Odds.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "base/Errors.h"

namespace {

// The rule as it stands: a drawn number hits a row when "," + number + "," stands in
// "," + row + ",", the bonus number likewise.
std::uint64_t HeldByRule(const std::string& row) {
    std::uint64_t held = 0;
    for (int number = 1; number <= 49; ++number) {
        if (("," + row + ",").find("," + std::to_string(number) + ",") != std::string::npos) {
            held |= std::uint64_t{1} << number;
        }
    }
    return held;
}

std::int64_t Prize(int hits, bool bonus) {
    switch (hits) {
        case 3:
            return bonus ? 30 : 10;
        case 4:
            return bonus ? 200 : 55;
        case 5:
            return bonus ? 100000 : 5000;
        case 6:
            return 750000;
        default:
            return 0;
    }
}

// Every set of six and every bonus number it leaves, counted one by one.
TEST(OddsOf, CountsExactlyWhatEveryDrawGives) {
    const std::vector<std::vector<std::string>> rowSets = {
        {"1,2,3,4,5,6"},
        {"1,2,3,4,5,6,7", "7,7,7", "07,8,x,49", "3,11,17,20,33,45", "3,11,17,20,33,45"},
        {"10,20,30", "1,2", "x"},
        {"44,45,46,47,48,49"},  // the highest numbers: 49 counts like any other
        // Only the texts the window writes for 1 to 49 are numbers: none of these holds one.
        {"x,,y", "07", "50,51,52", "100,200,300", "1/,2/,3/"},
    };
    struct Count {
        std::int64_t winning = 0, six = 0;
        unsigned __int128 prizes = 0;
        std::vector<std::uint64_t> held;
    };
    std::vector<Count> counts(rowSets.size());
    for (std::size_t set = 0; set < rowSets.size(); ++set) {
        for (const std::string& row : rowSets[set]) counts[set].held.push_back(HeldByRule(row));
    }
    std::int64_t draws = 0;
    int d[6];
    for (d[0] = 1; d[0] <= 44; ++d[0])
        for (d[1] = d[0] + 1; d[1] <= 45; ++d[1])
            for (d[2] = d[1] + 1; d[2] <= 46; ++d[2])
                for (d[3] = d[2] + 1; d[3] <= 47; ++d[3])
                    for (d[4] = d[3] + 1; d[4] <= 48; ++d[4])
                        for (d[5] = d[4] + 1; d[5] <= 49; ++d[5]) {
                            ++draws;
                            std::uint64_t drawn = 0;
                            for (const int number : d) drawn |= std::uint64_t{1} << number;
                            for (Count& count : counts) {
                                int most = 0;
                                for (const std::uint64_t held : count.held) {
                                    most = std::max(most, std::popcount(held & drawn));
                                }
                                count.winning += most >= 3;
                                count.six += most == 6;
                                if (most < 3) continue;
                                for (int bonus = 1; bonus <= 49; ++bonus) {
                                    if ((drawn >> bonus) & 1) continue;
                                    for (const std::uint64_t held : count.held) {
                                        count.prizes +=
                                            Prize(std::popcount(held & drawn), (held >> bonus) & 1);
                                    }
                                }
                            }
                        }
    ASSERT_EQ(draws, rules::kSetsOfSix);
    for (std::size_t set = 0; set < rowSets.size(); ++set) {
        const rules::Odds odds = rules::OddsOf(rowSets[set]);
        EXPECT_EQ(odds.rows, static_cast<std::int64_t>(rowSets[set].size())) << set;
        EXPECT_EQ(odds.winningSets, counts[set].winning) << set;
        EXPECT_EQ(odds.sixSets, counts[set].six) << set;
        EXPECT_TRUE(odds.prizeSum == counts[set].prizes) << set;
    }
}

TEST(OddsText, SaysTheOddsInTheUsersNumbers) {
    struct Case {
        std::vector<std::string> rows;
        const char* separator;
        const char* text;
    };
    const char* heading =
        "Chancen je Ziehung, genau über alle 13983816 Ziehungen und ihre Zusatzzahlen:\r\n\r\n";
    const Case cases[] = {
        {{}, ",", "Es sind keine Zahlenreihen gespeichert."},
        {{"1,2,3,4,5,6"},
         ",",
         "Gespeicherte Zahlenreihen: 1, Einsatz 1 Euro\r\n"
         "Irgendein Gewinn (3 Richtige oder mehr): 1 zu 53,7 (1,9 %)\r\n"
         "6 Richtige: 1 zu 13983816\r\n"
         "Erwartete Auszahlung nach den Annahmen: 0,45 Euro (44,8 % des Einsatzes)"},
        {{"1,2,3,4,5,6"},
         ".",
         "Gespeicherte Zahlenreihen: 1, Einsatz 1 Euro\r\n"
         "Irgendein Gewinn (3 Richtige oder mehr): 1 zu 53.7 (1.9 %)\r\n"
         "6 Richtige: 1 zu 13983816\r\n"
         "Erwartete Auszahlung nach den Annahmen: 0.45 Euro (44.8 % des Einsatzes)"},
        {{"10,20,30", "x"},
         ",",
         "Gespeicherte Zahlenreihen: 2, Einsatz 1,75 Euro\r\n"
         "Irgendein Gewinn (3 Richtige oder mehr): 1 zu 921 (0,1 %)\r\n"
         "6 Richtige: nicht möglich\r\n"
         "Erwartete Auszahlung nach den Annahmen: 0,01 Euro (0,6 % des Einsatzes)"},
        {{"x"},
         ",",
         "Gespeicherte Zahlenreihen: 1, Einsatz 1 Euro\r\n"
         "Irgendein Gewinn (3 Richtige oder mehr): nicht möglich\r\n"
         "6 Richtige: nicht möglich\r\n"
         "Erwartete Auszahlung nach den Annahmen: 0,00 Euro (0,0 % des Einsatzes)"},
    };
    for (const Case& c : cases) {
        const std::string expected = c.rows.empty() ? c.text : heading + std::string(c.text);
        EXPECT_EQ(rules::OddsText(rules::OddsOf(c.rows), c.separator), expected);
    }
    rules::Odds tooMany;
    tooMany.rows = 32768;
    EXPECT_THROW(rules::OddsText(tooMany, ","), base::OverflowError);
}

}  // namespace
