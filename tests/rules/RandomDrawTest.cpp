#include "rules/RandomDraw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/support/FixedRandom.h"

namespace {

using testing_support::FixedRandom;
using Numbers = std::vector<std::int16_t>;

struct FixedCase {
    const char* name;
    std::vector<double> values;
    Numbers rowPicks;
    const char* row;
    Numbers filteredPicks;
    const char* filteredRow;
    const char* drawnRow;
    std::int16_t bonus;
};

TEST(RandomDraw, FollowsTheGeneratorsNumbersExactly) {
    const FixedCase cases[] = {
        {"0.5 every time",
         {0.5},
         {25, 26, 24, 27, 23, 28},
         "23,24,25,26,27,28",
         {34, 35, 30, 36, 29, 37},
         "29,30,34,35,36,37",
         "23,24,25,26,27,28",
         22},
        {"0 every time",
         {0.0},
         {1, 2, 3, 4, 5, 6},
         "1,2,3,4,5,6",
         {1, 2, 8, 13, 14, 15},
         "1,2,8,13,14,15",
         "1,2,3,4,5,6",
         7},
        {"0.999 every time",
         {0.999},
         {49, 48, 47, 46, 45, 44},
         "44,45,46,47,48,49",
         {49, 48, 47, 46, 45, 44},
         "44,45,46,47,48,49",
         "44,45,46,47,48,49",
         43},
        {"a mixed sequence",
         {0.1, 0.9, 0.3, 0.7, 0.5, 0.2, 0.8},
         {5, 45, 16, 35, 25, 10},
         "5,10,16,25,35,45",
         {13, 47, 22, 40, 34, 16},
         "13,16,22,34,40,47",
         "5,10,16,25,35,45",
         40},
    };
    for (const FixedCase& c : cases) {
        FixedRandom picks(c.values);
        EXPECT_EQ(rules::DrawNumbers(picks, 6, false), c.rowPicks) << c.name;
        FixedRandom filteredPicks(c.values);
        EXPECT_EQ(rules::DrawNumbers(filteredPicks, 6, true), c.filteredPicks) << c.name;

        FixedRandom row(c.values);
        EXPECT_EQ(rules::RandomRow(row, false), c.row) << c.name;
        EXPECT_EQ(row.consumed, 6u) << c.name;
        FixedRandom filteredRow(c.values);
        EXPECT_EQ(rules::RandomRow(filteredRow, true), c.filteredRow) << c.name;

        FixedRandom draw(c.values);
        const rules::SimulatedDraw simulated = rules::SimulateDraw(draw);
        EXPECT_EQ(simulated.drawnNumberList, c.drawnRow) << c.name;
        EXPECT_EQ(simulated.additionalNumber, c.bonus) << c.name;
        EXPECT_EQ(draw.consumed, 7u) << c.name;
        EXPECT_EQ(row.reseeds + draw.reseeds, 0) << "the caller reseeds, never the draw";
    }
}

TEST(IsPopular, MatchesOnlyWholeEntriesOfTheList) {
    const std::set<std::int16_t> popular = {3,  4,  5,  6,  7,  9,  10, 11, 12,
                                            17, 18, 19, 24, 25, 26, 31, 32, 33};
    for (std::int16_t number = 1; number <= 49; ++number) {
        EXPECT_EQ(rules::IsPopular(number), popular.count(number) == 1) << number;
    }
    EXPECT_EQ(rules::PopularNumberList.size(), 49u);
}

TEST(SortNumbers, SortsAscendingInPlace) {
    const std::pair<Numbers, Numbers> cases[] = {
        {{33, 4, 17, 49, 1, 26}, {1, 4, 17, 26, 33, 49}},
        {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
        {{49, 48, 47, 46, 45, 44}, {44, 45, 46, 47, 48, 49}},
        {{5, -3, 5, 0, -32768, 32767, 2}, {-32768, -3, 0, 2, 5, 5, 32767}},
        {{}, {}},
    };
    for (auto [numbers, sorted] : cases) {
        rules::SortNumbers(numbers);
        EXPECT_EQ(numbers, sorted);
    }
}

TEST(JoinNumbers, JoinsTheFirstSixSlots) {
    EXPECT_EQ(rules::JoinNumbers(Numbers{5, 10, 16, 25, 35, 45}), "5,10,16,25,35,45");
    EXPECT_EQ(rules::JoinNumbers(Numbers{5, 10, 16, 25, 35, 45, 7}), "5,10,16,25,35,45");
}

std::vector<std::int16_t> Parse(const std::string& row) {
    std::vector<std::int16_t> numbers;
    std::size_t start = 0;
    while (start <= row.size()) {
        std::size_t comma = row.find(',', start);
        if (comma == std::string::npos) comma = row.size();
        numbers.push_back(static_cast<std::int16_t>(std::stoi(row.substr(start, comma - start))));
        start = comma + 1;
    }
    return numbers;
}

rules::ClockSeededRandom::ClockReading FrozenClock() { return {42, 42}; }

// A clock a microsecond further on at every reading, as reseeds follow each other in a click.
rules::ClockSeededRandom::ClockReading TickingClock() {
    static std::uint64_t nanoseconds = 0;
    nanoseconds += 1000;
    return {nanoseconds, 1'700'000'000'000'000'000 + nanoseconds};
}

TEST(ClockSeededRandom, MakesValidRowsAndDrawsAndNeverRepeatsAfterAReseed) {
    rules::ClockSeededRandom real;
    rules::ClockSeededRandom frozen(7, FrozenClock);  // only the reseed counter moves
    for (rules::ClockSeededRandom* random : {&real, &frozen}) {
        std::set<std::string> sequences;
        for (int batch = 0; batch < 2000; ++batch) {
            random->Reseed();
            const rules::SimulatedDraw draw = rules::SimulateDraw(*random);
            const Numbers drawn = Parse(draw.drawnNumberList);
            ASSERT_EQ(drawn.size(), 6u);
            EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), draw.drawnNumbers.begin()));
            EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end()));
            EXPECT_EQ(std::set<std::int16_t>(drawn.begin(), drawn.end()).size(), 6u);
            EXPECT_TRUE(std::find(drawn.begin(), drawn.end(), draw.additionalNumber) ==
                        drawn.end());
            EXPECT_TRUE(draw.additionalNumber >= 1 && draw.additionalNumber <= 49);
            EXPECT_TRUE(drawn.front() >= 1 && drawn.back() <= 49);

            const std::string row = rules::RandomRow(*random, true);
            for (std::int16_t number : Parse(row)) EXPECT_FALSE(rules::IsPopular(number)) << row;
            EXPECT_TRUE(sequences
                            .insert(draw.drawnNumberList + "+" +
                                    std::to_string(draw.additionalNumber) + "/" + row)
                            .second);
        }
    }
}

