// Character codecs and the string converters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/text_convert.h"
#include "host/utf8_string.h"
#include "tests/unit/text_test_support.h"

namespace versotime {
namespace {

using test::convert_guarded;
using test::hex;
using test::hex16;

struct DecodeCase {
    std::string bytes;
    std::uint32_t max;
    unsigned used;
    std::uint32_t value;
};

TEST(Utf8Codec, DecodeSequence) {
    const DecodeCase cases[] = {
        {"A", 6, 1, 0x41},
        {std::string(1, '\0'), 6, 0, 0},
        {"A", 0, 0, 0},
        {"\xC3\xA9", 6, 2, 0xE9},
        {"\xC3\xA9", 100, 2, 0xE9},  // a max above 6 counts as 6
        {"\xC3\xA9", 1, 0, 0},
        {"\xC2\x80", 2, 2, 0x80},
        {"\xC0\x80", 6, 0, 0},  // overlong NUL
        {"\xC1\xBF", 6, 0, 0},
        {"\xE0\x80\x80", 6, 0, 0},
        {"\xE0\x80\xBF", 6, 3, 0x3F},  // only the third byte is checked
        {"\xE4\xB8\xAD", 3, 3, 0x4E2D},
        {"\xE4\xB8\xAD", 2, 0, 0},  // longer than max
        {std::string("\xE4\xB8\0", 3), 6, 0, 0},
        {"\xE4\x41\xAD", 6, 0, 0},
        {"\xED\xA0\x80", 6, 3, 0xD800},  // surrogates pass
        {"\xF0\x90\x80\x80", 6, 4, 0x10000},
        {"\xF4\x8F\xBF\xBF", 6, 4, 0x10FFFF},
        {"\xF0\x80\x80\x80", 6, 0, 0},
        {"\xF8\x88\x80\x80\x80", 6, 5, 0x200000},
        {"\xF8\x88\x80\x80\x80", 4, 0, 0},
        {"\xFC\x84\x80\x80\x80\x80", 6, 6, 0x4000000},
        {"\xFD\xBF\xBF\xBF\xBF\xBF", 6, 6, 0x7FFFFFFF},
        {"\x80", 6, 0, 0},
        {"\xBF", 6, 0, 0},
        {"\xFE\x80\x80\x80\x80\x80\x80", 6, 0, 0},
        {"\xFF", 6, 0, 0},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(hex(c.bytes) + " max " + std::to_string(c.max));
        std::uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(decode_utf8_sequence(c.bytes.c_str(), &value, c.max), c.used);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(decode_utf8_sequence(c.bytes.c_str(), nullptr, c.max), c.used);
    }
}

TEST(Utf8Codec, EncodeSequenceAtEveryLengthBoundary) {
    struct Case {
        std::uint32_t value;
        std::string bytes;
    };
    const Case cases[] = {
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x1FFFFF, "\xF7\xBF\xBF\xBF"},
        {0x200000, "\xF8\x88\x80\x80\x80"},
        {0x3FFFFFF, "\xFB\xBF\xBF\xBF\xBF"},
        {0x4000000, "\xFC\x84\x80\x80\x80\x80"},
        {0x7FFFFFFF, "\xFD\xBF\xBF\xBF\xBF\xBF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        char out[8] = {};
        const unsigned n = encode_utf8_sequence(c.value, out);
        EXPECT_EQ(std::string(out, n), c.bytes);
        EXPECT_EQ(encode_utf8_sequence(c.value, nullptr), n);
        std::uint32_t back = 0;
        EXPECT_EQ(decode_utf8_sequence(out, &back, 6), n);
        EXPECT_EQ(back, c.value);
    }
    char out[8] = {};
    EXPECT_EQ(encode_utf8_sequence(0, out), 1u);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(encode_utf8_sequence(0x80000000u, out), 0u);
    EXPECT_EQ(encode_utf8_sequence(0xFFFFFFFFu, nullptr), 0u);
}

TEST(Utf16Codec, EncodeUnits) {
    struct Case {
        std::uint32_t value;
        std::u16string units;
    };
    const Case cases[] = {
        {0, u""},
        {0x41, u"A"},
        {0xD800, std::u16string(1, char16_t(0xD800))},  // written unchanged
        {0xFFFF, std::u16string(1, char16_t(0xFFFF))},
        {0x10000, {char16_t(0xD800), char16_t(0xDC00)}},
        {0x10FFFF, {char16_t(0xDBFF), char16_t(0xDFFF)}},
        {0x110000, u""},
        {0x7FFFFFFF, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        char16_t out[2] = {0x1111, 0x1111};
        const unsigned n = encode_utf16_units(c.value, out);
        EXPECT_EQ(hex16(std::u16string(out, n)), hex16(c.units));
        EXPECT_EQ(encode_utf16_units(c.value, nullptr), n);
    }
}

TEST(Utf16Codec, DecodeUnits) {
    struct Case {
        std::u16string units;
        unsigned used;
        std::uint32_t value;
    };
    const Case cases[] = {
        {std::u16string(1, 0), 0, 0},
        {u"A", 1, 0x41},
        {{char16_t(0xD800), char16_t(0xDC00)}, 2, 0x10000},
        {{char16_t(0xDBFF), char16_t(0xDFFF)}, 2, 0x10FFFF},
        {{char16_t(0xD83D), char16_t(0xDE00)}, 2, 0x1F600},
        {{char16_t(0xD800), u'A'}, 1, 0xD800},
        {{char16_t(0xD800), char16_t(0)}, 1, 0xD800},
        {{char16_t(0xDC00), char16_t(0xD800)}, 1, 0xDC00},
        {{char16_t(0xD800), char16_t(0xD800)}, 1, 0xD800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(hex16(c.units));
        std::u16string terminated = c.units + char16_t(0);
        std::uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(decode_utf16_units(terminated.c_str(), &value), c.used);
        EXPECT_EQ(value, c.value);
    }
}

struct Utf8To16Case {
    std::string source;
    std::uint32_t max;
    std::u16string expected;
};

TEST(Converters, Utf8ToUtf16) {
    const Utf8To16Case cases[] = {
        {"", whole_text, u""},
        {"abc", whole_text, u"abc"},
        {"abc", 2, u"ab"},
        {"abc", 0, u""},
        {"ab\xFF" "cd", whole_text, u"ab"},  // ends at the last good character
        {"a\xE4\xB8\xAD" "b", whole_text, u"a\u4E2Db"},
        {"\xE4\xB8\xAD", 2, u""},  // the bound cuts the sequence
        {"\xC3\xA9\xE4\xB8\xAD", 4, u"\u00E9"},
        {"\xF0\x9F\x98\x80", whole_text, {char16_t(0xD83D), char16_t(0xDE00)}},
        {"\xF4\x8F\xBF\xBF", whole_text, {char16_t(0xDBFF), char16_t(0xDFFF)}},
        {"x\xF8\x88\x80\x80\x80y", whole_text, u"x"},  // five bytes: no UTF-16 form
        {"x\xFD\xBF\xBF\xBF\xBF\xBFy", whole_text, u"x"},
        {"\xED\xA0\x80", whole_text, std::u16string(1, char16_t(0xD800))},
        {"\xC0\x80z", whole_text, u""},
    };
    for (const Utf8To16Case& c : cases) {
        SCOPED_TRACE(hex(c.source) + " max " + std::to_string(c.max));
        const std::uint32_t n = bounded_length(c.source.c_str(), c.max);
        const std::u16string out = convert_guarded<char16_t>(n + 1, [&](char16_t* d) {
            return convert_utf8_to_utf16(c.source.c_str(), d, c.max);
        });
        EXPECT_EQ(hex16(out), hex16(c.expected));
    }
}

struct Utf16To8Case {
    std::u16string source;
    std::uint32_t max;
    std::string expected;
};

TEST(Converters, Utf16ToUtf8) {
    const char16_t emoji[] = {0xD83D, 0xDE00, 0};
    const Utf16To8Case cases[] = {
        {u"", whole_text, ""},
        {u"abc", 2, "ab"},
        {u"a\u00E9\u4E2D", whole_text, "a\xC3\xA9\xE4\xB8\xAD"},
        {u"\u4E2D\u6587\uFFFF", whole_text, "\xE4\xB8\xAD\xE6\x96\x87\xEF\xBF\xBF"},  // 3 per unit
        {emoji, whole_text, "\xF0\x9F\x98\x80"},
        {emoji, 2, "\xF0\x9F\x98\x80"},
        {emoji, 1, ""},  // the bound splits the pair
        {u"a" + std::u16string(emoji), 2, "a"},
        {{char16_t(0xD800), u'A'}, whole_text, "\xED\xA0\x80" "A"},
        {std::u16string(1, char16_t(0xDC00)), whole_text, "\xED\xB0\x80"},
        {u"abc", 0, ""},
    };
    for (const Utf16To8Case& c : cases) {
        SCOPED_TRACE(hex16(c.source) + " max " + std::to_string(c.max));
        const std::uint32_t n = bounded_length16(c.source.c_str(), c.max);
        const std::string out = convert_guarded<char>(3 * n + 1, [&](char* d) {
            return convert_utf16_to_utf8(c.source.c_str(), d, c.max);
        });
        EXPECT_EQ(hex(out), hex(c.expected));
    }
}

TEST(Converters, NullSourcesGiveEmptyText) {
    char out[4] = {'x', 'x', 'x', 'x'};
    char16_t out16[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(convert_utf8_to_utf16(nullptr, out16, whole_text), 0u);
    EXPECT_EQ(out16[0], 0);
    EXPECT_EQ(convert_utf16_to_utf8(nullptr, out, whole_text), 0u);
    EXPECT_EQ(out[0], 0);
    out[0] = 'x';
    EXPECT_EQ(convert_utf8_to_system(nullptr, out, whole_text), 0u);
    EXPECT_EQ(out[0], 0);
    out[0] = 'x';
    EXPECT_EQ(convert_system_to_utf8(nullptr, out, whole_text), 0u);
    EXPECT_EQ(out[0], 0);
}

// ASCII is the same in every system code page; the long texts take the heap
// scratch path (above 4096 bytes of UTF-16) and the short ones the stack.
TEST(Converters, AsciiThroughTheSystemCodePageAtEveryScratchSize) {
    for (std::uint32_t length : {1u, 1365u, 1366u, 2046u, 2047u, 2048u, 2049u, 5000u, 70000u}) {
        SCOPED_TRACE(length);
        std::string text;
        for (std::uint32_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
        const std::string system = convert_guarded<char>(length + 1, [&](char* d) {
            return convert_utf8_to_system(text.c_str(), d, whole_text);
        });
        EXPECT_EQ(system, text);
        const std::string back = convert_guarded<char>(3 * length + 1, [&](char* d) {
            return convert_system_to_utf8(text.c_str(), d, whole_text);
        });
        EXPECT_EQ(back, text);
        Utf8String appended("<");
        EXPECT_TRUE(appended.append_system_text(text.c_str()));
        EXPECT_EQ(std::string(appended.c_str()), "<" + text);
    }
}

// The paths that save or copy must not lose text after an invalid byte:
// each byte that starts or continues no valid sequence becomes one "?".
TEST(Converters, ReplacingConversionKeepsEverythingAfterAnInvalidByte) {
    // What the active code page makes of "é", so the table holds in 1252 and 936.
    const std::string e = convert_guarded<char>(3, [](char* d) { return convert_utf8_to_system("\xC3\xA9", d, 2); });
    struct Case {
        std::string utf8;
        std::string system;
    };
    const Case cases[] = {
        {"caf\xE9\r\nnext line\r\n", "caf?\r\nnext line\r\n"},
        {"\xE9" "abc", "?abc"},
        {"a\x80\x80" "b", "a??b"},
        {"ab\xE4\xB8", "ab??"},                     // cut short at the end
        {"\xED\xA0\x80x", "???x"},                  // an encoded surrogate
        {std::string("a\0b", 3), "a?b"},             // a NUL does not end it
        {"\xC0\x80", "??"},                          // overlong
        {"\xF8\x88\x80\x80\x80", "?????"},            // beyond U+10FFFF
        {"\xC3\xA9\xFF\xC3\xA9", e + "?" + e},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(hex(c.utf8));
        const auto length = static_cast<std::uint32_t>(c.utf8.size());
        bool ok = false;
        const std::string out = convert_guarded<char>(length + 1, [&](char* d) {
            std::uint32_t written = 0xDEAD;
            ok = convert_utf8_to_system_replacing(c.utf8.data(), length, d, &written);
            return written;
        });
        EXPECT_TRUE(ok);
        EXPECT_EQ(hex(out), hex(c.system));
    }
}

TEST(Converters, ReplacingConversionOfLongMixedText) {
    std::string text;
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        text += "ab\xFF";
        expected += "ab?";
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    const std::string out = convert_guarded<char>(length + 1, [&](char* d) {
        std::uint32_t written = 0;
        EXPECT_TRUE(convert_utf8_to_system_replacing(text.data(), length, d, &written));
        return written;
    });
    EXPECT_EQ(out, expected);
}

TEST(Converters, PiecesNeverSplitAValidSequence) {
    struct Case {
        std::string text;
        std::uint32_t max;
        std::uint32_t piece;
    };
    const Case cases[] = {
        {"abc", 8, 3},
        {"abc\xE4\xB8\xAD", 4, 3},                // the cut falls after the lead byte
        {"abc\xE4\xB8\xAD", 5, 3},
        {"abc\xE4\xB8\xAD" "d", 6, 6},
        {"a\xF0\x9F\x8E\xB5" "b", 4, 1},          // inside a four-byte emoji
        {std::string(10, '\x80'), 5, 5},           // invalid bytes may be split anywhere
        {"\xE9\x80\x80\x80\x80\x80", 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(hex(c.text) + " max " + std::to_string(c.max));
        EXPECT_EQ(utf8_piece_length(c.text.data(), static_cast<std::uint32_t>(c.text.size()), c.max), c.piece);
    }
}

}  // namespace
}  // namespace versotime
