// Hostile and damaged input: huge texts, binary data, endless lines and
// brackets, invalid UTF-8, configuration blocks cut short or with lengths
// running past their end. Every case has a defined result. Big inputs are
// generated here, never stored.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/lyric_document.h"
#include "host/text_convert.h"
#include "host/utf8_string.h"
#include "tests/common/typical_lrc.h"

namespace versotime {
namespace {

// Under the sanitizers every allocation is far dearer; the large text keeps
// its shape there but not its size.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t large_text_mb = 8;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t large_text_mb = 8;
#else
constexpr std::size_t large_text_mb = 50;
#endif
#else
constexpr std::size_t large_text_mb = 50;
#endif

using testing_support::TextRandom;
using testing_support::typical_lrc;

std::string repeat(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

std::string random_bytes(std::size_t size, std::uint32_t seed) {
    TextRandom random(seed);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(random.next() >> 24);
    return out;
}

std::string line_text(const LyricDocument& document, int index) {
    const Utf8String& text = document.line(index).text();
    return std::string(text.c_str(), text.length());
}

// Writes the document, reads it back and checks that the lines survive.
void expect_round_trip(LyricDocument& document) {
    Utf8String written;
    ASSERT_TRUE(document.write_lrc(document.offset_ms(), written));
    LyricDocument again;
    ASSERT_TRUE(again.read_lrc(written));
    EXPECT_EQ(again.line_count(), document.line_count());
}

struct LrcCase {
    const char* name;
    std::function<std::string()> make;
    std::function<void(const LyricDocument&)> expect;
};

TEST(HostileLrcText, EveryCaseReadsToADefinedDocument) {
    const std::size_t mb = 1024 * 1024;
    int typical_lines = 0;
    const LrcCase cases[] = {
        {"50 MB of typical lines",
         [&] {
             auto typical = typical_lrc(large_text_mb * mb);
             typical_lines = typical.lines;
             return std::move(typical.text);
         },
         [&](const LyricDocument& d) {
             EXPECT_EQ(d.line_count(), typical_lines);
             EXPECT_GE(d.line(d.line_count() - 1).tag_count(), 1);
         }},
        {"1 MB of binary data", [&] { return random_bytes(mb, 7); },
         [](const LyricDocument& d) { EXPECT_GT(d.line_count(), 0); }},
        {"one 1 MB line without a line end", [&] { return std::string(mb, 'a'); },
         [&](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 1);
             EXPECT_EQ(d.line(0).text().length(), mb);
             EXPECT_EQ(d.line(0).tag_count(), 0);
         }},
        {"one 1 MB line after a tag", [&] { return "[00:01.00]" + std::string(mb, 'b') + "\r\n"; },
         [&](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 1);
             EXPECT_EQ(d.line(0).text().length(), mb);
             EXPECT_EQ(d.line(0).tag_count(), 1);
         }},
        {"100,000 left brackets", [] { return std::string(100000, '['); },
         [](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 1);
             EXPECT_EQ(d.line(0).tag_count(), 0);
             EXPECT_EQ(d.line(0).text().length(), 100000u);
         }},
        {"100,000 right brackets", [] { return std::string(100000, ']'); },
         [](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 1);
             EXPECT_EQ(d.line(0).tag_count(), 0);
             EXPECT_EQ(d.line(0).text().length(), 100000u);
         }},
        {"50,000 empty bracket pairs", [] { return repeat("[]", 50000) + "x"; },
         [](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 1);
             EXPECT_EQ(d.line(0).tag_count(), 50000);
             EXPECT_EQ(d.line(0).tag_time(49999), -1.0);
             EXPECT_EQ(line_text(d, 0), "x");
         }},
        {"50,000 brackets nested in 50,000", [] { return std::string(50000, '[') + std::string(50000, ']'); },
         [](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 1);
             EXPECT_EQ(d.line(0).tag_count(), 0);
             EXPECT_EQ(d.line(0).text().length(), 100000u);
         }},
        {"100,000 time tags on one line", [] { return repeat("[01:02.50]", 100000) + "end"; },
         [](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 1);
             EXPECT_EQ(d.line(0).tag_count(), 100000);
             EXPECT_DOUBLE_EQ(d.line(0).tag_time(99999), 62.5);
             EXPECT_EQ(line_text(d, 0), "end");
         }},
        {"100,000 line feeds", [] { return std::string(100000, '\n'); },
         [](const LyricDocument& d) { EXPECT_EQ(d.line_count(), 100000); }},
        {"100,000 lone CRs", [] { return std::string(100000, '\r'); },
         [](const LyricDocument& d) { EXPECT_EQ(d.line_count(), 1); }},
        {"100,000 header lines", [] { return repeat("[ti:x][00:01.00]dropped\r\n", 100000) + "[offset:7]"; },
         [](const LyricDocument& d) {
             EXPECT_EQ(d.line_count(), 0);
             EXPECT_EQ(d.offset_ms(), 7);
         }},
        {"invalid UTF-8 kept byte for byte", [] { return std::string("[00:01.00]\xFF\xFE\xC0\x80 \xED\xA0\x80 \xF8\x88\x80\x80\x80"); },
         [](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 1);
             EXPECT_EQ(line_text(d, 0), "\xFF\xFE\xC0\x80 \xED\xA0\x80 \xF8\x88\x80\x80\x80");
         }},
        {"NUL bytes inside a line", [] { return std::string("[00:01.00]a\0b\r\nc\0", 17); },
         [](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 2);
             EXPECT_EQ(line_text(d, 0), std::string("a\0b", 3));
         }},
        {"offsets beyond 32 bits saturate", [] { return std::string("[offset:99999999999999999999]"); },
         [](const LyricDocument& d) { EXPECT_EQ(d.offset_ms(), INT32_MAX); }},
        {"negative offset beyond 32 bits", [] { return std::string("[offset:-99999999999999999999]"); },
         [](const LyricDocument& d) { EXPECT_EQ(d.offset_ms(), INT32_MIN); }},
        {"absurd times", [] { return std::string("[99999999999:00.00][00:1e308][00:1e999][-5:00.00][00:00.1]x"); },
         [](const LyricDocument& d) {
             ASSERT_EQ(d.line_count(), 1);
             ASSERT_EQ(d.line(0).tag_count(), 5);
             for (int i = 0; i < 4; ++i) {
                 SCOPED_TRACE(i);
                 EXPECT_EQ(d.line(0).tag(i).text_length(), 0u);
             }
             EXPECT_STREQ(d.line(0).tag(4).text(), "[00:00.1]");
         }},
    };
    for (const LrcCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = c.make();
        LyricDocument document;
        ASSERT_TRUE(document.read_lrc(text.data(), static_cast<std::uint32_t>(text.size())));
        c.expect(document);
        expect_round_trip(document);
    }
}

