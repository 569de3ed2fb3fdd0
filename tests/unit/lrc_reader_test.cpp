#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/lyric_document.h"
#include "core/time_text.h"
#include "host/utf8_string.h"

namespace versotime {
namespace {

struct Line {
    std::vector<double> times;
    std::string text;
};

struct Case {
    const char* name;
    std::string input;
    std::vector<Line> lines;
    int offset;
};

void expect_document(const LyricDocument& doc, const std::vector<Line>& lines, int offset) {
    EXPECT_EQ(doc.offset_ms(), offset);
    ASSERT_EQ(doc.line_count(), static_cast<int>(lines.size()));
    for (int i = 0; i < doc.line_count(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i));
        const LyricLine& line = doc.line(i);
        EXPECT_EQ(line.kind(), LineKind::lyric);
        EXPECT_EQ(std::string(line.text().c_str(), line.text().length()), lines[i].text);
        ASSERT_EQ(line.tag_count(), static_cast<int>(lines[i].times.size()));
        std::string tag_text;
        for (int k = 0; k < line.tag_count(); ++k) {
            EXPECT_DOUBLE_EQ(line.tag_time(k), lines[i].times[k]);
            char printed[time_tag_capacity];
            format_time_tag(lines[i].times[k], printed);
            EXPECT_STREQ(line.tag(k).text(), printed);
            tag_text += printed;
        }
        EXPECT_EQ(line.tag_text().c_str(), tag_text);
    }
}

// The same through view(), which reads a line without unpacking it.
void expect_views(const LyricDocument& doc, const std::vector<Line>& lines) {
    ASSERT_EQ(doc.line_count(), static_cast<int>(lines.size()));
    for (int i = 0; i < doc.line_count(); ++i) {
        SCOPED_TRACE("view of line " + std::to_string(i));
        const LineView line = doc.view(i);
        EXPECT_EQ(std::string(line.text(), line.text_length()), lines[i].text);
        EXPECT_EQ(line.text()[line.text_length()], 0);
        ASSERT_EQ(line.tag_count(), static_cast<int>(lines[i].times.size()));
        for (int k = 0; k < line.tag_count(); ++k) {
            EXPECT_DOUBLE_EQ(line.tag_time(k), lines[i].times[k]);
            char printed[time_tag_capacity];
            char shown[time_tag_capacity];
            const std::uint32_t n = format_time_tag(lines[i].times[k], printed);
            EXPECT_EQ(line.tag_text(k, shown), n);
            EXPECT_STREQ(shown, printed);
        }
        char shown[time_tag_capacity] = "x";
        EXPECT_EQ(line.tag_time(line.tag_count()), no_time);
        EXPECT_EQ(line.tag_time(-1), no_time);
        EXPECT_EQ(line.tag_text(line.tag_count(), shown), 0u);
        EXPECT_STREQ(shown, "");
    }
}

void check_cases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LyricDocument doc;
        Utf8String input;
        ASSERT_TRUE(input.append_bytes(c.input.data(), static_cast<std::uint32_t>(c.input.size())));
        ASSERT_EQ(input.length(), c.input.size());
        EXPECT_TRUE(doc.read_lrc(input));
        expect_views(doc, c.lines);
        expect_document(doc, c.lines, c.offset);
        expect_views(doc, c.lines);
    }
}

TEST(LrcReader, LrcAndPlainText) {
    check_cases({
        {"empty text", "", {}, 0},
        {"one plain line", "Hello world", {{{}, "Hello world"}}, 0},
        {"one tag", "[00:12.34]Hello", {{{12.34}, "Hello"}}, 0},
        {"minutes", "[01:23.45]x", {{{83.45}, "x"}}, 0},
        {"hundredths form", "[01:23:45]x", {{{83.5}, "x"}}, 0},
        {"three tags in their order", "[00:03.00][00:01.00][00:02.00]la",
         {{{3.0, 1.0, 2.0}, "la"}}, 0},
        {"blanks stripped at both ends, kept after the tag", " \t [00:01.00] Hello \t ",
         {{{1.0}, " Hello"}}, 0},
        {"plain line stripped", "\t  plain words  ", {{{}, "plain words"}}, 0},
        {"tag without text", "[00:07.50]", {{{7.5}, ""}}, 0},
        {"text between tags is dropped", "[00:01.00]la [00:02.00]lyric", {{{1.0, 2.0}, "lyric"}}, 0},
        {"text before the first tag is dropped", "Hello [00:05.00]World", {{{5.0}, "World"}}, 0},
        {"UTF-8 text", "[00:01.00]\xE4\xBD\xA0\xE5\xA5\xBD", {{{1.0}, "\xE4\xBD\xA0\xE5\xA5\xBD"}}, 0},
        {"lines in order", "[00:01.00]a\n[00:02.00]b\nc", {{{1.0}, "a"}, {{2.0}, "b"}, {{}, "c"}}, 0},
        {"blank line of spaces", "a\n \t \nb", {{{}, "a"}, {{}, ""}, {{}, "b"}}, 0},
        {"spaces inside a tag", "[ 00:01.00 ]x", {{{1.0}, "x"}}, 0},
        {"three-digit minutes", "[100:00.00]x", {{{6000.0}, "x"}}, 0},
        {"embedded NUL kept", std::string("[00:01.00]a\0b", 13), {{{1.0}, std::string("a\0b", 3)}}, 0},
    });
}

