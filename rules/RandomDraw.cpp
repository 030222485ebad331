#include "rules/RandomDraw.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "base/NumberText.h"

namespace rules {
namespace {

constexpr std::int16_t kHighestNumber = 49;
constexpr std::size_t kRowSize = 6;

// SplitMix64's finaliser: a bijection of 64-bit words that spreads every input bit over all
// output bits.
std::uint64_t Mix(std::uint64_t value) {
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9;
    value = (value ^ (value >> 27)) * 0x94d049bb133111eb;
    return value ^ (value >> 31);
}

pcg_extras::pcg128_t Wide(std::uint64_t high, std::uint64_t low) {
    return (static_cast<pcg_extras::pcg128_t>(high) << 64) | low;
}

ClockSeededRandom::ClockReading RealClock() {
    return {
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()),
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())};
}

}  // namespace

ClockSeededRandom::ClockSeededRandom() : mClock(RealClock) {
    std::random_device entropy;
    const auto word = [&] { return std::uint64_t{entropy()} << 32 | entropy(); };
    mEngine.seed(Wide(word(), word()), Wide(word(), word()));
    Reseed();
}

ClockSeededRandom::ClockSeededRandom(std::uint64_t seed, Clock clock) : mClock(clock) {
    mEngine.seed(Wide(Mix(seed), Mix(~seed)), Wide(Mix(seed + 1), Mix(seed + 2)));
    Reseed();
}

ClockSeededRandom::Seed ClockSeededRandom::SeedFor(std::uint64_t first, std::uint64_t second,
                                                   ClockReading now, std::uint64_t counter) {
    // The counter's word goes low in the stream, where the shift loses no bit of it.
    return {Wide(first ^ Mix(now.steady), second ^ Mix(now.wall ^ Mix(counter))),
            Wide(Mix(now.steady ^ now.wall), Mix(counter))};
}

void ClockSeededRandom::Reseed() {
    const ClockReading now = mClock();
    const std::uint64_t first = mEngine();
    const std::uint64_t second = mEngine();
    const Seed seed = SeedFor(first, second, now, ++mReseeds);
    mEngine.seed(seed.state, seed.stream);
}

double ClockSeededRandom::Next() { return static_cast<double>(mEngine() >> 11) * 0x1.0p-53; }

namespace {

bool InPopularNumberList(std::int16_t number) {
    // Appended rather than `" " + text + " "`: GCC 12.2 at -O3 takes the prepending insert for
    // an overlapping copy (GCC bug 105329) and warns.
    std::string blanked = " ";
    blanked += base::WholeNumberText(number);
    blanked += ' ';
    return PopularNumberList.find(blanked) != std::string_view::npos;
}

// The list's rule for 0 to 99, worked out once: the pool of every random row asks it 49 times.
const std::array<bool, 100> kPopularBelow100 = [] {
    std::array<bool, 100> popular{};
    for (std::int16_t number = 0; number < 100; ++number)
        popular[number] = InPopularNumberList(number);
    return popular;
}();

}  // namespace

bool IsPopular(std::int16_t number) {
    return number >= 0 && number < 100 ? kPopularBelow100[number] : InPopularNumberList(number);
}

std::vector<std::int16_t> DrawNumbers(RandomSource& random, std::int16_t iPickCount,
                                      bool bUnpopularOnly) {
    std::vector<std::int16_t> pool;
    pool.reserve(kHighestNumber);
    for (std::int16_t number = 1; number <= kHighestNumber; ++number) {
        if (!(bUnpopularOnly && IsPopular(number))) pool.push_back(number);
    }
    std::vector<std::int16_t> picks;
    picks.reserve(iPickCount);
    for (std::int16_t pick = 1; pick <= iPickCount; ++pick) {
        const double poolSize = static_cast<double>(pool.size());
        // 0 <= u < 1 puts the position in 1..c; the clamp only guards against a faulty source.
        const double position =
            std::clamp(std::floor(random.Next() * poolSize) + 1.0, 1.0, poolSize);
        const auto slot = pool.begin() + static_cast<std::ptrdiff_t>(position) - 1;
        picks.push_back(*slot);
        pool.erase(slot);
    }
    return picks;
}

void SortNumbers(std::span<std::int16_t> aNumbers) {
    for (std::size_t i = 0; i < aNumbers.size(); ++i) {
        std::int16_t minimum = aNumbers[i];
        std::size_t minimumSlot = i;
        for (std::size_t j = i; j < aNumbers.size(); ++j) {
            if (aNumbers[j] < minimum) {
                minimumSlot = j;
                minimum = aNumbers[j];
            }
        }
        aNumbers[minimumSlot] = aNumbers[i];
        aNumbers[i] = minimum;
    }
}

std::string JoinNumbers(std::span<const std::int16_t> aNumbers) {
    std::string row;
    for (std::size_t j = 0; j < kRowSize && j < aNumbers.size(); ++j) {
        if (!row.empty()) row += ',';
        row += base::WholeNumberText(aNumbers[j]);
    }
    return row;
}

std::string RandomRow(RandomSource& random, bool bUnpopularOnly) {
    std::vector<std::int16_t> numbers = DrawNumbers(random, kRowSize, bUnpopularOnly);
    SortNumbers(numbers);
    return JoinNumbers(numbers);
}

SimulatedDraw SimulateDraw(RandomSource& random) {
    std::vector<std::int16_t> numbers = DrawNumbers(random, kRowSize + 1, false);
    const std::int16_t additionalNumber = numbers[kRowSize];
    numbers.resize(kRowSize);
    SortNumbers(numbers);
    SimulatedDraw draw{JoinNumbers(numbers), {}, additionalNumber};
    std::copy(numbers.begin(), numbers.end(), draw.drawnNumbers.begin());
    return draw;
}

}  // namespace rules
