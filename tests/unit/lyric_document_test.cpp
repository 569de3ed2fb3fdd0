#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/lyric_document.h"
#include "core/lyric_line.h"
#include "core/time_tag.h"
#include "host/system_code_page.h"
#include "host/utf8_string.h"

namespace versotime {
namespace {

LyricLine* make_line(const char* text, std::initializer_list<double> times = {}) {
    LyricLine* line = new LyricLine;
    line->text().assign(text);
    for (const double t : times) line->add_tag(new TimeTag(t));
    return line;
}

LyricLine* parsed_line(const char* raw) {
    LyricLine* line = new LyricLine;
    EXPECT_TRUE(line->parse(Utf8String(raw)));
    return line;
}

std::string texts_of(const LyricDocument& doc) {
    std::string all;
    for (int i = 0; i < doc.line_count(); ++i) all += std::string(doc.line(i).text().c_str()) + "|";
    return all;
}

TEST(LyricLine, StartsEmpty) {
    const LyricLine line;
    EXPECT_TRUE(line.text().empty());
    EXPECT_TRUE(line.tag_text().empty());
    EXPECT_EQ(line.tag_count(), 0);
    EXPECT_EQ(line.kind(), LineKind::lyric);
    EXPECT_EQ(line.offset_ms(), 0);
    EXPECT_EQ(static_cast<int>(LineKind::lyric), 0);
    EXPECT_EQ(static_cast<int>(LineKind::offset_header), 1);
    EXPECT_EQ(static_cast<int>(LineKind::info_header), 2);
}

TEST(LyricLine, TagsKeepTheirOrderAndDuplicates) {
    LyricLine line;
    EXPECT_TRUE(line.add_tag(new TimeTag(12.3)));
    EXPECT_TRUE(line.add_tag(new TimeTag(1.5)));
    EXPECT_TRUE(line.add_tag(new TimeTag(1.5)));
    EXPECT_TRUE(line.add_tag(new TimeTag(-1.0)));
    EXPECT_FALSE(line.add_tag(nullptr));
    ASSERT_EQ(line.tag_count(), 4);
    EXPECT_EQ(line.tag_time(0), 12.3);
    EXPECT_EQ(line.tag_time(1), 1.5);
    EXPECT_EQ(line.tag_time(2), 1.5);
    EXPECT_EQ(line.tag_time(3), -1.0);
    EXPECT_STREQ(line.tag(0).text(), "[00:12.3]");

    // List order, not time order; a tag without a printed form adds nothing.
    EXPECT_TRUE(line.refresh_tag_text());
    EXPECT_STREQ(line.tag_text().c_str(), "[00:12.3][00:01.5][00:01.5]");

    line.remove_tag(1);
    ASSERT_EQ(line.tag_count(), 3);
    EXPECT_EQ(line.tag_time(1), 1.5);
    line.refresh_tag_text();
    EXPECT_STREQ(line.tag_text().c_str(), "[00:12.3][00:01.5]");
}

TEST(LyricLine, TagTextIsValidOnlyAfterARefresh) {
    LyricLine line;
    line.add_tag(new TimeTag(12.3));
    line.add_tag(new TimeTag(1.5));
    EXPECT_TRUE(line.tag_text().empty());
    line.refresh_tag_text();
    EXPECT_EQ(line.tag_text().length(), 18u);
    line.remove_tag(0);
    line.remove_tag(0);
    line.refresh_tag_text();
    EXPECT_TRUE(line.tag_text().empty());
}

TEST(LyricLine, TagTimeOutOfRangeGivesNoTime) {
    LyricLine line;
    EXPECT_EQ(line.tag_time(0), -1.0);
    line.add_tag(new TimeTag(2.0));
    const int indexes[] = {1, 2, -1, -2, INT_MIN, INT_MAX};
    for (const int index : indexes) {
        SCOPED_TRACE(index);
        EXPECT_EQ(line.tag_time(index), -1.0);
    }
    EXPECT_EQ(line.tag_time(0), 2.0);
}

TEST(LyricLine, SetTextAnsiConvertsAndKeepsTags) {
    LyricLine line;
    line.text().assign("old");
    line.add_tag(new TimeTag(1.0));
    EXPECT_TRUE(line.set_text_ansi("[00:05.00]new words"));
    EXPECT_STREQ(line.text().c_str(), "[00:05.00]new words");  // not parsed for tags
    EXPECT_EQ(line.tag_count(), 1);
    EXPECT_TRUE(line.set_text_ansi(""));
    EXPECT_TRUE(line.text().empty());
    EXPECT_TRUE(line.set_text_ansi(nullptr));
    EXPECT_TRUE(line.text().empty());
}

TEST(LyricLine, SetTextAnsiFollowsTheSystemCodePage) {
    const unsigned before = system_code_page();
    LyricLine line;
#ifndef _WIN32
    ASSERT_TRUE(set_system_code_page(936));
#endif
    if (system_code_page() == 936) {
        line.set_text_ansi("\xC4\xE3\xBA\xC3");
        EXPECT_STREQ(line.text().c_str(), "\xE4\xBD\xA0\xE5\xA5\xBD");  // 你好
    }
#ifndef _WIN32
    ASSERT_TRUE(set_system_code_page(1252));
#endif
    if (system_code_page() == 1252) {
        line.set_text_ansi("caf\xE9");
        EXPECT_STREQ(line.text().c_str(), "caf\xC3\xA9");
    }
#ifndef _WIN32
    set_system_code_page(before);
#endif
    (void)before;
}

TEST(LyricDocument, AddLineByKind) {
    LyricDocument doc;
    EXPECT_EQ(doc.line_count(), 0);
    EXPECT_EQ(doc.offset_ms(), 0);

    EXPECT_TRUE(doc.add_line(make_line("one")));
    EXPECT_TRUE(doc.add_line(make_line("two")));

    LyricLine* offset = parsed_line("[offset:500]");
    ASSERT_EQ(offset->kind(), LineKind::offset_header);
    EXPECT_FALSE(doc.add_line(offset));
    delete offset;  // still ours
    EXPECT_EQ(doc.offset_ms(), 500);
    EXPECT_EQ(doc.line_count(), 2);

    LyricLine* info = parsed_line("[ti:Title]");
    ASSERT_EQ(info->kind(), LineKind::info_header);
    EXPECT_FALSE(doc.add_line(info));
    delete info;
    EXPECT_EQ(doc.offset_ms(), 500);
    EXPECT_EQ(doc.line_count(), 2);

    // A second offset header replaces the first.
    LyricLine* second = parsed_line("[offset:-20]");
    EXPECT_FALSE(doc.add_line(second));
    delete second;
    EXPECT_EQ(doc.offset_ms(), -20);
    EXPECT_FALSE(doc.add_line(nullptr));
    EXPECT_EQ(texts_of(doc), "one|two|");
}

TEST(LyricDocument, ClearKeepsTheOffset) {
    LyricDocument doc;
    ASSERT_TRUE(doc.read_lrc(Utf8String("[00:01.00]a\n[offset:500]\nb")));
    ASSERT_EQ(doc.line_count(), 2);
    EXPECT_EQ(doc.offset_ms(), 500);
    doc.clear();
    EXPECT_EQ(doc.line_count(), 0);
    EXPECT_EQ(doc.offset_ms(), 500);
    doc.clear();
    EXPECT_EQ(doc.line_count(), 0);
}

TEST(LyricDocument, InsertLine) {
    LyricDocument doc;
    doc.add_line(make_line("a"));
    doc.add_line(make_line("b"));
    doc.add_line(make_line("c"));
    EXPECT_TRUE(doc.insert_line(0, make_line("new")));
    EXPECT_EQ(texts_of(doc), "new|a|b|c|");
    EXPECT_TRUE(doc.insert_line(2, make_line("mid")));
    EXPECT_EQ(texts_of(doc), "new|a|mid|b|c|");
    EXPECT_TRUE(doc.insert_line(doc.line_count(), make_line("end")));
    EXPECT_EQ(texts_of(doc), "new|a|mid|b|c|end|");

    // The kind is not looked at.
    EXPECT_TRUE(doc.insert_line(1, parsed_line("[ti:kept]")));
    EXPECT_EQ(doc.line_count(), 7);
    EXPECT_EQ(doc.line(1).kind(), LineKind::info_header);
    EXPECT_FALSE(doc.insert_line(0, nullptr));
}

TEST(LyricDocument, InsertIntoAnEmptyDocument) {
    LyricDocument doc;
    EXPECT_TRUE(doc.insert_line(0, make_line("only")));
    EXPECT_EQ(texts_of(doc), "only|");
}

TEST(LyricDocument, RemoveLineDestroysItsTags) {
    LyricDocument doc;
    doc.add_line(make_line("a", {1.0, 2.0}));
    doc.add_line(make_line("b", {3.0}));
    doc.add_line(make_line("c"));
    doc.remove_line(1);
    EXPECT_EQ(texts_of(doc), "a|c|");
    EXPECT_EQ(doc.line(0).tag_count(), 2);
    doc.remove_line(0);
    doc.remove_line(0);
    EXPECT_EQ(doc.line_count(), 0);
}

TEST(LyricDocument, ManyLinesAndTags) {
    LyricDocument doc;
    for (int i = 0; i < 5000; ++i) {
        LyricLine* line = make_line("x");
        for (int k = 0; k < 20; ++k) line->add_tag(new TimeTag(i + k * 0.1));
        ASSERT_TRUE(doc.add_line(line));
    }
    EXPECT_EQ(doc.line_count(), 5000);
    EXPECT_EQ(doc.line(4999).tag_count(), 20);
    EXPECT_DOUBLE_EQ(doc.line(4999).tag_time(19), 4999 + 1.9);
    EXPECT_TRUE(doc.refresh_tag_texts());
    EXPECT_EQ(doc.line(0).tag_text().length(), 20u * 9);
}

TEST(LyricDocument, RefreshTagTexts) {
    LyricDocument doc;
    doc.add_line(make_line("a", {12.3, 1.5}));
    doc.add_line(make_line("b"));
    doc.add_line(make_line("c", {6000.0}));
    EXPECT_TRUE(doc.refresh_tag_texts());
    EXPECT_STREQ(doc.line(0).tag_text().c_str(), "[00:12.3][00:01.5]");
    EXPECT_STREQ(doc.line(1).tag_text().c_str(), "");
    EXPECT_STREQ(doc.line(2).tag_text().c_str(), "[100:00.0]");
}

// Per line: its tags' printed forms, then its text, as view() sees them.
std::string views_of(const LyricDocument& doc) {
    std::string all;
    for (int i = 0; i < doc.line_count(); ++i) {
        const LineView line = doc.view(i);
        for (int k = 0; k < line.tag_count(); ++k) {
            char printed[time_tag_capacity];
            line.tag_text(k, printed);
            all += printed;
        }
        all += std::string(line.text(), line.text_length()) + "|";
    }
    return all;
}

// Lines just read and lines the editor adds or changes sit side by side;
// every operation sees the same lines whichever kind they are.
TEST(LyricDocument, EditingReadLines) {
    const char* read = "[00:01.00]a\n[00:02.00][00:03.00]b\n\nc";
    const struct {
        const char* name;
        void (*edit)(LyricDocument&);
        const char* after;
    } cases[] = {
        {"nothing", [](LyricDocument&) {}, "[00:01.0]a|[00:02.0][00:03.0]b||c|"},
        {"insert before a read line", [](LyricDocument& d) { d.insert_line(1, make_line("new", {9.0})); },
         "[00:01.0]a|[00:09.0]new|[00:02.0][00:03.0]b||c|"},
        {"insert at the end", [](LyricDocument& d) { d.insert_line(d.line_count(), make_line("end")); },
         "[00:01.0]a|[00:02.0][00:03.0]b||c|end|"},
        {"add a line", [](LyricDocument& d) { d.add_line(make_line("added")); },
         "[00:01.0]a|[00:02.0][00:03.0]b||c|added|"},
        {"remove a read line", [](LyricDocument& d) { d.remove_line(1); }, "[00:01.0]a||c|"},
        {"remove every line", [](LyricDocument& d) { while (d.line_count()) d.remove_line(0); }, ""},
        {"stamp a read line", [](LyricDocument& d) { d.line(1).add_tag(new TimeTag(4.0)); },
         "[00:01.0]a|[00:02.0][00:03.0][00:04.0]b||c|"},
        {"remove a tag", [](LyricDocument& d) { d.line(1).remove_tag(0); }, "[00:01.0]a|[00:03.0]b||c|"},
        {"change a text", [](LyricDocument& d) { d.line(2).set_text_ansi("words"); },
         "[00:01.0]a|[00:02.0][00:03.0]b|words|c|"},
        {"edit, then remove the line before", [](LyricDocument& d) {
             d.line(3).text().assign("C");
             d.remove_line(2);
         }, "[00:01.0]a|[00:02.0][00:03.0]b|C|"},
        {"clear", [](LyricDocument& d) { d.clear(); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LyricDocument doc;
        ASSERT_TRUE(doc.read_lrc(Utf8String(read)));
        c.edit(doc);
        EXPECT_EQ(views_of(doc), c.after);
        // The writer sees the same, and so does line() once every line is unpacked.
        std::string expected_lrc;
        for (const char* p = c.after; *p; ++p) expected_lrc += *p == '|' ? std::string("\r\n") : std::string(1, *p);
        const Utf8String lrc = doc.write_lrc(0);
        EXPECT_EQ(std::string(lrc.c_str(), lrc.length()), expected_lrc);
        std::string lines;
        for (int i = 0; i < doc.line_count(); ++i) {
            EXPECT_TRUE(doc.line(i).refresh_tag_text());
            lines += std::string(doc.line(i).tag_text().c_str()) + doc.line(i).text().c_str() + "|";
        }
        EXPECT_EQ(lines, c.after);
        EXPECT_EQ(views_of(doc), c.after);
    }
}

// A line's reference stays good while other lines are unpacked, added or
// removed, as it did when every line was a heap object.
TEST(LyricDocument, LineReferencesStayWhileOtherLinesChange) {
    LyricDocument doc;
    ASSERT_TRUE(doc.read_lrc(Utf8String("a\nb\nc\nd")));
    LyricLine& c = doc.line(2);
    const LyricLine* c_address = &c;
    for (int i = 0; i < doc.line_count(); ++i) doc.line(i);
    doc.remove_line(0);
    for (int i = 0; i < 100; ++i) doc.insert_line(0, make_line("x"));
    EXPECT_EQ(&doc.line(101), c_address);
    c.text().assign("still c");
    EXPECT_STREQ(doc.line(101).text().c_str(), "still c");
    // Asking again does not unpack again.
    const LyricDocument& same = doc;
    EXPECT_EQ(&same.line(101), c_address);
}

}  // namespace
}  // namespace versotime
