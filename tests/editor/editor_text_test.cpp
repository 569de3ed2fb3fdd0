// Display cuts of the editor: the caption's and the lyric list's byte limits
// never leave half of a double-byte character behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "editor/system_text.h"
#include "host/unicode_text.h"
#include "host/utf8_string.h"

namespace versotime {
namespace {

bool double_byte_code_page() { return GetACP() == 936; }

// "中" and "文" in UTF-8.
const std::string zhong = "\xE4\xB8\xAD";
const std::string wen = "\xE6\x96\x87";

std::string repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

TEST(WholeCharacterPrefix, SingleByteTextIsCutExactly) {
    const char* text = "abcdef";
    struct Case {
        std::uint32_t max;
        std::uint32_t expected;
    } cases[] = {{0, 0}, {1, 1}, {5, 5}, {6, 6}, {100, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.max);
        EXPECT_EQ(c.expected, whole_character_prefix(text, 6, c.max));
    }
}

TEST(WholeCharacterPrefix, DropsACharacterTheCutWouldSplit) {
    if (!double_byte_code_page()) GTEST_SKIP() << "needs code page 936";
    // a 中 文 b in GBK: 61 D6D0 CEC4 62
    const char text[] = "a\xD6\xD0\xCE\xC4" "b";
    struct Case {
        std::uint32_t max;
        std::uint32_t expected;
    } cases[] = {{1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 5}, {6, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.max);
        EXPECT_EQ(c.expected, whole_character_prefix(text, 6, c.max));
    }
}

TEST(SystemText, CutKeepsWholeCharacters) {
    SystemText text((repeat("x", 1) + repeat(zhong, 70)).c_str());
    const std::uint32_t length = text.cut(126);
    if (double_byte_code_page()) {
        EXPECT_EQ(125u, length);  // x and 62 characters of two bytes
    } else {
        EXPECT_EQ(71u, length);  // not representable: one byte each
    }
    EXPECT_EQ(length, std::string(text.c_str()).size());
}

TEST(SystemText, NullIsEmpty) {
    SystemText text(nullptr);
    EXPECT_STREQ("", text.c_str());
    EXPECT_EQ(0u, text.cut(10));
}

TEST(ListEntry, LongLinesEndInDotsAndShortOnesStayWhole) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"256 bytes: whole up to 255", repeat("a", 256), repeat("a", 255)},
        {"257 bytes: 253 and dots", repeat("a", 257), repeat("a", 253) + "..."},
        {"600 bytes", repeat("b", 600), repeat("b", 253) + "..."},
        {"short", "hello", "hello"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SystemText shown(c.utf8.c_str());
        make_entry_text(static_cast<std::uint32_t>(c.utf8.size()), shown);
        EXPECT_EQ(c.expected, std::string(shown.c_str()));
    }
}

