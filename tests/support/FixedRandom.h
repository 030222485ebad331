#pragma once

#include <cstddef>
#include <vector>

#include "rules/RandomDraw.h"

namespace testing_support {

// Returns the given values in turn, starting again after the last; counts reseeds and numbers.
class FixedRandom final : public rules::RandomSource {
  public:
    explicit FixedRandom(std::vector<double> values) : mValues(std::move(values)) {}

    void Reseed() override { ++reseeds; }
    double Next() override { return mValues[consumed++ % mValues.size()]; }

    int reseeds = 0;
    std::size_t consumed = 0;

  private:
    std::vector<double> mValues;
};

}  // namespace testing_support
