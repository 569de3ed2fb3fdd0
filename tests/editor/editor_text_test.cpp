// Display cuts of the editor: the caption's and the lyric list's byte limits
// never leave half of a double-byte character behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "editor/system_text.h"

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

}  // namespace
}  // namespace versotime
