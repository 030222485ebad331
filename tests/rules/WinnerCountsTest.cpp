#include "rules/WinnerCounts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// The text rule, as the evaluation states it: an entry hits when "," + entry + "," occurs in
// "," + row + ","; the bonus counts for three to five hits.
struct TextRuleResult {
    int hits = 0;
    bool bonus = false;
};

TextRuleResult TextRule(const std::string& row, const std::vector<std::string>& drawn,
                        const std::string& bonus) {
    const std::string text = "," + row + ",";
    TextRuleResult result;
    for (const std::string& entry : drawn) {
        if (text.find("," + entry + ",") != std::string::npos) ++result.hits;
    }
    result.bonus =
        result.hits >= 3 && result.hits <= 5 && text.find("," + bonus + ",") != std::string::npos;
    return result;
}

// Rows drawn from `universe`, most of them six distinct numbers, some of the kinds the tables
// must leave out or must see through.
std::vector<std::string> Rows(std::mt19937& random, const std::vector<std::string>& universe,
                              int count) {
    const char* const odd[] = {"50", "63", "64", "0", "07", " 7", "", "a", "100"};
    std::uniform_int_distribution<std::size_t> pick(0, universe.size() - 1);
    std::uniform_int_distribution<int> kind(0, 9);
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) {
        const int k = kind(random);
        const int numbers = std::min(k == 0   ? 5
                                     : k == 1 ? 7
                                     : k == 2 ? 10
                                              : 6,
                                     static_cast<int>(universe.size()));
        std::vector<std::string> row;
        while (static_cast<int>(row.size()) < numbers) {
            std::string number = universe[pick(random)];
            // Repeats (kind 3) and odd tokens (kinds 4 and 5) go in on purpose.
            if (k != 3 && std::find(row.begin(), row.end(), number) != row.end()) continue;
            row.push_back(std::move(number));
        }
        if (k == 4 || k == 5) row[random() % row.size()] = odd[random() % std::size(odd)];
        std::string text;
        for (const std::string& number : row) text += (text.empty() ? "" : ",") + number;
        rows.push_back(text);
    }
    return rows;
}

// The prize table by hits, without and with the bonus.
constexpr std::int64_t kPrizes[7][2] = {{0, 0},    {0, 0},         {0, 0},          {10, 30},
                                        {55, 200}, {5000, 100000}, {750000, 750000}};

TEST(WinnerCounts, CountEveryDrawAsTheTextRuleOverTheCoveredRows) {
    struct Case {
        const char* name;
        int lowest, highest;  // the numbers rows and draws are made from
        int rows, draws;
    };
    // Narrow ranges make many rows with four, five and six hits and the bonus.
    const Case cases[] = {
        {"all numbers", 1, 49, 3000, 300},
        {"eight numbers", 1, 8, 400, 60},
        {"twelve numbers", 38, 49, 1500, 200},
        {"twenty numbers", 10, 29, 2000, 200},
    };
    std::mt19937 random(20261207);
    for (const Case& c : cases) {
        std::vector<std::string> universe;
        for (int n = c.lowest; n <= c.highest; ++n) universe.push_back(std::to_string(n));
        const std::vector<std::string> rows = Rows(random, universe, c.rows);
        rules::WinnerCounts counts;
        std::vector<bool> covered;
        for (const std::string& row : rows) covered.push_back(counts.Add(rules::KeyOf(row)));
        counts.Seal();
        EXPECT_GT(std::count(covered.begin(), covered.end(), true), c.rows / 2) << c.name;

        for (int d = 0; d < c.draws; ++d) {
            std::vector<int> seven;  // six drawn numbers and the bonus, all distinct
            while (seven.size() < 7) {
                const int n = c.lowest + static_cast<int>(random() % universe.size());
                if (std::find(seven.begin(), seven.end(), n) == seven.end()) seven.push_back(n);
            }
            std::array<std::int16_t, 6> drawn{};
            std::copy(seven.begin(), seven.begin() + 6, drawn.begin());
            std::sort(drawn.begin(), drawn.end());
            std::vector<std::string> entries;
            for (int n : drawn) entries.push_back(std::to_string(n));
            const std::string bonus = std::to_string(seven[6]);

            rules::WinnerTally expected;
            std::int64_t expectedWon = 0;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (!covered[i]) continue;
                const TextRuleResult result = TextRule(rows[i], entries, bonus);
                ++expected.rows[result.hits];
                if (result.bonus) ++expected.rowsWithBonus[result.hits];
                expectedWon += kPrizes[result.hits][result.bonus ? 1 : 0];
            }
            const rules::WinnerTally tally =
                counts.Count(drawn, static_cast<std::int16_t>(seven[6]));
            for (int k = 3; k <= 6; ++k) {
                EXPECT_EQ(tally.rows[k], expected.rows[k]) << c.name << " draw " << d << " k " << k;
                EXPECT_EQ(tally.rowsWithBonus[k], expected.rowsWithBonus[k])
                    << c.name << " draw " << d << " k " << k;
            }
            EXPECT_EQ(tally.Won(), expectedWon) << c.name << " draw " << d;
        }
    }
}

}  // namespace
