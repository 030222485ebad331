#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/Errors.h"

namespace {

using base::ConversionError;
using base::OverflowError;

struct NumericCase {
    const char* text;
    const char* separator;
    bool numeric;
};

TEST(IsNumeric, AcceptsExactlyTheNumberGrammarOfTheLocale) {
    const NumericCase cases[] = {
        {"", ",", false},      {" ", ",", false},     {"7", ",", true},     {" 7 ", ",", true},
        {"\t7", ",", true},    {"007", ",", true},    {"-3", ",", true},    {"+3", ",", true},
        {"--3", ",", false},   {"3-", ",", false},    {"47,25", ",", true}, {"47.25", ",", false},
        {"47.25", ".", true},  {"47,25", ".", false}, {",5", ",", true},    {"5,", ",", true},
        {",", ",", false},     {"1e5", ",", true},    {"1E-5", ",", true},  {"2,5e+3", ",", true},
        {"1e", ",", false},    {"e5", ",", false},    {"abc", ",", false},  {"7a", ",", false},
        {"1 000", ",", false}, {"0x10", ",", false},  {"- 3", ",", false},
    };
    for (const NumericCase& c : cases) {
        EXPECT_EQ(base::IsNumeric(c.text, c.separator), c.numeric)
            << "\"" << c.text << "\" with separator " << c.separator;
    }
}

struct IntCase {
    const char* text;
    std::optional<std::int32_t> value;  // nullopt: overflow
};

template <typename Convert>
void ExpectConversions(std::initializer_list<IntCase> cases, Convert convert) {
    for (const IntCase& c : cases) {
        if (c.value) {
            EXPECT_EQ(convert(c.text, ","), *c.value) << c.text;
        } else {
            EXPECT_THROW(convert(c.text, ","), OverflowError) << c.text;
        }
    }
}

// About 1e-391: ten to the 10th of a number with 400 zeros after the point.
const std::string kTiny = "0," + std::string(400, '0') + "1e10";

TEST(ToInt16, RoundsHalfToEvenAndRefusesValuesOutsideTheRange) {
    ExpectConversions(
        {
            {"7", 7},
            {" 007 ", 7},
            {"2,5", 2},
            {"3,5", 4},
            {"-2,5", -2},
            {"-3,5", -4},
            {"2,4999", 2},
            {"2,5001", 3},
            {"0,5", 0},
            {"1,5", 2},
            {"32767", 32767},
            {"32767,49", 32767},
            {"32767,5", std::nullopt},
            {"32768", std::nullopt},
            {"-32768", -32768},
            {"-32768,5", -32768},
            {"-32769", std::nullopt},
            {"1e4", 10000},
            {"1e5", std::nullopt},
            {"99999", std::nullopt},
            {"1e400", std::nullopt},
            {"1e-400", 0},
            // Rounded once, from the exact decimal text: a double would round these twice.
            {"2,5000000000000001", 3},
            {"0,50000000000000001", 1},
            {"-0,50000000000000001", -1},
            {"32767,49999999999999999", 32767},
            {"2,50000000000000000000", 2},
            {"0,049e1", 0},
            {"0,051e1", 1},
            {"00025e-1", 2},
            {"35e-1", 4},
            {",5", 0},
            {"1234567890123456789012", std::nullopt},
            {"18446744073709551617", std::nullopt},    // 2^64 + 1, one past what 64 bits hold
            {"1e18446744073709551616", std::nullopt},  // an exponent of 2^64, 0 in 64 bits
            {"0,0000000000000000000000000009", 0},
            // A zero is zero whatever its exponent; a tiny value rounds to zero.
            {"0e19", 0},
            {"0,0e25", 0},
            {"-0e400", 0},
            {kTiny.c_str(), 0},
        },
        base::ToInt16);
}

TEST(ToInt32, HasItsOwnRangeEdges) {
    ExpectConversions(
        {
            {"2147483647", 2147483647},
            {"2147483647,5", std::nullopt},
            {"2147483648", std::nullopt},
            {"-2147483648", INT32_MIN},
            {"-2147483648,5", INT32_MIN},
            {"-2147483649", std::nullopt},
            {"40000", 40000},
            {"220", 220},
            {"2147483646,50000000000000001", 2147483647},
            {"21474836475e-1", std::nullopt},  // 2147483647,5: a half to the even 2147483648
        },
        base::ToInt32);
}

TEST(Conversions, RefuseTextThatIsNotANumber) {
    for (const char* text : {"", " ", "abc", "1,2,3", "12 Euro", "47.25"}) {
        EXPECT_THROW(base::ToInt16(text, ","), ConversionError) << text;
        EXPECT_THROW(base::ToInt32(text, ","), ConversionError) << text;
        EXPECT_THROW(base::ToDouble(text, ","), ConversionError) << text;
    }
}

TEST(ToDouble, ReadsTheLocaleSeparator) {
    EXPECT_EQ(base::ToDouble("47,25", ","), 47.25);
    EXPECT_EQ(base::ToDouble("47.25", "."), 47.25);
    EXPECT_EQ(base::ToDouble(" -1,5E2 ", ","), -150.0);
    EXPECT_THROW(base::ToDouble("1e400", ","), OverflowError);
    EXPECT_EQ(base::ToDouble("1e-400", ","), 0.0);
    EXPECT_EQ(base::ToDouble(kTiny, ","), 0.0);
    EXPECT_EQ(base::ToDouble("0e400", ","), 0.0);
}

struct TextCase {
    double value;
    const char* separator;
    const char* text;
};

TEST(NumberText, WritesTheShortestFormWithTheLocaleSeparator) {
    const TextCase cases[] = {
        {0.0, ",", "0"},
        {-0.0, ",", "0"},
        {1.0, ",", "1"},
        {9.25, ",", "9,25"},
        {9.25, ".", "9.25"},
        {18.5, ",", "18,5"},
        {10.25, ",", "10,25"},
        {47.25, ",", "47,25"},
        {-3.5, ",", "-3,5"},
        {0.1 + 0.2, ",", "0,3"},
        {1.0 / 3.0, ",", "0,333333333333333"},
        {24575.25, ",", "24575,25"},
        {1e15, ",", "1E+15"},
        {123456789012.75, ",", "123456789012,75"},
        {2.5e-7, ",", "2,5E-07"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(base::NumberText(c.value, c.separator), c.text) << c.value;
    }
}

TEST(NumberText, SurvivesTheTripThroughABox) {
    for (const char* separator : {",", "."}) {
        double amount = 0.0;
        for (int step = 0; step < 20000; ++step) {
            amount += 24575.25;  // the stake of 32,767 rows
            const std::string text = base::NumberText(amount, separator);
            ASSERT_TRUE(base::IsNumeric(text, separator)) << text;
            ASSERT_EQ(base::ToDouble(text, separator), amount) << text;
        }
    }
}

TEST(WholeNumberText, IsPlainDecimal) {
    EXPECT_EQ(base::WholeNumberText(0), "0");
    EXPECT_EQ(base::WholeNumberText(32767), "32767");
    EXPECT_EQ(base::WholeNumberText(-3), "-3");
    EXPECT_EQ(base::WholeNumberText(2147483647), "2147483647");
}

TEST(CheckedAdd, ThrowsOnOverflowOfEitherWidth) {
    EXPECT_EQ(base::CheckedAdd(std::int16_t{32766}, std::int16_t{1}), 32767);
    EXPECT_THROW(base::CheckedAdd(std::int16_t{32767}, std::int16_t{1}), OverflowError);
    EXPECT_EQ(base::CheckedAdd(std::int32_t{2147483600}, std::int32_t{47}), 2147483647);
    EXPECT_THROW(base::CheckedAdd(std::int32_t{2147483600}, std::int32_t{48}), OverflowError);
    EXPECT_THROW(base::CheckedAdd(std::int32_t{INT32_MIN}, std::int32_t{-1}), OverflowError);
}

}  // namespace
