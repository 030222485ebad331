#include <gtest/gtest.h>

#include <random>

#include "base/Errors.h"
#include "rules/Evaluation.h"

namespace {

using rules::Draw;
using rules::KeyOf;

TEST(KeyOf, TakesOnlyRowsOfPlainNumbers) {
    struct Case {
        const char* row;
        bool plain;
        std::uint64_t numbers;
    };
    const Case cases[] = {
        {"1,2,3,4,5,6", true, 0b1111110},
        {"49,1", true, (std::uint64_t{1} << 49) | 2},
        {"63", true, std::uint64_t{1} << 63},
        {"5,5,5", true, 1 << 5},
        {"64,1", false, 0},
        {"0,1", false, 0},
        {"07,1", false, 0},
        {" 7,1", false, 0},
        {"7 ,1", false, 0},
        {"1,,2", false, 0},
        {"", false, 0},
        {"1234,12", false, 0},
        {"a,1", false, 0},
        {"1,2,", false, 0},
    };
    for (const Case& c : cases) {
        const rules::RowKey key = KeyOf(c.row);
        EXPECT_EQ(key.plain(), c.plain) << c.row;
        if (c.plain) {
            EXPECT_EQ(key.numbers, c.numbers) << c.row;
        }
    }
}

// Texts that sit on the edges of the text rule: plain numbers, and look-alikes that are not.
const char* const kTokens[] = {"1",  "2",   "3",    "7",  "9",  "12", "17", "27",  "31",
                               "45", "49",  "50",   "63", "64", "0",  "07", " 7",  "7 ",
                               "",   "100", "1234", "a",  "ä",  "-1", "+7", "1.5", "3 4"};

std::string RandomList(std::mt19937& random, int most) {
    std::uniform_int_distribution<int> count(1, most);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kTokens) - 1);
    std::bernoulli_distribution plainOnly(0.5);
    const bool plain = plainOnly(random);
    std::string list;
    const int tokens = count(random);
    for (int i = 0; i < tokens; ++i) {
        std::size_t token = pick(random);
        if (plain) token %= 13;  // the plain numbers lead the table
        if (i > 0) list += ',';
        list += kTokens[token];
    }
    return list;
}

TEST(Draw, GivesTheTextRulesResultByBitMasks) {
    std::mt19937 random(20261207);
    const char* const bonuses[] = {"7", "49", "3,4", "", " 7", "07", "1,2,3", "12"};
    for (int round = 0; round < 20000; ++round) {
        const std::string drawn = RandomList(random, 12);
        const Draw draw(drawn, bonuses[round % std::size(bonuses)]);
        for (int row = 0; row < 10; ++row) {
            const std::string ballNumberList = RandomList(random, 8);
            const rules::RowResult literal = draw.Evaluate(ballNumberList);
            const rules::RowResult fast = draw.Evaluate(ballNumberList, KeyOf(ballNumberList));
            ASSERT_EQ(fast.hits, literal.hits)
                << '"' << ballNumberList << "\" vs \"" << drawn << '"';
            ASSERT_EQ(fast.bonus, literal.bonus) << ballNumberList << " vs " << drawn;
            ASSERT_EQ(fast.prize, literal.prize) << ballNumberList << " vs " << drawn;
        }
    }
}

TEST(Draw, CountsRepeatedEntriesOnTheFastPathToo) {
    const Draw draw("1,1,1,2,2,3,9", "3");
    const std::string row = "1,2,3,4,5,6";
    EXPECT_EQ(draw.Evaluate(row, KeyOf(row)).hits, 6);
    EXPECT_EQ(draw.Evaluate(row).hits, 6);
    const std::string longList(32767, ',');
    EXPECT_THROW(Draw(longList, "1").Evaluate(row, KeyOf(row)), base::OverflowError);
}

}  // namespace
