#pragma once

#include <array>
#include <cstdint>
#include <pcg_random.hpp>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Random rows and simulated draws: picks without replacement from a fresh pool of candidates,
// one generator number per pick.
namespace rules {

// The numbers most players choose, each enclosed in blanks. A number is popular when " n "
// occurs in this text, so 1 is not popular although its digit occurs inside 10 or 31.
inline constexpr std::string_view PopularNumberList =
    " 3 4 5 6 7 9 10 11 12 17 18 19 24 25 26 31 32 33 ";

// What the draws are made from.
class RandomSource {
  public:
    virtual ~RandomSource() = default;

    // Starts a new sequence from the clock; called once before every batch of rows or draws.
    virtual void Reseed() = 0;
    // A number uniform in [0, 1).
    virtual double Next() = 0;
};

// PCG64 (pcg-cpp, O'Neill's reference implementation): 128 bits of state, statistically strong,
// and cheap to seed, which matters because every simulated draw is a batch of its own and so
// begins with a reseed. A reseed takes the new state from two outputs of the running generator
// mixed with the steady and the wall clock, and the new stream (PCG's increment) from a counter
// of reseeds: streams differ whenever the counters do, so reseeds a microsecond apart, or with a
// clock that stands still, never start the same sequence. Next() takes the top 53 bits, which a
// double holds exactly: every value k / 2^53 is equally likely and 1.0 never occurs.
class ClockSeededRandom final : public RandomSource {
  public:
    struct ClockReading {
        std::uint64_t steady = 0;
        std::uint64_t wall = 0;
    };
    using Clock = ClockReading (*)();

    // Seeded from the system's entropy source, reseeded from the real clocks.
    ClockSeededRandom();
    // Seeded from `seed`, reseeded from `clock`: for tests that need a repeatable run.
    ClockSeededRandom(std::uint64_t seed, Clock clock);

    void Reseed() override;
    double Next() override;

    // What a reseed seeds PCG64 with: the state from `first` and `second`, two outputs of the
    // running generator, mixed with the clocks; the stream from the clocks and the reseed
    // `counter`. PCG uses the stream shifted left by one bit; shifted so, the streams of two
    // different counters always differ, whatever the clocks read.
    struct Seed {
        pcg_extras::pcg128_t state;
        pcg_extras::pcg128_t stream;
    };
    static Seed SeedFor(std::uint64_t first, std::uint64_t second, ClockReading now,
                        std::uint64_t counter);

  private:
    pcg64 mEngine;
    Clock mClock;
    std::uint64_t mReseeds = 0;
};

bool IsPopular(std::int16_t number);

// Picks iPickCount distinct numbers from 1 to 49 (only unpopular ones when bUnpopularOnly), in
// pick order. Each pick takes position floor(u * c) + 1 of the pool of c numbers left, for u the
// generator's next number. REQUIRES: iPickCount <= 31.
std::vector<std::int16_t> DrawNumbers(RandomSource& random, std::int16_t iPickCount,
                                      bool bUnpopularOnly);

// Sorts ascending in place by selection sort; among equal values the lowest slot wins.
void SortNumbers(std::span<std::int16_t> aNumbers);

// Slots 0 to 5 joined by single commas: "5,10,16,25,35,45".
std::string JoinNumbers(std::span<const std::int16_t> aNumbers);

// Six numbers to store as a row, sorted and joined.
std::string RandomRow(RandomSource& random, bool bUnpopularOnly);

struct SimulatedDraw {
    std::string drawnNumberList;               // the first six picks, sorted and joined
    std::array<std::int16_t, 6> drawnNumbers;  // the same, as numbers
    std::int16_t additionalNumber = 0;         // the seventh pick
};

// Seven picks from all 49 numbers; the seventh is the bonus number.
SimulatedDraw SimulateDraw(RandomSource& random);

}  // namespace rules
