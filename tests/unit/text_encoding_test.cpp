// Reading a lyric file's bytes: detection by mark and content, decoding, and
// the text-mode rules on the decoded characters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/system_code_page.h"
#include "host/text_encoding.h"
#include "tests/unit/text_test_support.h"

namespace versotime {
namespace {

using test::hex;
using test::utf16be;
using test::utf16le;

const std::string le_mark = "\xFF\xFE";
const std::string be_mark = "\xFE\xFF";
const std::string utf8_mark = "\xEF\xBB\xBF";

std::string decoded(TextEncoding encoding, std::string bytes, bool* ok = nullptr) {
    Utf8String out("leftover");
    const bool result = decode_text(encoding, bytes.empty() ? nullptr : &bytes[0], bytes.size(), out);
    if (ok) *ok = result;
    EXPECT_TRUE(result || ok);
    return std::string(out.c_str(), out.length());
}

TEST(TextEncodingName, NamesEveryEncoding) {
    EXPECT_STREQ(text_encoding_name(TextEncoding::system_code_page), "system");
    EXPECT_STREQ(text_encoding_name(TextEncoding::utf8), "utf-8");
    EXPECT_STREQ(text_encoding_name(TextEncoding::utf8_with_mark), "utf-8-bom");
    EXPECT_STREQ(text_encoding_name(TextEncoding::utf16le), "utf-16le");
    EXPECT_STREQ(text_encoding_name(TextEncoding::utf16be), "utf-16be");
}

TEST(DetectTextEncoding, MarksThenContent) {
    using E = TextEncoding;
    const struct {
        const char* name;
        std::string bytes;
        E expected;
    } cases[] = {
        {"empty", "", E::system_code_page},
        {"ASCII only", "[00:01.00]plain\r\n", E::system_code_page},
        {"UTF-8 mark", utf8_mark + "[00:01.00]x", E::utf8_with_mark},
        {"UTF-8 mark alone", utf8_mark, E::utf8_with_mark},
        {"UTF-8 mark, invalid after it", utf8_mark + "caf\xE9", E::utf8_with_mark},
        {"UTF-16LE mark", le_mark + utf16le(u"a"), E::utf16le},
        {"UTF-16LE mark alone", le_mark, E::utf16le},
        {"UTF-16BE mark", be_mark + utf16be(u"a"), E::utf16be},
        {"UTF-32LE mark reads as UTF-16LE", std::string("\xFF\xFE\0\0", 4), E::utf16le},
        {"half a UTF-8 mark", "\xEF\xBB", E::system_code_page},
        {"accented UTF-8", "caf\xC3\xA9\r\n", E::utf8},
        {"Japanese UTF-8", "\xE6\x97\xA5\xE6\x9C\xAC", E::utf8},
        {"emoji UTF-8", "\xF0\x9F\x98\x80", E::utf8},
        {"1252 text", "caf\xE9\r\n", E::system_code_page},
        {"GBK text", "\xC4\xE3\xBA\xC3", E::system_code_page},
        {"UTF-8 then one bad byte", "caf\xC3\xA9 \xE9", E::system_code_page},
        {"UTF-8 cut at the end", "caf\xC3\xA9 \xE6\x97", E::system_code_page},
        {"surrogate in UTF-8 form", "\xED\xA0\x80", E::system_code_page},
        {"overlong", "\xC0\xAF", E::system_code_page},
        {"UTF-8 with NUL bytes", std::string("\xC3\xA9\0a", 4), E::utf8},
        {"only what 0x1A leaves is looked at", "\xC3\xA9\x1A\xE9", E::utf8},
        {"multi-byte only after 0x1A", "abc\x1A\xC3\xA9", E::system_code_page},
        {"UTF-16 without mark, ASCII", std::string("a\0b\0", 4), E::system_code_page},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detect_text_encoding(c.bytes.data(), c.bytes.size()), c.expected);
    }
    EXPECT_EQ(detect_text_encoding(nullptr, 0), TextEncoding::system_code_page);
}

TEST(DecodeText, Utf8KeepsItsBytesUnderTheTextModeRules) {
    using E = TextEncoding;
    const struct {
        const char* name;
        E encoding;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"mark dropped", E::utf8_with_mark, utf8_mark + "\xE6\x97\xA5\r\n", "\xE6\x97\xA5\n"},
        {"mark alone", E::utf8_with_mark, utf8_mark, ""},
        {"second mark kept", E::utf8_with_mark, utf8_mark + utf8_mark, utf8_mark},
        {"no mark to drop", E::utf8_with_mark, "caf\xC3\xA9", "caf\xC3\xA9"},
        {"no mark", E::utf8, "caf\xC3\xA9\r\nx", "caf\xC3\xA9\nx"},
        {"a mark is text without the marked encoding", E::utf8, utf8_mark + "a", utf8_mark + "a"},
        {"ends at 1A", E::utf8, "\xC3\xA9\x1A" "after", "\xC3\xA9"},
        {"NUL dropped", E::utf8, std::string("\xC3\xA9\0\xC3\xA9", 5), "\xC3\xA9\xC3\xA9"},
        {"lone CR kept", E::utf8, "a\rb\r", "a\rb\r"},
        {"bad bytes kept as they stand", E::utf8_with_mark, utf8_mark + "caf\xE9 \xFF\r\n", "caf\xE9 \xFF\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hex(decoded(c.encoding, c.bytes)), hex(c.text));
    }
}

TEST(DecodeText, Utf16InBothByteOrders) {
    const struct {
        const char* name;
        std::u16string units;
        std::string text;
    } cases[] = {
        {"empty", u"", ""},
        {"ASCII", u"[00:01.00]a", "[00:01.00]a"},
        {"Japanese, accented, emoji", u"\u65E5\u672C caf\u00E9 \U0001F600", "\xE6\x97\xA5\xE6\x9C\xAC caf\xC3\xA9 \xF0\x9F\x98\x80"},
        {"CR LF joined", u"a\r\nb\r\n", "a\nb\n"},
        {"lone CR kept", u"a\rb\r", "a\rb\r"},
        {"CR CR LF", u"a\r\r\nb", "a\r\nb"},
        {"U+001A ends the text", u"ab\x1A" u"cd", "ab"},
        {"CR before U+001A kept", u"a\r\x1A", "a\r"},
        {"U+0000 dropped", std::u16string(u"a\0b", 3), "ab"},
        {"CR NUL LF is no pair", std::u16string(u"a\r\0\nb", 5), "a\r\nb"},
        {"lone high surrogate", std::u16string(1, u'\xD83D') + u"x", "\xEF\xBF\xBDx"},
        {"lone low surrogate", std::u16string(1, u'\xDE00') + u"x", "\xEF\xBF\xBDx"},
        {"high surrogate last", u"x" + std::u16string(1, u'\xD83D'), "x\xEF\xBF\xBD"},
        {"a second mark is a character", u"\uFEFFa", "\xEF\xBB\xBF" "a"},
        {"private use and U+FFFF", u"\uE000\uFFFF", "\xEE\x80\x80\xEF\xBF\xBF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hex(decoded(TextEncoding::utf16le, le_mark + utf16le(c.units))), hex(c.text));
        EXPECT_EQ(hex(decoded(TextEncoding::utf16be, be_mark + utf16be(c.units))), hex(c.text));
    }
}

TEST(DecodeText, MalformedUtf16) {
    using E = TextEncoding;
    const struct {
        const char* name;
        E encoding;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"odd last byte", E::utf16le, le_mark + "a" + std::string(1, '\0') + "b", "a\xEF\xBF\xBD"},
        {"one byte after the mark", E::utf16be, be_mark + "x", "\xEF\xBF\xBD"},
        {"no mark to drop", E::utf16le, utf16le(u"ab"), "ab"},
        {"half a pair at an odd end", E::utf16le, le_mark + std::string("\x3D\xD8\x00", 3), "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"0x1A byte inside a character is no end", E::utf16le, le_mark + utf16le(u"\u1A1A!"), "\xE1\xA8\x9A!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hex(decoded(c.encoding, c.bytes)), hex(c.text));
    }
}

TEST(DecodeText, EmptyInputGivesEmptyText) {
    for (TextEncoding e : {TextEncoding::system_code_page, TextEncoding::utf8, TextEncoding::utf8_with_mark,
                           TextEncoding::utf16le, TextEncoding::utf16be}) {
        SCOPED_TRACE(text_encoding_name(e));
        Utf8String out("leftover");
        EXPECT_TRUE(decode_text(e, nullptr, 0, out));
        EXPECT_EQ(out.length(), 0u);
    }
}

TEST(DecodeDetectedText, ReportsWhatItDetected) {
    const struct {
        std::string bytes;
        TextEncoding encoding;
        std::string text;
    } cases[] = {
        {utf8_mark + "[00:01.00]\xE6\x97\xA5\r\n", TextEncoding::utf8_with_mark, "[00:01.00]\xE6\x97\xA5\n"},
        {"[00:01.00]\xE6\x97\xA5\r\n", TextEncoding::utf8, "[00:01.00]\xE6\x97\xA5\n"},
        {le_mark + utf16le(u"\u65E5\r\n"), TextEncoding::utf16le, "\xE6\x97\xA5\n"},
        {be_mark + utf16be(u"\u65E5\r\n"), TextEncoding::utf16be, "\xE6\x97\xA5\n"},
        {"plain\r\n", TextEncoding::system_code_page, "plain\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(hex(c.bytes));
        std::string bytes = c.bytes;
        Utf8String out;
        TextEncoding encoding = TextEncoding::utf16be;
        EXPECT_TRUE(decode_detected_text(&bytes[0], bytes.size(), out, encoding));
        EXPECT_EQ(encoding, c.encoding);
        EXPECT_EQ(hex(std::string(out.c_str(), out.length())), hex(c.text));
    }
}

// The code-page path is the conversion lyric files always had: text mode on
// the bytes, then the system code page, whatever the code page.
class DecodeSystemText : public test::CodePageTest {};

std::string as_system_text(std::string bytes) {
    bytes.resize(apply_text_mode(bytes.empty() ? nullptr : &bytes[0], bytes.size()));
    Utf8String expected;
    EXPECT_TRUE(expected.append_system_text(bytes.c_str(), static_cast<std::uint32_t>(bytes.size())));
    return std::string(expected.c_str(), expected.length());
}

TEST_P(DecodeSystemText, MatchesTextModeThenTheCodePage) {
    const std::string words = "[00:01.00]caf\xE9 \xC4\xE3\xBA\xC3 words\r\n";
    const std::string cases[] = {
        "caf\xE9\r\n",
        "\xC4\xE3\xBA\xC3\r\n",
        std::string("a\0b\x1A" "c", 5),
        "\x81\x20 \x80 \xFF",
        [&] { std::string r; while (r.size() < 3 * 1024 * 1024) r += words; return r; }(),
        [&] {
            std::string r = "a\n";
            while (r.size() < 2 * 1024 * 1024 + 7) r += "\xC4\xE3\xBA\xC3";
            return r + "\n";
        }(),
        words + std::string(1536 * 1024, 'x') + words,
    };
    for (const std::string& raw : cases) {
        SCOPED_TRACE(raw.size() < 64 ? hex(raw) : std::to_string(raw.size()) + " bytes");
        const std::string text = decoded(TextEncoding::system_code_page, raw);
        EXPECT_TRUE(text == as_system_text(raw));
    }
}

INSTANTIATE_TEST_SUITE_P(CodePages, DecodeSystemText, ::testing::ValuesIn(test::code_pages_under_test()));

TEST(DecodeText, LargeUtf16TextsDecodeWhole) {
    std::u16string units;
    std::string expected;
    while (units.size() < 1536 * 1024) {
        units += u"[00:01.00]\u65E5\u672C \U0001F600\r\n";
        expected += "[00:01.00]\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\n";
    }
    const std::string text = decoded(TextEncoding::utf16le, le_mark + utf16le(units));
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
}

}  // namespace
}  // namespace versotime
