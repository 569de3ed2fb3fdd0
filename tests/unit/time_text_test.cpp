#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "core/time_tag.h"
#include "core/time_text.h"
#include "host/utf8_string.h"
#include "tests/common/typical_lrc.h"

namespace versotime {
namespace {

double parse(const char* text) { return parse_time_text(Utf8String(text)); }

std::string tag_of(double seconds) {
    char out[time_tag_capacity];
    const std::uint32_t n = format_time_tag(seconds, out);
    EXPECT_EQ(n, std::string(out).size());
    return out;
}

TEST(ParseTimeText, GoodInput) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"01:23.45", 83.45},
        {"01:23:45", 83.5},   // hundredths rounded to tenths, half up
        {"01:02:95", 63.0},
        {"00:05:07", 5.1},
        {"00:05:04", 5.0},
        {"12.50", 12.5},      // no colon: a bare number of seconds
        {"1:23.4", 83.4},
        {"01::23", 60.0},     // the second colon opens the rest
        {"00:00.00", 0.0},
        {"99:59.99", 5999.99},
        {"100:00.00", 6000.0},
        {"03:20", 200.0},
        {" 01:23.45", 83.45},
        {"-1:30.0", -30.0},
        {"01:23:4", 83.0},    // one digit after the colon counts as 4 hundredths
        {"01:23:456", 83.5},  // at most two digits after the second colon
        {"01:23:-5", 83.0},   // a negative hundredths count becomes 0
        {"01:23:", 83.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(parse(c.text), c.expected);
    }
}

TEST(ParseTimeText, MalformedInput) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"", no_time},
        {"1:23", no_time},   // four bytes
        {"ab", no_time},
        {"abcde", 0.0},      // no digits
        {"TI:Song", 0.0},
        {"ar:Someone", 0.0},
        {"xx:yy.zz", 0.0},
        {"0x1p4", 0.0},
        {"infinity", 0.0},
        {"nan:nan", 0.0},
        {"1e999", no_time},  // not finite
        {"00:1e999", no_time},
        {"-1e999", no_time},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parse(c.text), c.expected);
    }
}

TEST(ParseTimeText, HugeMinutesDoNotOverflow) {
    // atoi saturates; minutes x 60 is taken in 64 bits.
    EXPECT_EQ(parse("2147483647:00.0"), 2147483647.0 * 60);
    EXPECT_EQ(parse("99999999999:00.0"), 2147483647.0 * 60);
    EXPECT_EQ(parse("-2147483648:00.0"), -2147483648.0 * 60);
    EXPECT_EQ(parse("2147483647:2147483647:99"), 2147483647.0 * 60 + 2147483647.0 + 1.0);
}

TEST(ParseTimeText, ReadsOnlyItsSpan) {
    EXPECT_DOUBLE_EQ(parse_time_text("01:23.45]junk", 8), 83.45);
    EXPECT_EQ(parse_time_text("01:23.45", 4), no_time);
}

