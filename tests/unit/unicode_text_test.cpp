// Well-formed UTF-8 and the conversions that replace instead of stopping.
#include <gtest/gtest.h>

#include <string>

#include "host/unicode_text.h"
#include "host/utf8_string.h"
#include "tests/unit/text_test_support.h"

namespace versotime {
namespace {

using test::convert_guarded;
using test::hex;
using test::hex16;

TEST(Utf8CharacterLength, AcceptsWellFormedCharacters) {
    const struct {
        std::string bytes;
        unsigned length;
        std::uint32_t value;
    } cases[] = {
        {std::string("\0", 1), 1, 0},
        {"A", 1, 0x41},
        {"\x7F", 1, 0x7F},
        {"\xC2\x80", 2, 0x80},
        {"\xC3\xA9", 2, 0xE9},
        {"\xDF\xBF", 2, 0x7FF},
        {"\xE0\xA0\x80", 3, 0x800},
        {"\xE6\x97\xA5", 3, 0x65E5},
        {"\xED\x9F\xBF", 3, 0xD7FF},
        {"\xEE\x80\x80", 3, 0xE000},
        {"\xEF\xBF\xBD", 3, 0xFFFD},
        {"\xEF\xBF\xBF", 3, 0xFFFF},
        {"\xF0\x90\x80\x80", 4, 0x10000},
        {"\xF0\x9F\x98\x80", 4, 0x1F600},
        {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
        {"\xC3\xA9" "tail", 2, 0xE9},  // only the first character counts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(hex(c.bytes));
        std::uint32_t value = 12345;
        EXPECT_EQ(utf8_character_length(c.bytes.data(), c.bytes.size(), &value), c.length);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(utf8_character_length(c.bytes.data(), c.bytes.size()), c.length);
    }
}

TEST(Utf8CharacterLength, RejectsMalformedInput) {
    const struct {
        const char* name;
        std::string bytes;
        std::size_t available;
    } cases[] = {
        {"continuation byte alone", "\x80", 1},
        {"last continuation byte alone", "\xBF", 1},
        {"overlong two-byte C0", "\xC0\x80", 2},
        {"overlong two-byte C1", "\xC1\xBF", 2},
        {"overlong three-byte", "\xE0\x80\x80", 3},
        {"overlong three-byte, top", "\xE0\x9F\xBF", 3},
        {"surrogate D800", "\xED\xA0\x80", 3},
        {"surrogate DFFF", "\xED\xBF\xBF", 3},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF", 4},
        {"past U+10FFFF", "\xF4\x90\x80\x80", 4},
        {"lead F5", "\xF5\x80\x80\x80", 4},
        {"five-byte form", "\xF8\x88\x80\x80\x80", 5},
        {"six-byte form", "\xFC\x84\x80\x80\x80\x80", 6},
        {"FE", "\xFE", 1},
        {"FF", "\xFF", 1},
        {"two-byte cut short", "\xC3", 1},
        {"three-byte cut short by the bound", "\xE6\x97\xA5", 2},
        {"four-byte cut short by the bound", "\xF0\x9F\x98\x80", 3},
        {"ASCII where a continuation belongs", "\xE6\x41\xA5", 3},
        {"NUL where a continuation belongs", std::string("\xC3\0", 2), 2},
        {"lead where a continuation belongs", "\xE6\xE6\x97\xA5", 4},
        {"nothing available", "A", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::uint32_t value = 12345;
        EXPECT_EQ(utf8_character_length(c.bytes.data(), c.available, &value), 0u);
        EXPECT_EQ(value, 0u);
    }
    EXPECT_EQ(utf8_character_length(nullptr, 4), 0u);
}

TEST(IsValidUtf8, WholeTexts) {
    const struct {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"plain [00:01.00] text\r\n", true},
        {std::string("nul\0inside", 10), true},
        {"caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80", true},
        {"caf\xE9", false},
        {"\xEF\xBB\xBF" "marked", true},
        {"ends cut \xE6\x97", false},
        {"\xED\xA0\x80\xED\xB0\x80", false},  // a surrogate pair in UTF-8 form
        {"ok \xC3\xA9 then \xFF", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(hex(c.bytes));
        EXPECT_EQ(is_valid_utf8(c.bytes.data(), c.bytes.size()), c.valid);
    }
}

TEST(ConvertUtf8ToUtf16Replacing, ReplacesEachBadByteAndGoesOn) {
    const struct {
        std::string utf8;
        std::u16string utf16;
        std::uint32_t max;
    } cases[] = {
        {"", u"", whole_text},
        {"ab", u"ab", whole_text},
        {"caf\xC3\xA9", u"caf\u00E9", whole_text},
        {"\xE6\x97\xA5\xE6\x9C\xAC", u"\u65E5\u672C", whole_text},
        {"\xF0\x9F\x98\x80!", u"\U0001F600!", whole_text},
        {"ab\xFF" "cd", u"ab\uFFFDcd", whole_text},
        {"\xFF" "first", u"\uFFFDfirst", whole_text},
        {"caf\xE9 au lait", u"caf\uFFFD au lait", whole_text},
        {"cut \xE6\x97", u"cut \uFFFD\uFFFD", whole_text},
        {"\xED\xA0\x80" "x", u"\uFFFD\uFFFD\uFFFDx", whole_text},
        {"\xC0\x80", u"\uFFFD\uFFFD", whole_text},
        {"\xE6\x97\xA5" "z", u"\uFFFD\uFFFD", 2},  // the bound cuts the character
        {"ab\xE6\x97\xA5", u"ab\u65E5", 5},
        {std::string("stop\0here", 9), u"stop", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(hex(c.utf8) + " max " + std::to_string(c.max));
        const std::uint32_t n = bounded_length(c.utf8.c_str(), c.max);
        const std::u16string out = convert_guarded<char16_t>(n + 1, [&](char16_t* d) {
            return convert_utf8_to_utf16_replacing(c.utf8.c_str(), d, c.max);
        });
        EXPECT_EQ(hex16(out), hex16(c.utf16));
    }
}

TEST(ConvertUtf16ToUtf8Replacing, ReplacesUnpairedSurrogates) {
    const struct {
        std::u16string utf16;
        std::string utf8;
        std::uint32_t max;
    } cases[] = {
        {u"", "", whole_text},
        {u"caf\u00E9", "caf\xC3\xA9", whole_text},
        {u"\u65E5\u672C", "\xE6\x97\xA5\xE6\x9C\xAC", whole_text},
        {u"\U0001F600", "\xF0\x9F\x98\x80", whole_text},
        {u"\U0010FFFF", "\xF4\x8F\xBF\xBF", whole_text},
        {std::u16string(1, u'\xD800') + u"a", "\xEF\xBF\xBD" "a", whole_text},
        {std::u16string(1, u'\xDC00') + u"a", "\xEF\xBF\xBD" "a", whole_text},
        {std::u16string(2, u'\xDBFF'), "\xEF\xBF\xBD\xEF\xBF\xBD", whole_text},
        {std::u16string(1, u'\xDC00') + std::u16string(1, u'\xD800'), "\xEF\xBF\xBD\xEF\xBF\xBD", whole_text},
        {u"a\U0001F600", "a\xEF\xBF\xBD", 2},  // the bound cuts the pair
        {u"abc", "ab", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(hex16(c.utf16) + " max " + std::to_string(c.max));
        const std::uint32_t n = bounded_length16(c.utf16.c_str(), c.max);
        const std::string out = convert_guarded<char>(3 * n + 1, [&](char* d) {
            return convert_utf16_to_utf8_replacing(c.utf16.c_str(), d, c.max);
        });
        EXPECT_EQ(hex(out), hex(c.utf8));
    }
}

}  // namespace
}  // namespace versotime
