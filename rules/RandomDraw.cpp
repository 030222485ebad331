#include "rules/RandomDraw.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "rules/NumberText.h"

namespace rules {
namespace {

constexpr std::int16_t kHighestNumber = 49;
constexpr std::size_t kRowSize = 6;

}  // namespace

ClockSeededRandom::ClockSeededRandom() {
    std::random_device entropy;
    std::seed_seq seed{entropy(), entropy(), entropy(), entropy()};
    mEngine.seed(seed);
    Reseed();
}

void ClockSeededRandom::Reseed() {
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const std::uint64_t running[] = {mEngine(), mEngine(), static_cast<std::uint64_t>(steady),
                                     static_cast<std::uint64_t>(wall), ++mReseeds};
    std::vector<std::uint32_t> words;
    for (std::uint64_t value : running) {
        words.push_back(static_cast<std::uint32_t>(value));
        words.push_back(static_cast<std::uint32_t>(value >> 32));
    }
    std::seed_seq seed(words.begin(), words.end());
    mEngine.seed(seed);
}

double ClockSeededRandom::Next() { return static_cast<double>(mEngine() >> 11) * 0x1.0p-53; }

bool IsPopular(std::int16_t number) {
    return PopularNumberList.find(" " + WholeNumberText(number) + " ") != std::string_view::npos;
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
        row += WholeNumberText(aNumbers[j]);
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
    return {JoinNumbers(numbers), additionalNumber};
}

}  // namespace rules
