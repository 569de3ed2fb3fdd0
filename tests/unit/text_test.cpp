// GrowableBuffer and Utf8String.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/growable_buffer.h"
#include "host/utf8_string.h"

namespace versotime {
namespace {

TEST(GrowableBuffer, ZeroedIsEmptyAndExact) {
    GrowableBuffer b;
    EXPECT_EQ(b.data(), nullptr);
    EXPECT_EQ(b.size(), 0u);
    EXPECT_EQ(b.allocated(), 0u);
    EXPECT_EQ(b.mode(), GrowthMode::exact);
}

struct ResizeStep {
    std::uint32_t new_size;
    std::uint32_t allocated;
};

struct ResizeCase {
    const char* name;
    GrowthMode mode;
    std::vector<ResizeStep> steps;
};

TEST(GrowableBuffer, ResizeFollowsTheModesRules) {
    const ResizeCase cases[] = {
        {"exact", GrowthMode::exact, {{5, 5}, {3, 3}, {100, 100}, {1, 1}, {0, 0}, {7, 7}}},
        // Doubles from the current block (1 when empty), halves while half
        // is still above the new size.
        {"powers_of_two", GrowthMode::powers_of_two,
         {{5, 8}, {3, 4}, {4, 4}, {9, 16}, {16, 16}, {17, 32}, {1, 2}, {0, 0}, {1, 1}, {1000, 1024}}},
        {"grow_only", GrowthMode::grow_only,
         {{5, 8}, {3, 8}, {9, 16}, {1, 16}, {0, 16}, {20, 32}, {32, 32}, {33, 64}}},
    };
    for (const ResizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        GrowableBuffer b(c.mode);
        for (const ResizeStep& step : c.steps) {
            SCOPED_TRACE(step.new_size);
            ASSERT_TRUE(b.resize(step.new_size));
            EXPECT_EQ(b.size(), step.new_size);
            EXPECT_EQ(b.allocated(), step.allocated);
            EXPECT_EQ(b.data() == nullptr, step.allocated == 0);
        }
    }
}

TEST(GrowableBuffer, ContentsSurviveReallocation) {
    for (GrowthMode mode : {GrowthMode::exact, GrowthMode::powers_of_two, GrowthMode::grow_only}) {
        SCOPED_TRACE(static_cast<int>(mode));
        GrowableBuffer b(mode);
        ASSERT_TRUE(b.write_at("abcdef", 6, 0));
        ASSERT_TRUE(b.resize(5000));
        EXPECT_EQ(std::memcmp(b.data(), "abcdef", 6), 0);
        ASSERT_TRUE(b.resize(3));
        EXPECT_EQ(std::memcmp(b.data(), "abc", 3), 0);
    }
}

TEST(GrowableBuffer, WriteAtGrowsCopiesAndZeroFills) {
    GrowableBuffer b;
    ASSERT_TRUE(b.write_at("xyz", 3, 4));
    EXPECT_EQ(b.size(), 7u);
    EXPECT_EQ(std::memcmp(b.data() + 4, "xyz", 3), 0);

    std::memset(b.data(), 0xAA, b.size());
    ASSERT_TRUE(b.write_at(nullptr, 3, 2));  // inside: zero-fills, no resize
    EXPECT_EQ(b.size(), 7u);
    const std::uint8_t expected[7] = {0xAA, 0xAA, 0, 0, 0, 0xAA, 0xAA};
    EXPECT_EQ(std::memcmp(b.data(), expected, 7), 0);

    ASSERT_TRUE(b.write_at(nullptr, 4, 6));  // past the end: grows, zero-fills
    EXPECT_EQ(b.size(), 10u);
    for (std::uint32_t i = 6; i < 10; ++i) EXPECT_EQ(b.data()[i], 0) << i;

    ASSERT_TRUE(b.append("!", 1));
    EXPECT_EQ(b.size(), 11u);
    EXPECT_EQ(b.data()[10], '!');

    ASSERT_TRUE(b.write_at("q", 0, 50));  // zero bytes still set the size
    EXPECT_EQ(b.size(), 50u);
}

TEST(GrowableBuffer, WriteAtRefusesAnEndPastFourGigabytes) {
    GrowableBuffer b;
    ASSERT_TRUE(b.write_at("ab", 2, 0));
    EXPECT_FALSE(b.write_at("ab", 2, 0xFFFFFFFFu));
    EXPECT_FALSE(b.write_at(nullptr, 0xFFFFFFFFu, 2));
    EXPECT_EQ(b.size(), 2u);
    EXPECT_EQ(std::memcmp(b.data(), "ab", 2), 0);
}

TEST(GrowableBuffer, ReleaseFreesEvenInGrowOnlyMode) {
    GrowableBuffer b(GrowthMode::grow_only);
    ASSERT_TRUE(b.resize(10));
    b.release();
    EXPECT_EQ(b.data(), nullptr);
    EXPECT_EQ(b.allocated(), 0u);
    EXPECT_EQ(b.size(), 0u);
}

TEST(Utf8String, EmptyTextIsSharedAndNeverNull) {
    const Utf8String fresh;
    const char* shared = fresh.c_str();
    ASSERT_NE(shared, nullptr);
    EXPECT_STREQ(shared, "");

    Utf8String s("hello");
    EXPECT_NE(s.c_str(), shared);
    s.truncate(0);
    EXPECT_EQ(s.length(), 0u);
    EXPECT_EQ(s.c_str(), shared);  // even though a block may still exist

    Utf8String t("abc");
    t.remove_range(0, 3);
    EXPECT_EQ(t.c_str(), shared);
    t.assign("");
    EXPECT_EQ(t.c_str(), shared);
}

struct BoundedCase {
    const char* text;
    std::uint32_t max;
    const char* expected;
};

TEST(Utf8String, AppendAndAssignTakeTheBoundedLength) {
    static const char embedded_nul[] = {'h', 'e', 0, 'x', 0};
    const BoundedCase cases[] = {
        {"hello", whole_text, "hello"}, {"hello", 3, "hel"}, {"hello", 0, ""},
        {"hi", 10, "hi"},               {embedded_nul, 4, "he"}, {nullptr, whole_text, ""},
        {"", whole_text, ""},           {"\xE4\xB8\xAD", 2, "\xE4\xB8"},  // not validated
    };
    for (const BoundedCase& c : cases) {
        SCOPED_TRACE(c.expected);
        SCOPED_TRACE(c.max);
        Utf8String appended("<");
        appended.append(c.text, c.max);
        EXPECT_EQ(std::string(appended.c_str()), std::string("<") + c.expected);
        EXPECT_EQ(appended.length(), 1 + std::strlen(c.expected));

        Utf8String assigned("previous");
        assigned.assign(c.text, c.max);
        EXPECT_STREQ(assigned.c_str(), c.expected);
        EXPECT_EQ(assigned.length(), std::strlen(c.expected));
    }
}

TEST(Utf8String, BoundedLengthStopsAtNulOrMax) {
    EXPECT_EQ(bounded_length(nullptr, whole_text), 0u);
    EXPECT_EQ(bounded_length("abc", whole_text), 3u);
    EXPECT_EQ(bounded_length("abc", 2), 2u);
    EXPECT_EQ(bounded_length16(nullptr, 5), 0u);
    EXPECT_EQ(bounded_length16(u"abc", whole_text), 3u);
    EXPECT_EQ(bounded_length16(u"abc", 1), 1u);
}

TEST(Utf8String, AppendsAndAssignsItsOwnText) {
    Utf8String s("abcdefghij");
    for (int i = 0; i < 6; ++i) s.append(s.c_str());  // moves the block each time
    EXPECT_EQ(s.length(), 640u);
    std::string expected;
    for (int i = 0; i < 64; ++i) expected += "abcdefghij";
    EXPECT_EQ(std::string(s.c_str()), expected);

    Utf8String t("0123456789");
    t.append(t.c_str() + 5, 3);
    EXPECT_STREQ(t.c_str(), "0123456789567");
    t.assign(t.c_str() + 2, 4);
    EXPECT_STREQ(t.c_str(), "2345");
    t.assign(t.c_str());
    EXPECT_STREQ(t.c_str(), "2345");

    Utf8String u("xy");
    u = u;
    EXPECT_STREQ(u.c_str(), "xy");
    Utf8String copy(u);
    copy.append("z");
    EXPECT_STREQ(u.c_str(), "xy");
    EXPECT_STREQ(copy.c_str(), "xyz");
}

TEST(Utf8String, TruncateOnlyShortens) {
    Utf8String s("abcdef");
    s.truncate(10);
    EXPECT_STREQ(s.c_str(), "abcdef");
    s.truncate(6);
    EXPECT_STREQ(s.c_str(), "abcdef");
    s.truncate(2);
    EXPECT_STREQ(s.c_str(), "ab");
    EXPECT_EQ(s.length(), 2u);
    s.append("z");
    EXPECT_STREQ(s.c_str(), "abz");
}

struct FindCase {
    char byte;
    int start;
    int expected;
};

TEST(Utf8String, FindChar) {
    const Utf8String s("abcabc");
    const FindCase cases[] = {{'b', 0, 1},   {'b', 2, 4},    {'b', -3, 1},  {'a', 3, 3},
                              {'b', 5, -1},  {'b', 6, -1},   {'b', 100, -1}, {'z', 0, -1},
                              {'c', -100, 2}};
    for (const FindCase& c : cases) {
        SCOPED_TRACE(std::string(1, c.byte) + " from " + std::to_string(c.start));
        EXPECT_EQ(s.find_char(c.byte, c.start), c.expected);
    }
    EXPECT_EQ(Utf8String().find_char('a', 0), -1);
    EXPECT_EQ(Utf8String().find_char(0, 0), -1);
}

TEST(Utf8String, FindLastChar) {
    const Utf8String s("abcabc");
    const FindCase cases[] = {{'b', -1, 4},  {'b', 3, 1},   {'b', 4, 4},  {'a', 0, 0},
                              {'c', 1, -1},  {'b', 100, 4}, {'c', -7, 5}, {'z', -1, -1}};
    for (const FindCase& c : cases) {
        SCOPED_TRACE(std::string(1, c.byte) + " from " + std::to_string(c.start));
        EXPECT_EQ(s.find_last_char(c.byte, c.start), c.expected);
    }
    EXPECT_EQ(Utf8String().find_last_char('a', -1), -1);
    EXPECT_EQ(Utf8String().find_last_char('a', 0), -1);
}

TEST(Utf8String, FindText) {
    const Utf8String s("abcabc");
    struct Case {
        const char* text;
        int start;
        int expected;
    };
    const Case cases[] = {
        {"bc", -5, 1}, {"bc", 0, 1},  {"bc", 2, 4},     {"bc", 5, -1},   {"abc", 3, 3},
        {"cab", 0, 2}, {"", 2, 2},    {"", -1, 0},      {"", 6, -1},     {"", 7, -1},
        {"x", 0, -1},  {"abcabcx", 0, -1}, {"abcabc", 0, 0}, {nullptr, 1, 1}, {"c", 5, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text ? c.text : "(null)") + " from " + std::to_string(c.start));
        EXPECT_EQ(s.find_text(c.text, c.start), c.expected);
    }
    EXPECT_EQ(Utf8String().find_text("", 0), -1);
}

TEST(Utf8String, RemoveRange) {
    struct Case {
        std::uint32_t start;
        std::uint32_t count;
        const char* expected;
    };
    const Case cases[] = {
        {0, 2, "cdef"},   {1, 1, "acdef"}, {4, 100, "abcd"},   {4, 0xFFFFFFFFu, "abcd"},
        {6, 1, "abcdef"}, {100, 1, "abcdef"}, {2, 0, "abcdef"}, {0, 6, ""},
        {0, 0xFFFFFFFFu, ""}, {5, 1, "abcde"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + "+" + std::to_string(c.count));
        Utf8String s("abcdef");
        s.remove_range(c.start, c.count);
        EXPECT_STREQ(s.c_str(), c.expected);
        EXPECT_EQ(s.length(), std::strlen(c.expected));
        s.append("!");
        EXPECT_EQ(std::string(s.c_str()), std::string(c.expected) + "!");
    }
    Utf8String empty;
    empty.remove_range(0, 5);
    EXPECT_STREQ(empty.c_str(), "");
}

TEST(Utf8String, AppendCodePoint) {
    struct Case {
        std::uint32_t value;
        const char* bytes;
    };
    const Case cases[] = {
        {0x41, "A"},
        {0xE9, "\xC3\xA9"},
        {0x4E2D, "\xE4\xB8\xAD"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x7FFFFFFF, "\xFD\xBF\xBF\xBF\xBF\xBF"},
        {0x80000000u, ""},  // not encodable
        {0xFFFFFFFFu, ""},
        {0, ""},  // would put a NUL inside the text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Utf8String s("<");
        s.append_code_point(c.value);
        EXPECT_EQ(std::string(s.c_str()), std::string("<") + c.bytes);
        EXPECT_EQ(s.length(), 1 + std::strlen(c.bytes));
    }
}

TEST(Utf8String, KeepsUpToThirtyTwoSpareBytesAndGrowsWithSixteen) {
    Utf8String s;
    EXPECT_EQ(s.buffer_size(), 0u);
    s.append("a");  // needs 2
    EXPECT_EQ(s.buffer_size(), 18u);
    s.append(std::string(16, 'b').c_str());  // needs 18: fits exactly
    EXPECT_EQ(s.length(), 17u);
    EXPECT_EQ(s.buffer_size(), 18u);
    s.append("c");  // needs 19
    EXPECT_EQ(s.buffer_size(), 35u);
    s.truncate(2);  // needs 3: 35 is exactly 3 + 32, kept
    EXPECT_EQ(s.buffer_size(), 35u);
    s.truncate(1);  // needs 2: 35 is above 2 + 32, cut to 2
    EXPECT_EQ(s.buffer_size(), 2u);
    EXPECT_STREQ(s.c_str(), "a");
    s.assign(std::string(100, 'x').c_str());
    EXPECT_EQ(s.buffer_size(), 117u);
    s.remove_range(0, 90);  // needs 11
    EXPECT_EQ(s.buffer_size(), 11u);
    EXPECT_STREQ(s.c_str(), "xxxxxxxxxx");
    s.remove_range(0, 10);
    EXPECT_EQ(s.buffer_size(), 11u);  // within the slack of the terminator
}

TEST(Utf8String, Equals) {
    const Utf8String s("abc");
    EXPECT_TRUE(s.equals("abc"));
    EXPECT_FALSE(s.equals("ab"));
    EXPECT_FALSE(s.equals("abcd"));
    EXPECT_FALSE(s.equals(nullptr));
    EXPECT_TRUE(Utf8String().equals(nullptr));
    EXPECT_TRUE(Utf8String().equals(""));
}

}  // namespace
}  // namespace versotime
