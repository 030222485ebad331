#pragma once

#include <cstdint>
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

// std::mt19937_64: the standard library's well-tested 64-bit Mersenne Twister, with a period far
// beyond any run of this program. A reseed feeds the running state together with two clocks and a
// counter into std::seed_seq, so reseeds a microsecond apart still start different sequences.
// Next() takes the top 53 bits, which a double holds exactly: every value k / 2^53 is equally
// likely and 1.0 never occurs.
class ClockSeededRandom final : public RandomSource {
  public:
    ClockSeededRandom();
    void Reseed() override;
    double Next() override;

  private:
    std::mt19937_64 mEngine;
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
    std::string drawnNumberList;    // the first six picks, sorted and joined
    std::int16_t additionalNumber;  // the seventh pick
};

// Seven picks from all 49 numbers; the seventh is the bonus number.
SimulatedDraw SimulateDraw(RandomSource& random);

}  // namespace rules