TEST(HostileLrcText, ExtremeOffsetsAreWrittenAndReadBack) {
    for (const std::int32_t offset : {INT32_MIN, INT32_MIN + 1, -11, 11, INT32_MAX}) {
        SCOPED_TRACE(offset);
        LyricDocument document;
        ASSERT_TRUE(document.read_lrc("x", 1));
        Utf8String written;
        ASSERT_TRUE(document.write_lrc(offset, written));
        LyricDocument again;
        ASSERT_TRUE(again.read_lrc(written));
        EXPECT_EQ(again.offset_ms(), offset);
        EXPECT_EQ(again.line_count(), 1);
    }
}

// Converters on big and invalid text, into buffers of exactly the size the
// caller is told to provide (the sanitizer build catches one unit too many).
// Text the code page cannot represent is slow in the native iconv stand-in,
// hence 256 KB rather than megabytes.
TEST(HostileText, ConvertersStayWithinTheDocumentedRoom) {
    const std::size_t size = 256 * 1024;
    const std::string inputs[] = {
        random_bytes(size, 11),
        repeat("\xF0\x9F\x8E\xB5", size / 4),
        repeat("\xE4\xB8\xAD", size / 3),
        std::string(size, 'a') + "\xFF" + "tail",
        repeat("\xED\xA0\x80\xED\xB0\x80", 1000),
    };
    for (std::size_t k = 0; k < sizeof inputs / sizeof inputs[0]; ++k) {
        SCOPED_TRACE(k);
        const std::string& in = inputs[k];
        const std::uint32_t n = bounded_length(in.data(), static_cast<std::uint32_t>(in.size()));
        std::vector<char16_t> units(n + 1);
        const std::uint32_t u = convert_utf8_to_utf16(in.data(), units.data(), n);
        ASSERT_LE(u, n);
        std::vector<char> back(3 * std::size_t{u} + 1);
        const std::uint32_t b = convert_utf16_to_utf8(units.data(), back.data(), u);
        ASSERT_LE(b, n);
        std::vector<char> system(n + 1);
        ASSERT_LE(convert_utf8_to_system(in.data(), system.data(), n), n);
        std::vector<char> utf8(3 * std::size_t{n} + 1);
        ASSERT_LE(convert_system_to_utf8(in.data(), utf8.data(), n), 3 * n);
    }
}

TEST(HostileText, InvalidUtf8EndsAConversionAtTheLastGoodCharacter) {
    const struct {
        const char* in;
        const char16_t* out;
    } cases[] = {
        {"ab\xFF" "cd", u"ab"},
        {"ab\xC0\x80" "cd", u"ab"},
        {"\xE4\xB8\xAD\xE4\xB8", u"\x4E2D"},
        {"\x80", u""},
        {"ok\xF4\x90\x80\x80" "no", u"ok"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        const std::uint32_t n = bounded_length(c.in, whole_text);
        std::vector<char16_t> units(n + 1);
        const std::uint32_t u = convert_utf8_to_utf16(c.in, units.data(), whole_text);
        EXPECT_EQ(std::u16string(units.data(), u), std::u16string(c.out));
    }
}

}  // namespace
}  // namespace versotime