// Reseeds a microsecond apart, or under a clock that stands still, never share a stream: the
// streams PCG uses (shifted left by one bit) differ for every two counters, however the
// generator's outputs and the clocks fall.
TEST(ClockSeededRandom, GivesEveryReseedCounterAStreamOfItsOwn) {
    for (const rules::ClockSeededRandom::ClockReading now :
         {FrozenClock(), rules::ClockSeededRandom::ClockReading{0, 0}}) {
        std::set<pcg_extras::pcg128_t> streams;
        for (std::uint64_t counter = 1; counter <= 100'000; ++counter) {
            const auto seed = rules::ClockSeededRandom::SeedFor(7, 7, now, counter);
            EXPECT_TRUE(streams.insert(seed.stream << 1).second) << counter;
        }
    }
}

double ChiSquare(const std::vector<double>& observed, const std::vector<double>& expected) {
    double sum = 0;
    for (std::size_t i = 0; i < observed.size(); ++i) {
        sum += (observed[i] - expected[i]) * (observed[i] - expected[i]) / expected[i];
    }
    return sum;
}

// A fair lottery, reseeded before every draw as the draw command does: the hits of a fixed row
// and the bonus among them follow the exact probabilities, and every number comes up equally
// often as a drawn number and as the bonus. The bounds are chi-square quantiles at p = 1e-6.
TEST(ClockSeededRandom, DrawsAFairLotteryWhenReseededBeforeEveryDraw) {
    constexpr int kDraws = 300'000;
    const auto choose = [](int n, int k) {
        double c = 1;
        for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
        return c;
    };
    rules::ClockSeededRandom random(20261207, TickingClock);
    // Bins: hits 0 to 3 of the row 1..6, each without and with the bonus in the row; 4 or more.
    std::vector<double> hitBins(9, 0.0), drawnTimes(50, 0.0), bonusTimes(50, 0.0);
    for (int draw = 0; draw < kDraws; ++draw) {
        random.Reseed();
        const rules::SimulatedDraw simulated = rules::SimulateDraw(random);
        int hits = 0;
        for (const std::int16_t number : simulated.drawnNumbers) {
            ++drawnTimes[number];
            hits += number <= 6 ? 1 : 0;
        }
        ++bonusTimes[simulated.additionalNumber];
        hitBins[hits >= 4 ? 8 : 2 * hits + (simulated.additionalNumber <= 6 ? 1 : 0)] += 1;
    }
    std::vector<double> expectedHits(9, 0.0);
    for (int k = 0; k <= 6; ++k) {
        const double p = choose(6, k) * choose(43, 6 - k) / choose(49, 6) * kDraws;
        if (k >= 4) {
            expectedHits[8] += p;
        } else {
            expectedHits[2 * k] = p * (37 + k) / 43;
            expectedHits[2 * k + 1] = p * (6 - k) / 43;
        }
    }
    EXPECT_LT(ChiSquare(hitBins, expectedHits), 44.0);  // 8 degrees of freedom
    drawnTimes.erase(drawnTimes.begin());
    bonusTimes.erase(bonusTimes.begin());
    EXPECT_LT(ChiSquare(drawnTimes, std::vector<double>(49, kDraws * 6.0 / 49)), 110.0);
    EXPECT_LT(ChiSquare(bonusTimes, std::vector<double>(49, kDraws / 49.0)), 110.0);
}

TEST(ClockSeededRandom, StaysInsideTheHalfOpenUnitInterval) {
    rules::ClockSeededRandom random;
    double lowest = 1.0;
    double highest = 0.0;
    for (int i = 0; i < 100000; ++i) {
        const double u = random.Next();
        ASSERT_TRUE(u >= 0.0 && u < 1.0) << u;
        lowest = std::min(lowest, u);
        highest = std::max(highest, u);
    }
    EXPECT_LT(lowest, 0.001);
    EXPECT_GT(highest, 0.999);
}

}  // namespace