TEST(LrcReader, OddBracketsNeverReject) {
    check_cases({
        {"bracketed word ends the run", "words [ab] more words", {{{no_time}, " more words"}}, 0},
        {"tag then bracketed word", "[00:01.00]text [with] bracket", {{{1.0, no_time}, " bracket"}}, 0},
        {"nested left bracket", "[[00:01.00]x", {{{}, "[[00:01.00]x"}}, 0},
        {"right bracket first", "text][00:01.00]y", {{{}, "text][00:01.00]y"}}, 0},
        {"stray right bracket after a tag", "[00:01.00]]stray", {{{1.0}, "]stray"}}, 0},
        {"unclosed bracket", "[00:01.00", {{{}, "[00:01.00"}}, 0},
        {"unclosed after a tag", "[00:01.00]a [b", {{{1.0}, "a [b"}}, 0},
        {"right bracket alone", "a]", {{{}, "a]"}}, 0},
        {"empty brackets", "[]x", {{{no_time}, "x"}}, 0},
        {"short content", "[1:23]x", {{{no_time}, "x"}}, 0},
        {"letters read as zero", "[abcde]x", {{{0.0}, "x"}}, 0},
        {"upper-case key is a time", "[TI:Title]Song", {{{0.0}, "Song"}}, 0},
        {"upper-case offset is a time", "[OFFSET:500]x", {{{500.0}, "x"}}, 0},
        {"left bracket inside tag run stops it", "[00:01.00][00:02.00[x]",
         {{{1.0}, "[00:02.00[x]"}}, 0},
        {"non-finite time", "[1e999]x", {{{no_time}, "x"}}, 0},
        {"negative time", "[-0:30.00]x", {{{30.0}, "x"}}, 0},
        {"negative minutes", "[-1:30.00]x", {{{-30.0}, "x"}}, 0},
    });
}

TEST(LrcReader, Headers) {
    check_cases({
        {"offset", "[offset:500]", {}, 500},
        {"negative offset", "[offset:-250]", {}, -250},
        {"offset of letters", "[offset:abc]", {}, 0},
        {"offset found anywhere", "[xx offset: 40 ms]", {}, 40},
        {"smallest offset", "[offset:-2147483648]", {}, INT_MIN},
        {"offset saturates", "[offset:99999999999]", {}, INT_MAX},
        {"offset saturates below", "[offset:-99999999999]", {}, INT_MIN},
        {"last offset wins", "[offset:100]\na\n[offset:200]", {{{}, "a"}}, 200},
        {"offset line dropped with its tags and text", "[00:01.00][offset:300]text\nb", {{{}, "b"}}, 300},
        {"tags after the offset are not read", "[offset:300][00:01.00]x", {}, 300},
        {"title", "[ti:Title]\na", {{{}, "a"}}, 0},
        {"artist", "[ar:Artist]\na", {{{}, "a"}}, 0},
        {"at", "[at:x]\na", {{{}, "a"}}, 0},
        {"album", "[al:Album]\na", {{{}, "a"}}, 0},
        {"author", "[by:Me]\na", {{{}, "a"}}, 0},
        {"header with text after it", "[ti:Title]after", {}, 0},
        {"header after a time tag", "[00:01.00][al:Album]words", {}, 0},
        {"key found anywhere in the bracket", "[xxti:yy]", {}, 0},
        {"offset wins over an info key", "[ti:offset:7]", {}, 7},
        {"header outside the tag run stays text", "[00:01.00]a [b ti:x", {{{1.0}, "a [b ti:x"}}, 0},
    });
}

