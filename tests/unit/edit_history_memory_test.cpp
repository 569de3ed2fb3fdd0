// Undo states when the heap refuses a line or a time tag. This executable
// replaces the nothrow operator new, which the lyric core allocates with, so
// that one chosen allocation fails.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "core/edit_history.h"
#include "core/lyric_document.h"
#include "core/lyric_line.h"
#include "core/time_tag.h"
#include "tests/unit/failing_allocation.h"

namespace versotime {
namespace {

void fill(LyricDocument& doc, const char* prefix, int lines, std::int32_t offset) {
    doc.clear();
    doc.set_offset_ms(offset);
    for (int i = 0; i < lines; ++i) {
        LyricLine* line = new LyricLine;
        line->text().assign((std::string(prefix) + std::to_string(i)).c_str());
        for (int t = 0; t <= i; ++t) line->add_tag(new TimeTag(i * 10.0 + t));
        doc.add_line(line);
    }
}

std::string describe(const LyricDocument& doc) {
    std::string out = std::to_string(doc.offset_ms()) + ":";
    for (int i = 0; i < doc.line_count(); ++i) {
        out += doc.line(i).text().c_str();
        for (int t = 0; t < doc.line(i).tag_count(); ++t) out += " " + std::to_string(doc.line(i).tag_time(t));
        out += "|";
    }
    return out;
}

TEST(EditStateMemory, ARefusedAllocationNeverLeavesAMixture) {
    LyricDocument doc;
    fill(doc, "before ", 3, 500);
    const std::string before = describe(doc);
    EditorView view;
    view.current_line = 2;
    EditState* state = EditState::take(doc, view);
    ASSERT_NE(state, nullptr);
    fill(doc, "after ", 2, -40);
    const std::string after = describe(doc);

    bool reached_the_end = false;
    for (int failing = 1; failing < 100 && !reached_the_end; ++failing) {
        SCOPED_TRACE(failing);
        EditorView restored;
        bool done;
        {
            test::FailingAllocation fail(failing);
            done = state->restore(doc, restored);
            reached_the_end = !fail.reached();
        }
        EXPECT_EQ(done, reached_the_end);
        if (done) {
            EXPECT_EQ(describe(doc), before);
            EXPECT_EQ(restored.current_line, 2);
        } else {
            // Unchanged, or, when the emptied document could not take the
            // lines back, the first lines of the state and nothing else.
            const std::string got = describe(doc);
            EXPECT_TRUE(got == after || before.compare(0, got.size(), got) == 0) << got;
        }
    }
    EXPECT_TRUE(reached_the_end);
    delete state;
}

TEST(EditStateMemory, NoStateWithoutMemoryAndTheHistoryForgets) {
    LyricDocument doc;
    fill(doc, "line ", 2, 0);
    EditHistory history;
    history.record(EditState::take(doc, EditorView()));
    ASSERT_EQ(history.undo_count(), 1);
    EditState* state;
    {
        test::FailingAllocation fail(1);
        state = EditState::take(doc, EditorView());
    }
    EXPECT_EQ(state, nullptr);
    history.record(state);
    EXPECT_EQ(history.undo_count(), 0);
    EXPECT_EQ(history.kept_bytes(), 0u);
}

}  // namespace
}  // namespace versotime
