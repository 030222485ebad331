#include "rules/Stake.h"

#include <gtest/gtest.h>

namespace {

TEST(GetSheetAndBox, CountsTwelveBoxesToASheetWithFloorDivision) {
    struct Case {
        std::int16_t ordinal, sheet, box;
    };
    const Case cases[] = {{0, 0, 12}, {1, 1, 1},   {2, 1, 2},  {12, 1, 12},
                          {13, 2, 1}, {24, 2, 12}, {25, 3, 1}, {32767, 2731, 7}};
    for (const Case& c : cases) {
        std::int16_t index = c.ordinal;
        std::int16_t sheet = -1;
        rules::GetSheetAndBox(index, sheet);
        EXPECT_EQ(sheet, c.sheet) << "ordinal " << c.ordinal;
        EXPECT_EQ(index, c.box) << "ordinal " << c.ordinal;
    }
}

TEST(StakeFor, CostsThreeQuartersARowAndAQuarterASheetBegun) {
    struct Case {
        std::int16_t rows;
        double stake;
    };
    const Case cases[] = {{0, 0.0},    {1, 1.0},   {2, 1.75},  {12, 9.25},
                          {13, 10.25}, {24, 18.5}, {25, 19.5}, {32767, 25258.0}};
    for (const Case& c : cases) EXPECT_EQ(rules::StakeFor(c.rows), c.stake) << c.rows << " rows";
}

}  // namespace
