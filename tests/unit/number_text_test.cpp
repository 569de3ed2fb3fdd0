#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "core/number_text.h"
#include "tests/common/typical_lrc.h"

namespace versotime {
namespace {

std::int32_t int_of(const std::string& s) {
    return read_decimal_int(s.data(), static_cast<std::uint32_t>(s.size()));
}
double double_of(const std::string& s) {
    return read_decimal_double(s.data(), static_cast<std::uint32_t>(s.size()));
}

TEST(ReadDecimalInt, ReadsLikeAtoi) {
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"0", 0},
        {"500", 500},
        {"-250", -250},
        {"+42", 42},
        {" \t\n\v\f\r17", 17},
        {"12abc", 12},
        {"007", 7},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"+-3", 0},
        {"- 3", 0},
        {"0x1F", 0},
        {"1e3", 1},
        {"3.9", 3},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        // Saturates instead of overflowing.
        {"2147483648", 2147483647},
        {"99999999999999999999999", 2147483647},
        {"-2147483649", std::numeric_limits<std::int32_t>::min()},
        {"-99999999999999999999999", std::numeric_limits<std::int32_t>::min()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(int_of(c.text), c.expected);
    }
}

TEST(ReadDecimalInt, StopsAtTheSpanEnd) {
    EXPECT_EQ(read_decimal_int("12345", 2), 12);
    EXPECT_EQ(read_decimal_int("-5", 1), 0);
    EXPECT_EQ(read_decimal_int(nullptr, 0), 0);
    const char with_nul[] = {'4', '\0', '5'};
    EXPECT_EQ(read_decimal_int(with_nul, 3), 4);
}

TEST(ReadDecimalDouble, ReadsDecimalForms) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"12.5", 12.5},
        {"23.45", 23.45},
        {"-1.25", -1.25},
        {"+2.5", 2.5},
        {"  7", 7.0},
        {"5.", 5.0},
        {".5", 0.5},
        {"-.5", -0.5},
        {"1e3", 1000.0},
        {"1E+2", 100.0},
        {"25e-1", 2.5},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"2.5x", 2.5},
        {"0.1", 0.1},
        {"", 0.0},
        {".", 0.0},
        {"-", 0.0},
        {"e5", 0.0},
        {"abcde", 0.0},
        // No hexadecimal, infinity or NaN forms.
        {"0x10", 0.0},
        {"inf", 0.0},
        {"nan", 0.0},
        {"INFINITY", 0.0},
        {"1e-999", 0.0},
        {"0.0000000000000000000000000000000000000000000000000000000000000001e-400", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(double_of(c.text), c.expected);
    }
}

TEST(ReadDecimalDouble, RoundsCorrectly) {
    // Halfway between two doubles, and a long digit string.
    EXPECT_EQ(double_of("9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(double_of("0.1000000000000000055511151231257827021181583404541015625"), 0.1);
    EXPECT_EQ(double_of("83.45"), 83.45);
    EXPECT_EQ(double_of(std::string(400, '0') + "1.5"), 1.5);
}

TEST(ReadDecimalDouble, TooLargeGivesInfinity) {
    EXPECT_EQ(double_of("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(double_of("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(double_of(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(double_of("0.000001e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(double_of("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(ReadDecimalDouble, StopsAtTheSpanEnd) {
    EXPECT_EQ(read_decimal_double("12.75", 4), 12.7);
    EXPECT_EQ(read_decimal_double("1e5", 2), 1.0);
    EXPECT_EQ(read_decimal_double(nullptr, 0), 0.0);
}

// Short decimals take a path of their own; they must come out exactly as
// the correctly rounded reading of the same digits does.
TEST(ReadDecimalDouble, ShortDecimalsRoundLikeLongOnes) {
    testing_support::TextRandom random(1357);
    for (int n = 0; n < 50000; ++n) {
        std::string text;
        const std::uint32_t int_digits = random.below(9);
        const std::uint32_t fraction_digits = random.below(10);
        for (std::uint32_t k = 0; k < int_digits; ++k) text += static_cast<char>('0' + random.below(10));
        if (fraction_digits > 0 || random.below(2)) text += '.';
        for (std::uint32_t k = 1; k < fraction_digits; ++k) text += static_cast<char>('0' + random.below(10));
        if (int_digits + fraction_digits == 0) text += '7';
        SCOPED_TRACE(text);
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(double_of(text), expected);
        ASSERT_EQ(double_of("-" + text), -expected);
    }
}

}  // namespace
}  // namespace versotime
