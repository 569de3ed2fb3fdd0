#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "core/lyric_document.h"
#include "core/time_tag.h"
#include "host/utf8_string.h"

namespace versotime {
namespace {

void add(LyricDocument& doc, const std::string& text, std::initializer_list<double> times = {}) {
    LyricLine* line = new LyricLine;
    line->text().append_bytes(text.data(), static_cast<std::uint32_t>(text.size()));
    for (const double t : times) line->add_tag(new TimeTag(t));
    ASSERT_TRUE(doc.add_line(line));
}

std::string written(LyricDocument& doc, int offset) {
    const Utf8String out = doc.write_lrc(offset);
    return std::string(out.c_str(), out.length());
}

TEST(LrcWriter, Lines) {
    {
        LyricDocument doc;
        add(doc, "Hello", {12.34, 1.5});
        EXPECT_EQ(written(doc, 0), "[00:12.3][00:01.5]Hello\r\n");
    }
    {
        LyricDocument doc;
        add(doc, "first");
        add(doc, "");
        EXPECT_EQ(written(doc, 0), "first\r\n\r\n");
    }
    {
        LyricDocument doc;
        add(doc, "", {1.0});
        EXPECT_EQ(written(doc, 0), "[00:01.0]\r\n");
    }
    {
        LyricDocument doc;
        add(doc, "gone", {-1.0, 2.0, -5.0});
        add(doc, "long", {6000.0, 59999.95});
        EXPECT_EQ(written(doc, 0), "[00:02.0]gone\r\n[100:00.0][999:59.9]long\r\n");
    }
    {
        LyricDocument doc;
        EXPECT_EQ(written(doc, 0), "");
        EXPECT_EQ(written(doc, 500), "[offset:500]");
    }
    {
        LyricDocument doc;
        add(doc, std::string("a\0b", 3), {1.0});
        EXPECT_EQ(written(doc, 0), std::string("[00:01.0]a\0b\r\n", 14));
    }
}

TEST(LrcWriter, OffsetBracketComesLast) {
    const struct {
        int offset;
        const char* tail;
    } cases[] = {
        {0, ""},
        {10, ""},
        {-10, ""},
        {11, "[offset:11]"},
        {-11, "[offset:-11]"},
        {500, "[offset:500]"},
        {INT_MAX, "[offset:2147483647]"},
        {INT_MIN, "[offset:-2147483648]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        LyricDocument doc;
        add(doc, "a", {1.0});
        EXPECT_EQ(written(doc, c.offset), std::string("[00:01.0]a\r\n") + c.tail);
    }
}

TEST(LrcWriter, WritesTheGivenOffsetNotTheDocuments) {
    LyricDocument doc;
    ASSERT_TRUE(doc.read_lrc(Utf8String("[offset:300]\nx")));
    EXPECT_EQ(written(doc, 0), "x\r\n");
    EXPECT_EQ(written(doc, -40), "x\r\n[offset:-40]");
}

TEST(LrcWriter, RebuildsTagTexts) {
    LyricDocument doc;
    add(doc, "a", {1.0});
    doc.refresh_tag_texts();
    doc.line(0).add_tag(new TimeTag(2.0));
    EXPECT_EQ(written(doc, 0), "[00:01.0][00:02.0]a\r\n");
    EXPECT_STREQ(doc.line(0).tag_text().c_str(), "[00:01.0][00:02.0]");
}

TEST(LrcWriter, ReportsIntoAString) {
    LyricDocument doc;
    add(doc, "a");
    Utf8String out("stale");
    EXPECT_TRUE(doc.write_lrc(20, out));
    EXPECT_STREQ(out.c_str(), "a\r\n[offset:20]");
}

// Writing and reading back keeps lines, texts and tag order; times come back
// truncated to whole tenths and the offset only when it was written.
TEST(LrcWriter, RoundTrip) {
    const int offsets[] = {0, 10, -10, 11, -11, 1234, INT_MIN, INT_MAX};
    for (const int offset : offsets) {
        SCOPED_TRACE(offset);
        LyricDocument doc;
        add(doc, "Hello", {12.34, 1.5});
        add(doc, "untimed");
        add(doc, "");
        add(doc, "", {3.0});
        add(doc, "\xE4\xBD\xA0\xE5\xA5\xBD", {0.0, 59.99, 6000.05});
        add(doc, " spaced after tags", {4.2});
        const Utf8String text = doc.write_lrc(offset);

        LyricDocument back;
        ASSERT_TRUE(back.read_lrc(text));
        EXPECT_EQ(back.offset_ms(), offset > 10 || offset < -10 ? offset : 0);
        ASSERT_EQ(back.line_count(), doc.line_count());
        for (int i = 0; i < doc.line_count(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_STREQ(back.line(i).text().c_str(), doc.line(i).text().c_str());
            ASSERT_EQ(back.line(i).tag_count(), doc.line(i).tag_count());
            for (int k = 0; k < doc.line(i).tag_count(); ++k) {
                const double tenths = std::trunc(doc.line(i).tag_time(k) * 10) / 10;
                EXPECT_NEAR(back.line(i).tag_time(k), tenths, 1e-9);
            }
        }
        // A second round changes nothing.
        EXPECT_STREQ(back.write_lrc(offset).c_str(), text.c_str());
    }
}

// Lines just read are written from the document's packed blocks; the same
// lines once unpacked by line(), some or all of them, write the same text.
TEST(LrcWriter, ReadLinesWriteTheSameUnpackedOrNot) {
    const struct {
        const char* input;
        const char* output;
    } cases[] = {
        {"", ""},
        {"\n\n", "\r\n\r\n"},
        {"[00:12.34][00:01.50]Hello\nplain\n\n[00:03.00]", "[00:12.3][00:01.5]Hello\r\nplain\r\n\r\n[00:03.0]\r\n"},
        {"[1:23]no time[100:00.00]x", "[100:00.0]x\r\n"},
        {"[ti:t]\r\n[offset:40]\r\n[999:59.99]a [b] c\r\n", "[999:59.9] c\r\n"},
        {"[-1:30.00][-00:01.00][9999:00.00]big\n[abcde]z", "[00:01.0][999:00.0]big\r\n[00:00.0]z\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        for (const int unpacked_every : {0, 2, 1}) {
            SCOPED_TRACE(unpacked_every);
            LyricDocument doc;
            ASSERT_TRUE(doc.read_lrc(Utf8String(c.input)));
            for (int i = 0; unpacked_every && i < doc.line_count(); i += unpacked_every) doc.line(i);
            EXPECT_EQ(written(doc, 0), c.output);
        }
    }
}

// The text handed out in pieces is the same text, whatever the lines' sizes
// against the pieces'; a destination that refuses a piece stops the writing.
TEST(LrcWriter, InPieces) {
    struct Collected {
        std::string text;
        int pieces = 0;
        int refuse_at = -1;
        static bool put(void* context, const char* bytes, std::uint32_t count) {
            Collected& c = *static_cast<Collected*>(context);
            if (c.pieces++ == c.refuse_at) return false;
            EXPECT_GT(count, 0u);
            c.text.append(bytes, count);
            return true;
        }
    };
    std::string many;
    for (int i = 0; i < 20000; ++i) many += "[00:01.00][00:02.50]line\r\n";
    const std::string cases[] = {
        "",
        "x",
        many,
        "[00:01.00]" + std::string(200000, 'a') + "\nafter",
        std::string(65534, 'b') + "\n" + std::string(65536, 'c') + "\n[00:03.00]",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.size());
        LyricDocument doc;
        ASSERT_TRUE(doc.read_lrc(text.data(), static_cast<std::uint32_t>(text.size())));
        if (doc.line_count() > 0) doc.line(0).add_tag(new TimeTag(7.0));
        const std::string whole = written(doc, 25);
        Collected collected;
        EXPECT_TRUE(doc.write_lrc(25, Collected::put, &collected));
        EXPECT_EQ(collected.text, whole);
        if (collected.pieces > 1) {
            Collected refusing;
            refusing.refuse_at = collected.pieces - 1;
            EXPECT_FALSE(doc.write_lrc(25, Collected::put, &refusing));
            EXPECT_EQ(refusing.pieces, collected.pieces);
        }
    }
    LyricDocument doc;
    EXPECT_FALSE(doc.write_lrc(0, nullptr, nullptr));
}

TEST(LrcWriter, RoundTripExceptions) {
    LyricDocument doc;
    add(doc, "  untimed  ");
    add(doc, "\ttimed\t", {1.0});
    add(doc, "a [b] c", {2.0});
    add(doc, "lost tag", {-1.0});
    LyricDocument back;
    ASSERT_TRUE(back.read_lrc(doc.write_lrc(0)));
    ASSERT_EQ(back.line_count(), 4);
    EXPECT_STREQ(back.line(0).text().c_str(), "untimed");
    EXPECT_STREQ(back.line(1).text().c_str(), "\ttimed");
    EXPECT_STREQ(back.line(2).text().c_str(), " c");
    EXPECT_EQ(back.line(2).tag_count(), 2);
    EXPECT_EQ(back.line(3).tag_count(), 0);
}

}  // namespace
}  // namespace versotime
