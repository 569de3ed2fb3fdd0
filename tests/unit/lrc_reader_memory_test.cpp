// The reader when the heap refuses a line or a time tag. This executable
// replaces the nothrow operator new, which the lyric core allocates with, so
// that one chosen allocation fails.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "core/lyric_document.h"
#include "host/utf8_string.h"

namespace {
int allocations = 0;
int failing_allocation = 0;  // 1-based; 0 fails none
}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (++allocations == failing_allocation) return nullptr;
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

namespace versotime {
namespace {

struct Outcome {
    bool complete;
    std::string lines;  // per line: tag count, ':', text, '|'
    int offset;
};

Outcome read_failing(const char* text, int failing) {
    LyricDocument doc;
    allocations = 0;
    failing_allocation = failing;
    const bool complete = doc.read_lrc(Utf8String(text));
    failing_allocation = 0;
    std::string lines;
    for (int i = 0; i < doc.line_count(); ++i) {
        lines += std::to_string(doc.line(i).tag_count()) + ":" + doc.line(i).text().c_str() + "|";
    }
    return {complete, lines, doc.offset_ms()};
}

TEST(LrcReaderMemory, ALineOrATagThatCannotBeAllocated) {
    // Allocations in order: line a, line b, its two tags, line c.
    const char* text = "a\n[00:01.00][00:02.00]b\nc";
    const struct {
        int failing;
        Outcome expected;
    } cases[] = {
        {0, {true, "0:a|2:b|0:c|", 0}},
        {1, {false, "", 0}},
        {2, {false, "0:a|", 0}},
        {3, {true, "0:a|0:b|0:c|", 0}},  // the rest of the tag run is not read
        {4, {true, "0:a|1:b|0:c|", 0}},
        {5, {false, "0:a|2:b|", 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        const Outcome got = read_failing(text, c.failing);
        EXPECT_EQ(got.complete, c.expected.complete);
        EXPECT_EQ(got.lines, c.expected.lines);
        EXPECT_EQ(got.offset, c.expected.offset);
    }
}

TEST(LrcReaderMemory, OffsetReadSoFarStays) {
    // Allocations: offset line, line a, offset line, line b.
    const Outcome got = read_failing("[offset:100]\na\n[offset:200]\nb", 4);
    EXPECT_FALSE(got.complete);
    EXPECT_EQ(got.lines, "0:a|");
    EXPECT_EQ(got.offset, 200);
}

}  // namespace
}  // namespace versotime