TEST(ListEntry, DoubleByteLinesAreCutOnCharacters) {
    if (!double_byte_code_page()) GTEST_SKIP() << "needs code page 936";
    struct Case {
        const char* name;
        std::string utf8;
        std::uint32_t expected_bytes;  // before the dots
        bool dots;
    } cases[] = {
        // 90 characters: 270 UTF-8 bytes but 180 GBK bytes, shown whole.
        {"converted shorter than 253", repeat(zhong, 90), 180, false},
        // x + 130 characters: the cut at 253 falls after a whole character.
        {"cut on a boundary", "x" + repeat(wen, 130), 253, true},
        // xy + 130 characters: byte 253 would split one; 252 bytes are kept.
        {"cut inside a character", "xy" + repeat(wen, 130), 252, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SystemText shown(c.utf8.c_str());
        make_entry_text(static_cast<std::uint32_t>(c.utf8.size()), shown);
        const std::string result(shown.c_str());
        ASSERT_EQ(c.expected_bytes + (c.dots ? 3 : 0), result.size());
        if (c.dots) {
            EXPECT_EQ("...", result.substr(c.expected_bytes));
        }
        EXPECT_EQ(c.expected_bytes, whole_character_prefix(result.c_str(), static_cast<std::uint32_t>(result.size()), c.expected_bytes));
    }
}

// What the wide calls would show, back in UTF-8.
std::string utf8_of(const WideText& text) {
    const std::u16string units(reinterpret_cast<const char16_t*>(text.c_str()));
    std::string bytes(units.size() * 3 + 1, '\0');
    bytes.resize(convert_utf16_to_utf8_replacing(units.c_str(), &bytes[0], static_cast<std::uint32_t>(units.size())));
    return bytes;
}

const std::string ri = "\xE6\x97\xA5";           // 日, in 936 but not 1252
const std::string han = "\xED\x95\x9C";          // 한, in neither
const std::string grin = "\xF0\x9F\x98\x80";    // 😀, in neither

TEST(WholeUtf8Prefix, NeverSplitsACharacter) {
    struct Case {
        std::string text;
        std::uint32_t max;
        std::uint32_t expected;
    } cases[] = {
        {"abc", 2, 2},       {"abc", 9, 3},         {"a" + han, 3, 1},      {"a" + han, 4, 4},
        {grin + "b", 3, 0},  {grin + "b", 4, 4},    {"a\xE9\xE9", 2, 2},     // invalid bytes are one each
        {"a\xE6\x97", 2, 2}, {"", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " max " + std::to_string(c.max));
        EXPECT_EQ(c.expected, whole_utf8_prefix(c.text.data(), static_cast<std::uint32_t>(c.text.size()), c.max));
    }
}

TEST(ListEntry, WideEntriesShowEveryCharacter) {
    const bool gbk = double_byte_code_page();
    struct Case {
        const char* name;
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"ASCII keeps the byte rule", repeat("a", 257), repeat("a", 253) + "..."},
        // 100 kanji: 200 bytes of GBK, shown whole in 936; cut on UTF-8 in 1252.
        {"kanji", repeat(ri, 100), gbk ? repeat(ri, 100) : repeat(ri, 84) + "..."},
        {"Hangul: 253 UTF-8 bytes end inside the 85th", repeat(han, 100), repeat(han, 84) + "..."},
        {"256 bytes of Hangul and ASCII: up to 255", "a" + repeat(han, 85), "a" + repeat(han, 84)},
        {"emoji", repeat(grin, 70), repeat(grin, 63) + "..."},
        {"short and mixed", "Caf\xC3\xA9 " + ri + han + grin, "Caf\xC3\xA9 " + ri + han + grin},
        {"an invalid byte shows as U+FFFD", "caf\xE9 au lait", "caf\xEF\xBF\xBD au lait"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WideText shown;
        ASSERT_TRUE(make_entry_wide(c.utf8.data(), static_cast<std::uint32_t>(c.utf8.size()), shown));
        EXPECT_EQ(c.expected, utf8_of(shown));
    }
}

TEST(ListEntry, CodePageTextIsCutWhereTheNarrowEntryIs) {
    if (!double_byte_code_page()) GTEST_SKIP() << "needs code page 936";
    const std::string line = "xy" + repeat(wen, 130);
    WideText shown;
    ASSERT_TRUE(make_entry_wide(line.data(), static_cast<std::uint32_t>(line.size()), shown));
    EXPECT_EQ("xy" + repeat(wen, 125) + "...", utf8_of(shown));
    const std::string kanji = repeat(ri, 130);
    ASSERT_TRUE(make_entry_wide(kanji.data(), static_cast<std::uint32_t>(kanji.size()), shown));
    EXPECT_EQ(repeat(ri, 126) + "...", utf8_of(shown));
}

TEST(ShownText, CaptionCutKeepsWholeCharacters) {
    const bool gbk = double_byte_code_page();
    struct Case {
        const char* name;
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"ASCII", repeat("t", 130), repeat("t", 126)},
        // 936 holds kanji: 63 of two bytes; 1252 does not: 42 of three.
        {"kanji", repeat(ri, 50), gbk ? repeat(ri, 50) : repeat(ri, 42)},
        {"Hangul", repeat(han, 50), repeat(han, 42)},
        {"x and emoji", "x" + repeat(grin, 40), "x" + repeat(grin, 31)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Utf8String out;
        ASSERT_TRUE(cut_shown_text(c.utf8.data(), static_cast<std::uint32_t>(c.utf8.size()), 126, out));
        EXPECT_EQ(c.expected, std::string(out.c_str(), out.length()));
    }
}

TEST(ShownText, CodePageTextIsKnownByRoundTrip) {
    const bool gbk = double_byte_code_page();
    struct Case {
        std::string utf8;
        bool held;
    } cases[] = {
        {"plain", true}, {"", true}, {ri, gbk}, {"caf\xC3\xA9", true}, {han, false}, {grin, false}, {"caf\xE9", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(c.held, is_code_page_text(c.utf8.data(), static_cast<std::uint32_t>(c.utf8.size())));
    }
}

}  // namespace
}  // namespace versotime