// The reader's quick path for the usual shape: it takes only that shape,
// and gives what the general reading gives.
TEST(ParseTimeText, PlainTimes) {
    const struct {
        const char* text;
        bool plain;
        double expected;
    } cases[] = {
        {"01:23.45", true, 83.45},
        {"1:23.4", true, 83.4},
        {"01:23.", true, 83.0},
        {"03:20", true, 200.0},
        {"123456789:00.0", true, 123456789.0 * 60},
        {"0:12345678901234", true, 12345678901234.0},
        {"0:1.2345678", true, 1.2345678},
        {"1:23", false, 0},               // too short: the no-time value
        {"1234567890:00.0", false, 0},    // minutes that atoi may saturate
        {"0:123456789012345", true, 123456789012345.0},
        {"0:1234567890123456", false, 0},  // too long to be exact
        {"0:1.23456789012", false, 0},
        {" 01:23.45", false, 0},
        {"-1:30.0", false, 0},
        {"+1:30.0", false, 0},
        {"01:23:45", false, 0},
        {"01::23", false, 0},
        {"01:.45", false, 0},
        {"12.50", false, 0},
        {"01:2a.45", false, 0},
        {"01:23.4 ", false, 0},
        {"01:23.4e1", false, 0},
        {"ti:00.00", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double seconds = -2.0;
        const std::uint32_t length = static_cast<std::uint32_t>(std::string(c.text).size());
        EXPECT_EQ(parse_plain_time_text(c.text, length, seconds), c.plain);
        if (c.plain) {
            EXPECT_EQ(seconds, c.expected);
            EXPECT_EQ(parse_time_text(c.text, length), c.expected);
        }
    }
    // Random plain texts against minutes x 60 plus the correctly rounded rest.
    testing_support::TextRandom random(2468);
    for (int n = 0; n < 50000; ++n) {
        std::string minutes, rest;
        for (std::uint32_t k = 1 + random.below(4); k > 0; --k) minutes += static_cast<char>('0' + random.below(10));
        for (std::uint32_t k = 1 + random.below(3); k > 0; --k) rest += static_cast<char>('0' + random.below(10));
        if (random.below(4)) {
            rest += '.';
            for (std::uint32_t k = random.below(7); k > 0; --k) rest += static_cast<char>('0' + random.below(10));
        }
        const std::string text = minutes + ":" + rest;
        if (text.size() < 5) continue;
        SCOPED_TRACE(text);
        double rest_seconds = 0;
        std::from_chars(rest.data(), rest.data() + rest.size(), rest_seconds);
        volatile double expected = static_cast<double>(std::stoll(minutes) * 60) + rest_seconds;
        double seconds = -2.0;
        ASSERT_TRUE(parse_plain_time_text(text.data(), static_cast<std::uint32_t>(text.size()), seconds));
        ASSERT_EQ(seconds, expected);
    }
}

TEST(FormatTimeTag, PrintsTruncatedTenths) {
    const struct {
        double seconds;
        const char* expected;
    } cases[] = {
        {0.0, "[00:00.0]"},
        {59.99, "[00:59.9]"},
        // Products that only come out whole in double precision.
        {0.3, "[00:00.3]"},
        {59.9, "[00:59.9]"},
        {599.9, "[09:59.9]"},
        {83.45, "[01:23.4]"},
        {12.34, "[00:12.3]"},
        {0.09, "[00:00.0]"},
        {600.0, "[10:00.0]"},
        {5999.9, "[99:59.9]"},
        {5999.99, "[99:59.9]"},
        {6000.0, "[100:00.0]"},
        {59999.9, "[999:59.9]"},
        {60000.0, "[000:00.0]"},  // 1000 minutes show their last three digits
        {61234.5, "[020:34.5]"},
        {214748364.0, "[139:24.0]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(tag_of(c.seconds), c.expected);
    }
}

TEST(FormatTimeTag, TimesWithoutAPrintedForm) {
    const double cases[] = {
        -1.0, -0.05, -1e300, 214748364.8, 1e18,
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
    };
    for (const double seconds : cases) {
        SCOPED_TRACE(seconds);
        EXPECT_EQ(tag_of(seconds), "");
        char label[time_label_capacity] = "junk";
        EXPECT_FALSE(format_time_label(seconds, label));
        EXPECT_STREQ(label, "");
    }
}

TEST(FormatTimeLabel, PrintsWithoutBrackets) {
    const struct {
        double seconds;
        const char* expected;
    } cases[] = {
        {83.46, "01:23.4"},
        {59.99, "00:59.9"},
        {50.0, "00:50.0"},
        {200.0, "03:20.0"},
        {6000.0, "100:00.0"},
        {59999.9, "999:59.9"},
        {214748364.0, "139:24.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        char label[time_label_capacity];
        EXPECT_TRUE(format_time_label(c.seconds, label));
        EXPECT_STREQ(label, c.expected);
    }
}

TEST(FormatTimeLabel, ReadsBackThroughParse) {
    // The editor's time field accepts what the label writes.
    const double times[] = {0.0, 1.5, 83.4, 599.9, 6000.0, 7199.9};
    for (const double seconds : times) {
        SCOPED_TRACE(seconds);
        char label[time_label_capacity];
        ASSERT_TRUE(format_time_label(seconds, label));
        EXPECT_NEAR(parse_time_text(Utf8String(label)), seconds, 1e-9);
    }
}

TEST(TimeTag, ThreeConstructors) {
    const TimeTag stamped(83.45);
    EXPECT_EQ(stamped.time(), 83.45);
    EXPECT_STREQ(stamped.text(), "[01:23.4]");
    EXPECT_EQ(stamped.text_length(), 9u);

    // Full precision is kept; only the printed form shows tenths.
    const TimeTag read(Utf8String("01:23.45"));
    EXPECT_DOUBLE_EQ(read.time(), 83.45);
    EXPECT_STREQ(read.text(), "[01:23.4]");

    const TimeTag typed("100:00.0");
    EXPECT_EQ(typed.time(), 6000.0);
    EXPECT_STREQ(typed.text(), "[100:00.0]");
    EXPECT_EQ(typed.text_length(), 10u);
}

TEST(TimeTag, ShortTextGivesNoTime) {
    const TimeTag from_string(Utf8String("1:23"));
    EXPECT_EQ(from_string.time(), no_time);
    EXPECT_STREQ(from_string.text(), "");
    EXPECT_EQ(from_string.text_length(), 0u);

    const TimeTag from_null(static_cast<const char*>(nullptr));
    EXPECT_EQ(from_null.time(), no_time);
    const TimeTag negative(-3.0);
    EXPECT_STREQ(negative.text(), "");
}

}  // namespace
}  // namespace versotime
