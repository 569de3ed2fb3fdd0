#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>

#include "core/edit_history.h"
#include "core/lyric_document.h"
#include "core/lyric_line.h"
#include "core/time_tag.h"

namespace versotime {
namespace {

struct LineSpec {
    const char* text;
    std::initializer_list<double> times;
};

void fill(LyricDocument& doc, std::initializer_list<LineSpec> lines, std::int32_t offset = 0) {
    doc.clear();
    doc.set_offset_ms(offset);
    for (const LineSpec& spec : lines) {
        LyricLine* line = new LyricLine;
        line->text().assign(spec.text);
        for (const double t : spec.times) line->add_tag(new TimeTag(t));
        ASSERT_TRUE(doc.add_line(line));
    }
}

// Everything a step must bring back, as one comparable text; times in full.
std::string describe(const LyricDocument& doc, const EditorView& view) {
    std::string out = "offset " + std::to_string(doc.offset_ms()) + "\n";
    for (int i = 0; i < doc.line_count(); ++i) {
        const LyricLine& line = doc.line(i);
        out += std::string(line.text().c_str(), line.text().length()) + " |" + line.tag_text().c_str() + "|";
        for (int t = 0; t < line.tag_count(); ++t) {
            char time[40];
            std::snprintf(time, sizeof time, " %.17g %s", line.tag(t).time(), line.tag(t).text());
            out += time;
        }
        out += "\n";
    }
    out += "view " + std::to_string(view.current_line) + " " + std::to_string(view.lyric_selection) + " " +
           std::to_string(view.tag_selection) + " " + std::to_string(view.working_offset) + " " +
           (view.lyric_changed ? "changed" : "unchanged") + " " + std::to_string(view.enabled_controls) + " [" +
           std::string(view.offset_text.c_str(), view.offset_text.length()) + "]";
    return out;
}

EditorView view_of(int line, int lyric_sel, int tag_sel, std::int32_t offset, bool changed, std::uint32_t enabled,
                   const char* offset_text) {
    EditorView view;
    view.current_line = line;
    view.lyric_selection = lyric_sel;
    view.tag_selection = tag_sel;
    view.working_offset = offset;
    view.lyric_changed = changed;
    view.enabled_controls = enabled;
    view.offset_text.assign(offset_text);
    return view;
}

TEST(EditState, RestoresExactlyWhatWasTaken) {
    struct Case {
        const char* name;
        std::initializer_list<LineSpec> lines;
        std::int32_t document_offset;
    };
    const Case cases[] = {
        {"empty", {}, 0},
        {"untimed lines and an empty one", {{"first", {}}, {"", {}}, {"third", {}}}, 0},
        {"tags in list order, near-equal and full precision",
         {{"a", {12.3, 1.5, 1.5, 83.456789}}, {"b", {0.0}}},
         -300},
        {"tags without a time and huge times", {{"x", {-1.0, 6000.0, 1e300}}}, 5},
        {"UTF-8 and an invalid byte kept", {{"\xe4\xbd\xa0\xe5\xa5\xbd", {1.0}}, {"bad \xff byte", {}}}, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LyricDocument doc;
        fill(doc, c.lines, c.document_offset);
        doc.refresh_tag_texts();
        const EditorView view = view_of(1, 1, 0, 500, true, 0xA, "500");
        const std::string before = describe(doc, view);
        EditState* state = EditState::take(doc, view);
        ASSERT_NE(state, nullptr);
        EXPECT_TRUE(state->same_lyrics(doc, view));

        // Something else entirely in between.
        fill(doc, {{"other", {99.0}}}, 77);
        EditorView other = view_of(0, 0, -1, 0, false, 0, "abc");
        EXPECT_TRUE(state->restore(doc, other));
        EXPECT_EQ(describe(doc, other), before);
        EXPECT_TRUE(state->same_lyrics(doc, other));
        delete state;
    }
}

TEST(EditState, SameLyricsNoticesEachKindOfChange) {
    using Change = void (*)(LyricDocument&, EditorView&);
    struct Case {
        const char* name;
        Change change;
        bool same;
    };
    const Case cases[] = {
        {"nothing", [](LyricDocument&, EditorView&) {}, true},
        {"selections and enabling only",
         [](LyricDocument&, EditorView& v) {
             v.current_line = 0;
             v.lyric_selection = 0;
             v.tag_selection = -1;
             v.enabled_controls = 0;
         },
         true},
        {"a line's text", [](LyricDocument& d, EditorView&) { d.line(1).text().assign("B"); }, false},
        {"a line's text grows", [](LyricDocument& d, EditorView&) { d.line(0).text().append("!"); }, false},
        {"a tag added", [](LyricDocument& d, EditorView&) { d.line(0).add_tag(new TimeTag(9.0)); }, false},
        {"a tag removed", [](LyricDocument& d, EditorView&) { d.line(0).remove_tag(0); }, false},
        {"a tag's time by a hundredth",
         [](LyricDocument& d, EditorView&) {
             d.line(1).remove_tag(0);
             d.line(1).add_tag(new TimeTag(2.01));
         },
         false},
        {"a line removed", [](LyricDocument& d, EditorView&) { d.remove_line(1); }, false},
        {"a line added", [](LyricDocument& d, EditorView&) { d.add_line(new LyricLine); }, false},
        {"the document's offset", [](LyricDocument& d, EditorView&) { d.set_offset_ms(1); }, false},
        {"the working offset", [](LyricDocument&, EditorView& v) { v.working_offset = 0; }, false},
        {"the offset field", [](LyricDocument&, EditorView& v) { v.offset_text.assign("0500"); }, false},
        {"the changed flag", [](LyricDocument&, EditorView& v) { v.lyric_changed = true; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LyricDocument doc;
        fill(doc, {{"a", {1.0, 1.5}}, {"b", {2.0}}});
        EditorView view = view_of(1, 1, 0, 500, false, 3, "500");
        EditState* state = EditState::take(doc, view);
        ASSERT_NE(state, nullptr);
        c.change(doc, view);
        EXPECT_EQ(state->same_lyrics(doc, view), c.same);
        delete state;
    }
}

// A history over a one-line document whose text counts the changes.
class Counter {
public:
    explicit Counter(EditHistory& history) : history_(history) { set(0); }
    void change() {
        history_.record(EditState::take(doc_, view_));
        set(value_ + 1);
    }
    bool undo() { return move(history_.undo_target(), true); }
    bool redo() { return move(history_.redo_target(), false); }
    int value() const { return std::atoi(doc_.line(0).text().c_str()); }
    LyricDocument& document() { return doc_; }

private:
    void set(int value) {
        value_ = value;
        fill(doc_, {{std::to_string(value).c_str(), {}}});
    }
    bool move(const EditState* target, bool undo) {
        if (!target) return false;
        EditState* present = EditState::take(doc_, view_);
        if (!target->restore(doc_, view_)) return false;
        if (undo) {
            history_.undone(present);
        } else {
            history_.redone(present);
        }
        value_ = value();
        return true;
    }

    EditHistory& history_;
    LyricDocument doc_;
    EditorView view_;
    int value_ = 0;
};

TEST(EditHistory, UndoAndRedoWalkBothWays) {
    EditHistory history;
    Counter counter(history);
    EXPECT_FALSE(counter.undo());
    EXPECT_FALSE(counter.redo());
    for (int i = 0; i < 3; ++i) counter.change();
    EXPECT_EQ(counter.value(), 3);
    const int walk[][3] = {
        // undo?, value after, undo steps left
        {1, 2, 2}, {1, 1, 1}, {0, 2, 2}, {1, 1, 1}, {1, 0, 0}, {0, 1, 1}, {0, 2, 2}, {0, 3, 3},
    };
    for (const auto& step : walk) {
        SCOPED_TRACE(step[1]);
        EXPECT_TRUE(step[0] ? counter.undo() : counter.redo());
        EXPECT_EQ(counter.value(), step[1]);
        EXPECT_EQ(history.undo_count(), step[2]);
        EXPECT_EQ(history.redo_count(), 3 - step[2]);
    }
    EXPECT_FALSE(counter.redo());
    EXPECT_EQ(counter.value(), 3);
}

TEST(EditHistory, ANewChangeDropsTheRedoSteps) {
    EditHistory history;
    Counter counter(history);
    for (int i = 0; i < 4; ++i) counter.change();
    counter.undo();
    counter.undo();
    EXPECT_EQ(history.redo_count(), 2);
    counter.change();  // 2 -> 3, a different 3
    EXPECT_EQ(history.redo_count(), 0);
    EXPECT_FALSE(counter.redo());
    EXPECT_TRUE(counter.undo());
    EXPECT_EQ(counter.value(), 2);
}

TEST(EditHistory, KeepsTwoHundredStepsOfAnOrdinarySheet) {
    // Sixty lines of forty bytes with two tags each: an ordinary song.
    EditHistory history;
    LyricDocument doc;
    EditorView view;
    for (int i = 0; i < 60; ++i) {
        LyricLine* line = new LyricLine;
        line->text().assign("a lyric line of about forty bytes, say..");
        line->add_tag(new TimeTag(i * 3.0));
        line->add_tag(new TimeTag(i * 3.0 + 100.0));
        doc.add_line(line);
    }
    for (int i = 0; i < 250; ++i) {
        history.record(EditState::take(doc, view));
        doc.line(i % 60).add_tag(new TimeTag(1000.0 + i));
    }
    EXPECT_EQ(history.undo_count(), 250);
    EXPECT_LE(history.kept_bytes(), EditHistory::default_byte_bound);
    for (int i = 249; i >= 0; --i) {
        EditState* present = EditState::take(doc, view);
        ASSERT_TRUE(history.undo_target()->restore(doc, view));
        history.undone(present);
        EXPECT_EQ(doc.line(i % 60).tag_count(), 2 + i / 60) << i;
    }
    EXPECT_EQ(history.undo_count(), 0);
    EXPECT_EQ(history.redo_count(), 250);
}

TEST(EditHistory, TheOldestStepsGoPastTheBounds) {
    // Step bound: the oldest undo steps go; the newest stay.
    {
        EditHistory history(EditHistory::default_byte_bound, 5);
        Counter counter(history);
        for (int i = 0; i < 8; ++i) counter.change();
        EXPECT_EQ(history.undo_count(), 5);
        while (counter.undo()) {
        }
        EXPECT_EQ(counter.value(), 3);
    }
    // Byte bound: the same with bytes.
    {
        LyricDocument probe;
        fill(probe, {{"0", {}}});
        EditorView view;
        EditState* one = EditState::take(probe, view);
        ASSERT_NE(one, nullptr);
        const std::uint64_t step = one->size() + EditHistory::step_charge;
        delete one;
        EditHistory history(step * 3, EditHistory::step_capacity);
        Counter counter(history);
        for (int i = 0; i < 6; ++i) counter.change();
        EXPECT_EQ(history.undo_count(), 3);
        EXPECT_LE(history.kept_bytes(), step * 3);
        while (counter.undo()) {
        }
        EXPECT_EQ(counter.value(), 3);
    }
    // The capacity holds however small the steps are.
    {
        EditHistory history;
        Counter counter(history);
        for (int i = 0; i < EditHistory::step_capacity + 20; ++i) counter.change();
        EXPECT_EQ(history.undo_count(), EditHistory::step_capacity);
        counter.undo();
        counter.change();
        counter.undo();
        EXPECT_EQ(history.undo_count() + history.redo_count(), EditHistory::step_capacity);
    }
}

TEST(EditState, NoneLargerThanAsked) {
    LyricDocument doc;
    fill(doc, {{"a line", {1.0, 2.0}}, {"another line", {}}});
    const EditorView view = view_of(0, 0, -1, 0, false, 0, "12");
    EditState* whole = EditState::take(doc, view);
    ASSERT_NE(whole, nullptr);
    const std::uint32_t size = whole->size();
    delete whole;
    EditState* exact = EditState::take(doc, view, size);
    ASSERT_NE(exact, nullptr);
    EXPECT_EQ(exact->size(), size);
    delete exact;
    EXPECT_EQ(EditState::take(doc, view, size - 1), nullptr);
    EXPECT_EQ(EditState::take(doc, view, 0), nullptr);
}

TEST(EditHistory, AStateLargerThanTheBoundIsNotKept) {
    EditHistory history(16, EditHistory::step_capacity);
    Counter counter(history);
    counter.change();
    EXPECT_EQ(history.undo_count(), 0);
    EXPECT_EQ(history.kept_bytes(), 0u);
    EXPECT_FALSE(counter.undo());
}

TEST(EditHistory, AMissingStateForgetsRatherThanSkips) {
    EditHistory history;
    Counter counter(history);
    counter.change();
    counter.change();
    history.record(nullptr);
    EXPECT_EQ(history.undo_count(), 0);
    EXPECT_EQ(history.redo_count(), 0);
    EXPECT_EQ(history.kept_bytes(), 0u);

    // Without a present state to keep, the redo side goes.
    counter.change();
    counter.change();
    counter.undo();
    ASSERT_EQ(history.redo_count(), 1);
    ASSERT_NE(history.undo_target(), nullptr);
    history.undone(nullptr);
    EXPECT_EQ(history.redo_count(), 0);
    EXPECT_EQ(history.undo_count(), 0);

    // Nothing to undo: the present is simply let go.
    history.undone(EditState::take(counter.document(), EditorView()));
    history.redone(EditState::take(counter.document(), EditorView()));
    EXPECT_EQ(history.kept_bytes(), 0u);
}

TEST(EditHistory, ForgetEmptiesBothSides) {
    EditHistory history;
    Counter counter(history);
    for (int i = 0; i < 3; ++i) counter.change();
    counter.undo();
    history.forget();
    EXPECT_EQ(history.undo_count(), 0);
    EXPECT_EQ(history.redo_count(), 0);
    EXPECT_EQ(history.kept_bytes(), 0u);
    EXPECT_EQ(history.undo_target(), nullptr);
    EXPECT_EQ(history.redo_target(), nullptr);
}

TEST(NudgedTime, MovesByTheStepToTheNearestHundredth) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double time, delta, expected;
    };
    const Case cases[] = {
        {0.3, -0.1, 0.2},      {0.1, 0.1, 0.2},       {0.2, 0.1, 0.3},      {83.456, 0.1, 83.56},
        {12.3, 1.0, 13.3},     {12.3, -2.0, 10.3},    {12.3, 5.0, 17.3},    {4.99, 0.1, 5.09},
        {0.05, -0.1, 0.0},     {0.0, -0.1, 0.0},      {3.0, -5.0, 0.0},     {0.0, 0.1, 0.1},
        {5999.95, 0.1, 6000.05}, {1e12, 5.0, 1e12 + 5.0}, {inf, 0.1, inf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.time) + " + " + std::to_string(c.delta));
        const double got = nudged_time(c.time, c.delta);
        EXPECT_EQ(got, c.expected);
        if (std::isfinite(c.expected)) {
            EXPECT_EQ(got, std::round(c.expected * 100.0) / 100.0);
        }
    }
    // Repeated nudges never drift away from whole hundredths.
    double t = 0.3;
    for (int i = 0; i < 1000; ++i) t = nudged_time(t, 0.1);
    EXPECT_EQ(t, 100.3);
    for (int i = 0; i < 1003; ++i) t = nudged_time(t, -0.1);
    EXPECT_EQ(t, 0.0);

    // No time to move: kept as it is.
    EXPECT_EQ(nudged_time(-1.0, 0.1), -1.0);
    EXPECT_EQ(nudged_time(-inf, 5.0), -inf);
    EXPECT_TRUE(std::isnan(nudged_time(nan, 0.1)));
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(nudged_time(largest, 5.0), largest);
}

TEST(NudgedTime, APrintedFormFollowsTheNewTime) {
    const TimeTag tag(nudged_time(0.3, -0.1));
    EXPECT_STREQ(tag.text(), "[00:00.2]");
    const TimeTag later(nudged_time(59.95, 0.1));
    EXPECT_STREQ(later.text(), "[01:00.0]");
}

}  // namespace
}  // namespace versotime
