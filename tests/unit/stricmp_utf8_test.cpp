#include <gtest/gtest.h>

#include "host/stricmp_utf8.h"

namespace {

struct Case {
    const char* a;
    const char* b;
    int sign;  // expected sign of the result
};

int sign_of(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

TEST(StricmpUtf8Portable, FoldsCaseAndOrders) {
    const Case cases[] = {
        {"", "", 0},
        {"LYRIC", "lyric", 0},
        {"LyricFileName", "LYRICFILENAME", 0},
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", 0},         // été / ÉTÉ
        {"\xC3\xBF", "\xC5\xB8", 0},                           // ÿ / Ÿ
        {"\xC5\x82\xC3\xB3" "d\xC5\xBA", "\xC5\x81\xC3\x93" "D\xC5\xB9", 0},  // łódź / ŁÓDŹ
        {"\xCE\xB1\xCF\x82", "\xCE\x91\xCE\xA3", 0},           // ας / ΑΣ
        {"\xD0\xBF\xD1\x91", "\xD0\x9F\xD0\x81", 0},           // пё / ПЁ
        {"\xE6\xAD\x8C", "\xE6\xAD\x8C", 0},                   // 歌
        {"abc", "abd", -1},
        {"abd", "ABC", 1},
        {"ab", "abc", -1},
        {"abc", "AB", 1},
        {"\xC3\xB7", "\xC3\x97", 1},                           // ÷ is not a lower-case ×
        {"\xFF", "\xFF", 0},                                   // invalid bytes compare as themselves
        {"\xFE", "\xFF", -1},
        {"\xFF", "\xE6\xAD\x8C", 1},
        {"a\xC3", "A\xC3", 0},                                 // truncated sequence
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " | " + c.b);
        EXPECT_EQ(sign_of(stricmp_utf8(c.a, c.b)), c.sign);
        EXPECT_EQ(sign_of(stricmp_utf8(c.b, c.a)), -c.sign);
    }
}

TEST(StricmpUtf8Portable, NullIsEmpty) {
    EXPECT_EQ(stricmp_utf8(nullptr, nullptr), 0);
    EXPECT_EQ(stricmp_utf8(nullptr, ""), 0);
    EXPECT_LT(stricmp_utf8(nullptr, "a"), 0);
    EXPECT_GT(stricmp_utf8("a", nullptr), 0);
}

}  // namespace
