// Conversions through the system code page. Natively each code page is chosen
// in turn; under Wine the process runs in one code page, chosen by LC_ALL, and
// the test runs once per code page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/system_code_page.h"
#include "host/text_convert.h"
#include "host/utf8_string.h"
#include "tests/unit/text_test_support.h"

namespace versotime {
namespace {

using test::convert_guarded;
using test::hex;

enum class Direction { both, to_system, to_utf8 };

struct CodePageCase {
    std::string utf8;
    std::string system;
    Direction direction;
    std::uint32_t max = whole_text;  // bound on the source of the direction
};

std::vector<CodePageCase> cases_for(unsigned code_page) {
    using D = Direction;
    if (code_page == 1252) {
        return {
            {"", "", D::both},
            {"abc", "abc", D::both},
            {"\xC3\xA9", "\xE9", D::both},
            {"\xE2\x82\xAC", "\x80", D::both},
            {"\xC3\xBF", "\xFF", D::both},
            {"\xE2\x80\x9Cx\xE2\x80\x9D", "\x93x\x94", D::both},
            // The five bytes 1252 leaves undefined stand for their own values.
            {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x81\x8D\x8F\x90\x9D", D::both},
            {"\xE4\xB8\xAD\xE6\x96\x87", "??", D::to_system},
            {"\xE0\xB8\x81" "a", "?a", D::to_system},
            // Windows' best-fit substitutes.
            {"\xC4\x80\xC4\x81\xE2\x88\x9E", "Aa8", D::to_system},
            {"\xF0\x9F\x98\x80", "??", D::to_system},  // one '?' per unit
            {"\xED\xA0\x80" "A", "?A", D::to_system},
            {"a\xFF" "b", "a", D::to_system},
            {"\xC3\xA9\xE4\xB8\xAD", "\xE9", D::to_system, 3},
            {"\xC3\xA9", "\xE9\xE8", D::to_utf8, 1},
        };
    }
    if (code_page == 936) {
        return {
            {"", "", D::both},
            {"abc", "abc", D::both},
            {"\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4", D::both},
            {"a\xE4\xB8\xAD" "b", "a\xD6\xD0" "b", D::both},
            {"\xC3\xA9", "\xA8\xA6", D::both},
            {"\xE2\x82\xAC", "\x80", D::both},
            {"\xC2\xB7\xE2\x80\x94", "\xA1\xA4\xA1\xAA", D::both},
            // GBK cells without a character are private-use characters.
            {"\xEE\x80\x80\xEE\x96\x85\xEE\xA0\x95", "\xAA\xA1\xA2\xA0\xFE\x50", D::both},
            {"\xEF\xA3\xB5", "\xFF", D::both},
            {"\xC3\x80", "\xA8\xA4", D::to_system},  // best fit
            {"\xE0\xB8\x81", "?", D::to_system},
            {"\xF0\x9F\x98\x80", "??", D::to_system},
            {"\xC2\x81", "?", D::to_system},
            {"\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0", D::to_system, 5},
            {"?", "\x81\x20", D::to_utf8},  // an invalid pair is one '?'
            {"?A", "\x81\x7F" "A", D::to_utf8},
            {"A?", "A\xD6", D::to_utf8},  // a lead byte at the end
            {"\xE4\xB8\xAD?", "\xD6\xD0\xCE\xC4", D::to_utf8, 3},
        };
    }
    return {};
}

class SystemCodePage : public test::CodePageTest {
protected:
    void SetUp() override {
        CodePageTest::SetUp();
        if (HasFatalFailure()) return;
        cases_ = cases_for(GetParam());
        ASSERT_FALSE(cases_.empty()) << "no cases for code page " << GetParam();
    }

    std::vector<CodePageCase> cases_;
};

TEST_P(SystemCodePage, Utf8ToSystem) {
    for (const CodePageCase& c : cases_) {
        if (c.direction == Direction::to_utf8) continue;
        SCOPED_TRACE(hex(c.utf8) + " max " + std::to_string(c.max));
        const std::uint32_t n = bounded_length(c.utf8.c_str(), c.max);
        const std::string out = convert_guarded<char>(n + 1, [&](char* d) {
            return convert_utf8_to_system(c.utf8.c_str(), d, c.max);
        });
        EXPECT_EQ(hex(out), hex(c.system));
    }
}

TEST_P(SystemCodePage, SystemToUtf8) {
    for (const CodePageCase& c : cases_) {
        if (c.direction == Direction::to_system) continue;
        SCOPED_TRACE(hex(c.system) + " max " + std::to_string(c.max));
        const std::uint32_t n = bounded_length(c.system.c_str(), c.max);
        const std::string out = convert_guarded<char>(3 * n + 1, [&](char* d) {
            return convert_system_to_utf8(c.system.c_str(), d, c.max);
        });
        EXPECT_EQ(hex(out), hex(c.utf8));

        Utf8String appended("<");
        EXPECT_TRUE(appended.append_system_text(c.system.c_str(), c.max));
        EXPECT_EQ(hex(appended.c_str()), hex("<" + c.utf8));
        if (c.max == whole_text) {
            Utf8String assigned("previous");
            EXPECT_TRUE(assigned.assign_system_text(c.system.c_str()));
            EXPECT_EQ(hex(assigned.c_str()), hex(c.utf8));
        }
    }
}

TEST_P(SystemCodePage, ThroughUtf16BothWays) {
    for (const CodePageCase& c : cases_) {
        if (c.direction != Direction::both) continue;
        SCOPED_TRACE(hex(c.system));
        const std::uint32_t n = bounded_length(c.system.c_str(), whole_text);
        const std::u16string units = convert_guarded<char16_t>(n + 1, [&](char16_t* d) {
            return convert_system_to_utf16(c.system.c_str(), d, whole_text);
        });
        const std::uint32_t m = static_cast<std::uint32_t>(units.size());
        const std::string back = convert_guarded<char>(2 * m + 1, [&](char* d) {
            return convert_utf16_to_system(units.c_str(), d, whole_text);
        });
        EXPECT_EQ(hex(back), hex(c.system));
    }
}

INSTANTIATE_TEST_SUITE_P(CodePages, SystemCodePage, ::testing::ValuesIn(test::code_pages_under_test()),
                         [](const ::testing::TestParamInfo<unsigned>& param_info) {
                             return "cp" + std::to_string(param_info.param);
                         });

#ifdef _WIN32
// The test is registered once per locale; each run must really be in the code
// page its locale names, or one of them tests nothing new.
TEST(SystemCodePageUnderWine, FollowsTheLocale) {
    const char* locale = std::getenv("LC_ALL");
    ASSERT_NE(locale, nullptr) << "LC_ALL is not set";
    if (std::strncmp(locale, "zh_CN", 5) == 0) {
        EXPECT_EQ(system_code_page(), 936u);
    } else if (std::strncmp(locale, "en_US", 5) == 0) {
        EXPECT_EQ(system_code_page(), 1252u);
    } else {
        ADD_FAILURE() << "no expected code page for LC_ALL=" << locale;
    }
}
#else
TEST(SystemCodePageNative, RefusesUnknownCodePages) {
    EXPECT_FALSE(set_system_code_page(12345));
    EXPECT_EQ(system_code_page(), 1252u);
    ASSERT_TRUE(set_system_code_page(936));
    EXPECT_FALSE(set_system_code_page(0));
    EXPECT_EQ(system_code_page(), 936u);
    set_system_code_page(1252);
}
#endif

}  // namespace
}  // namespace versotime