TEST(LrcReader, LineEnds) {
    check_cases({
        {"LF", "a\nb", {{{}, "a"}, {{}, "b"}}, 0},
        {"CR LF", "a\r\nb", {{{}, "a"}, {{}, "b"}}, 0},
        {"lone CR", "a\rb", {{{}, "a"}, {{}, "b"}}, 0},
        {"LF CR", "a\n\rb", {{{}, "a"}, {{}, "b"}}, 0},
        {"two LFs keep a blank line", "a\n\nb", {{{}, "a"}, {{}, ""}, {{}, "b"}}, 0},
        {"CR LF CR LF", "a\r\n\r\nb", {{{}, "a"}, {{}, ""}, {{}, "b"}}, 0},
        {"three LFs", "a\n\n\nb", {{{}, "a"}, {{}, ""}, {{}, ""}, {{}, "b"}}, 0},
        {"two lone CRs lose the blank line", "a\r\rb", {{{}, "a"}, {{}, "b"}}, 0},
        {"CR CR LF", "a\r\r\nb", {{{}, "a"}, {{}, "b"}}, 0},
        {"LF CR LF", "a\n\r\nb", {{{}, "a"}, {{}, ""}, {{}, "b"}}, 0},
        {"leading line end", "\nabc", {{{}, ""}, {{}, "abc"}}, 0},
        {"leading CR LF", "\r\nabc", {{{}, ""}, {{}, "abc"}}, 0},
        {"trailing CR LF", "abc\r\n", {{{}, "abc"}}, 0},
        {"trailing blank line", "a\r\n\r\n", {{{}, "a"}, {{}, ""}}, 0},
        {"trailing blank lines", "a\r\n\r\n\r\n", {{{}, "a"}, {{}, ""}, {{}, ""}}, 0},
        {"only LF", "\n", {{{}, ""}}, 0},
        {"only CR", "\r", {{{}, ""}}, 0},
        {"two LFs", "\n\n", {{{}, ""}, {{}, ""}}, 0},
        {"header lines leave no gap", "[ti:x]\r\n[ar:y]\r\n[00:01.00]a\r\n", {{{1.0}, "a"}}, 0},
    });
}

TEST(LrcReader, ReadingReplacesTheDocument) {
    LyricDocument doc;
    ASSERT_TRUE(doc.read_lrc(Utf8String("[offset:700]\n[00:01.00]old\nold two")));
    EXPECT_EQ(doc.offset_ms(), 700);
    EXPECT_EQ(doc.line_count(), 2);
    ASSERT_TRUE(doc.read_lrc(Utf8String("new")));
    expect_document(doc, {{{}, "new"}}, 0);
    ASSERT_TRUE(doc.read_lrc(Utf8String("")));
    expect_document(doc, {}, 0);
}

TEST(LrcReader, LongInput) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "[00:01.00][00:02.00]line\r\n";
    text += std::string(100000, 'x');
    LyricDocument doc;
    ASSERT_TRUE(doc.read_lrc(text.c_str(), static_cast<std::uint32_t>(text.size())));
    ASSERT_EQ(doc.line_count(), 20001);
    EXPECT_EQ(doc.line(19999).tag_count(), 2);
    EXPECT_EQ(doc.line(20000).text().length(), 100000u);
}

TEST(LrcReader, ParseOneLine) {
    LyricLine line;
    EXPECT_TRUE(line.parse(Utf8String("  [00:12.34][00:01.50] Hi  ")));
    EXPECT_STREQ(line.text().c_str(), " Hi");
    EXPECT_STREQ(line.tag_text().c_str(), "[00:12.3][00:01.5]");
    EXPECT_EQ(line.kind(), LineKind::lyric);

    LyricLine header;
    EXPECT_TRUE(header.parse(Utf8String("[offset:-40]")));
    EXPECT_EQ(header.kind(), LineKind::offset_header);
    EXPECT_EQ(header.offset_ms(), -40);

    LyricLine empty;
    EXPECT_TRUE(empty.parse(Utf8String(" \t ")));
    EXPECT_TRUE(empty.text().empty());
    EXPECT_EQ(empty.tag_count(), 0);
    EXPECT_EQ(empty.kind(), LineKind::lyric);
}

}  // namespace
}  // namespace versotime
