// The reader and the document when the heap refuses a block. This
// executable replaces the nothrow operator new, which the lyric core
// allocates with, so that one chosen allocation fails.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "core/lyric_document.h"
#include "host/utf8_string.h"
#include "tests/unit/failing_allocation.h"

namespace versotime {
namespace {

using test::FailingAllocation;

// Per line: tag count, ':', text, '|'; read through view(), which never
// allocates.
std::string lines_of(const LyricDocument& doc) {
    std::string lines;
    for (int i = 0; i < doc.line_count(); ++i) {
        const LineView line = doc.view(i);
        lines += std::to_string(line.tag_count()) + ":" + std::string(line.text(), line.text_length()) + "|";
    }
    return lines;
}

std::string whole_read(const char* text) {
    LyricDocument doc;
    EXPECT_TRUE(doc.read_lrc(Utf8String(text)));
    return lines_of(doc);
}

// Fails each allocation of a read in turn, into an empty document and into
// one holding lines: the read either gets over it or reports the failure
// and keeps a prefix of the lines; the document can be cleared and read
// again.
TEST(LrcReaderMemory, EveryAllocationOfAReadFailingInTurn) {
    const char* const texts[] = {
        "a\n[00:01.00][00:02.00]b\nc",
        "[offset:100]\na\n[offset:200]\nb",
        "\n\n\n[00:01.00]x\n\n",
    };
    for (const char* text : texts) {
        const std::string whole = whole_read(text);
        for (const bool holding_lines : {false, true}) {
            bool reported = false;
            for (int failing = 1;; ++failing) {
                SCOPED_TRACE(std::string(text) + ", failing allocation " + std::to_string(failing) +
                             (holding_lines ? ", document holding lines" : ""));
                LyricDocument doc;
                if (holding_lines) {
                    ASSERT_TRUE(doc.read_lrc(Utf8String("[00:09.00]old\nold two")));
                    doc.line(1).text().assign("edited");
                }
                bool complete;
                bool reached;
                {
                    FailingAllocation fail(failing);
                    complete = doc.read_lrc(Utf8String(text));
                    reached = fail.reached();
                }
                if (!reached) {
                    EXPECT_TRUE(complete);
                    EXPECT_EQ(lines_of(doc), whole);
                    // Every text here has lines to store: some failure must show.
                    EXPECT_TRUE(reported);
                    break;
                }
                reported = reported || !complete;
                // A room reserved ahead may fail without harm; any other
                // failure ends the read with a prefix of the lines.
                const std::string kept = lines_of(doc);
                if (complete) {
                    EXPECT_EQ(kept, whole);
                } else {
                    EXPECT_EQ(whole.compare(0, kept.size(), kept), 0) << kept;
                }
                doc.clear();
                EXPECT_EQ(doc.line_count(), 0);
                EXPECT_TRUE(doc.read_lrc(Utf8String(text)));
                EXPECT_EQ(lines_of(doc), whole);
            }
        }
    }
}

// A single line parsed on its own: a tag that cannot be allocated ends the
// tag run, the text and the tags read so far stay.
TEST(LrcReaderMemory, ATagThatCannotBeAllocated) {
    // Allocations in order: the first tag, the second tag.
    const struct {
        int failing;
        int tags;
    } cases[] = {{0, 2}, {1, 0}, {2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        LyricLine line;
        bool parsed;
        {
            FailingAllocation fail(c.failing);
            parsed = line.parse(Utf8String("[00:01.00][00:02.00]b"));
        }
        EXPECT_TRUE(parsed);
        EXPECT_EQ(line.tag_count(), c.tags);
        EXPECT_STREQ(line.text().c_str(), "b");
        EXPECT_EQ(line.kind(), LineKind::lyric);
    }
}

// Asking for a read line as a LyricLine gives it storage of its own; when
// that cannot be had, the answer is an empty spare and the line stays as
// it was read.
TEST(LrcReaderMemory, ALineThatCannotBeUnpacked) {
    LyricDocument doc;
    ASSERT_TRUE(doc.read_lrc(Utf8String("[00:01.00][00:02.00]b\nc")));
    // Allocations in order: the line, its two tags.
    for (int failing = 1; failing <= 3; ++failing) {
        SCOPED_TRACE(failing);
        FailingAllocation fail(failing);
        LyricLine& line = doc.line(0);
        EXPECT_EQ(line.tag_count(), 0);
        EXPECT_TRUE(line.text().empty());
        line.text().assign("lost");
    }
    EXPECT_EQ(lines_of(doc), "2:b|0:c|");
    LyricLine& line = doc.line(0);
    EXPECT_EQ(line.tag_count(), 2);
    EXPECT_STREQ(line.text().c_str(), "b");
    EXPECT_STREQ(line.tag_text().c_str(), "[00:01.0][00:02.0]");
    Utf8String written;
    ASSERT_TRUE(doc.write_lrc(0, written));
    EXPECT_STREQ(written.c_str(), "[00:01.0][00:02.0]b\r\nc\r\n");
}

}  // namespace
}  // namespace versotime
