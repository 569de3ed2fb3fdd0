// Any bytes as lyric text: read, write, read again. The reader never refuses
// a text, and what the writer makes of a document reads back into the same
// lines: same count, same printed tags (tags without one vanish; from 1000
// minutes on only the tag itself is kept, not its time), same texts
// (an untimed line loses its leading blanks), and the offset when it is
// written at all. A second round changes nothing.
// Then the editing side: lines just read (packed) and lines unpacked or
// added by edits, with reads into a document that already holds lines, all
// checked against a plain model of the lines.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/lyric_document.h"
#include "tests/common/typical_lrc.h"
#include "tests/fuzz/fuzz_check.h"

using namespace versotime;

namespace {

// Printed tags of a line, concatenated, as the writer puts them.
bool printed_tags_equal(const LyricLine& before, const LyricLine& after) {
    int j = 0;
    for (int i = 0; i < before.tag_count(); ++i) {
        const TimeTag& tag = before.tag(i);
        if (tag.text_length() == 0) continue;
        if (j >= after.tag_count()) return false;
        const TimeTag& back = after.tag(j++);
        if (back.text_length() == 0) return false;
        // From 1000 minutes on the printed form keeps only three minute
        // digits, so it reads back as a smaller time.
        if (tag.time() >= 60000.0) continue;
        if (back.text_length() != tag.text_length() || std::memcmp(back.text(), tag.text(), tag.text_length()) != 0) {
            return false;
        }
    }
    return j == after.tag_count();
}

bool texts_equal(const LyricLine& before, const LyricLine& after) {
    const char* text = before.text().c_str();
    std::uint32_t length = before.text().length();
    if (before.tag_text().length() == 0) {
        while (length > 0 && (*text == ' ' || *text == '\t')) {
            ++text;
            --length;
        }
    }
    return after.text().length() == length && std::memcmp(after.text().c_str(), text, length) == 0;
}

bool same_string(const Utf8String& a, const Utf8String& b) {
    return a.length() == b.length() && std::memcmp(a.c_str(), b.c_str(), a.length()) == 0;
}

struct ModelLine {
    std::string text;
    std::vector<double> times;
};
using Model = std::vector<ModelLine>;

Model model_of(const LyricDocument& doc) {
    Model model;
    for (int i = 0; i < doc.line_count(); ++i) {
        const LineView line = doc.view(i);
        ModelLine m{std::string(line.text(), line.text_length()), {}};
        for (int k = 0; k < line.tag_count(); ++k) m.times.push_back(line.tag_time(k));
        model.push_back(m);
    }
    return model;
}

std::string printed(double seconds) {
    char out[time_tag_capacity];
    const std::uint32_t n = format_time_tag(seconds, out);
    return std::string(out, n);
}

std::string lrc_of(const Model& model) {
    std::string out;
    for (const ModelLine& line : model) {
        for (const double t : line.times) out += printed(t);
        out += line.text + "\r\n";
    }
    return out;
}

bool same_times(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The document's lines, seen through view() and through line() (which
// unpacks), against the model; then its written text.
void check_against(LyricDocument& doc, const Model& model, bool unpack) {
    FUZZ_CHECK(doc.line_count() == static_cast<int>(model.size()));
    for (int i = 0; i < doc.line_count(); ++i) {
        const ModelLine& m = model[static_cast<std::size_t>(i)];
        const LineView view = doc.view(i);
        FUZZ_CHECK(view.text_length() == m.text.size() && std::memcmp(view.text(), m.text.data(), m.text.size()) == 0);
        FUZZ_CHECK(view.text()[view.text_length()] == 0);
        FUZZ_CHECK(view.tag_count() == static_cast<int>(m.times.size()));
        for (int k = 0; k < view.tag_count(); ++k) {
            FUZZ_CHECK(same_times(view.tag_time(k), m.times[static_cast<std::size_t>(k)]));
            char shown[time_tag_capacity];
            FUZZ_CHECK(std::string(shown, view.tag_text(k, shown)) == printed(m.times[static_cast<std::size_t>(k)]));
        }
        if (!unpack) continue;
        const LyricLine& line = doc.line(i);
        FUZZ_CHECK(line.text().length() == m.text.size() &&
                   std::memcmp(line.text().c_str(), m.text.data(), m.text.size()) == 0);
        FUZZ_CHECK(line.tag_count() == static_cast<int>(m.times.size()));
        for (int k = 0; k < line.tag_count(); ++k) {
            FUZZ_CHECK(same_times(line.tag(k).time(), m.times[static_cast<std::size_t>(k)]));
        }
    }
    Utf8String written;
    FUZZ_CHECK(doc.write_lrc(0, written));
    const std::string expected = lrc_of(model);
    FUZZ_CHECK(written.length() == expected.size() && std::memcmp(written.c_str(), expected.data(), expected.size()) == 0);
}

// Edits chosen from the input, applied to the document and to the model
// alike; some read a part of the input again into the edited document.
void edit_after_read(const char* text, std::uint32_t size) {
    LyricDocument doc;
    FUZZ_CHECK(doc.read_lrc(text, size));
    Model model = model_of(doc);
    std::uint32_t seed = 2166136261u;
    for (std::uint32_t i = 0; i < size; ++i) seed = (seed ^ static_cast<unsigned char>(text[i])) * 16777619u;
    testing_support::TextRandom random(seed);
    const int edits = 4 + static_cast<int>(random.below(24));
    for (int e = 0; e < edits; ++e) {
        const int count = doc.line_count();
        const int at = count ? static_cast<int>(random.below(static_cast<std::uint32_t>(count))) : 0;
        const double time = static_cast<double>(random.below(700000)) / 100.0;
        switch (random.below(8)) {
        case 0: {
            const int where = static_cast<int>(random.below(static_cast<std::uint32_t>(count) + 1));
            LyricLine* line = new LyricLine;
            line->text().assign("inserted");
            line->add_tag(new TimeTag(time));
            FUZZ_CHECK(doc.insert_line(where, line));
            model.insert(model.begin() + where, ModelLine{"inserted", {time}});
            break;
        }
        case 1: {
            LyricLine* line = new LyricLine;
            line->text().assign("added");
            FUZZ_CHECK(doc.add_line(line));
            model.push_back(ModelLine{"added", {}});
            break;
        }
        case 2:
            if (!count) break;
            doc.remove_line(at);
            model.erase(model.begin() + at);
            break;
        case 3:
            if (!count) break;
            FUZZ_CHECK(doc.line(at).add_tag(new TimeTag(time)));
            model[static_cast<std::size_t>(at)].times.push_back(time);
            break;
        case 4: {
            if (!count || model[static_cast<std::size_t>(at)].times.empty()) break;
            std::vector<double>& times = model[static_cast<std::size_t>(at)].times;
            const int k = static_cast<int>(random.below(static_cast<std::uint32_t>(times.size())));
            doc.line(at).remove_tag(k);
            times.erase(times.begin() + k);
            break;
        }
        case 5:
            if (!count) break;
            FUZZ_CHECK(doc.line(at).set_text_ansi("changed words"));
            model[static_cast<std::size_t>(at)].text = "changed words";
            break;
        case 6:
            if (count) doc.line(at);
            break;
        case 7: {
            // A read into the edited document gives what it gives into an empty one.
            const std::uint32_t from = random.below(size + 1);
            const std::uint32_t length = random.below(size - from + 1);
            FUZZ_CHECK(doc.read_lrc(text + from, length));
            LyricDocument fresh;
            FUZZ_CHECK(fresh.read_lrc(text + from, length));
            FUZZ_CHECK(doc.offset_ms() == fresh.offset_ms());
            model = model_of(fresh);
            break;
        }
        }
        if (random.below(4) == 0) check_against(doc, model, false);
    }
    check_against(doc, model, true);
    doc.clear();
    FUZZ_CHECK(doc.line_count() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 0x7FFFFFFF) return 0;
    LyricDocument first;
    FUZZ_CHECK(first.read_lrc(reinterpret_cast<const char*>(data), static_cast<std::uint32_t>(size)));
    const std::int32_t offset = first.offset_ms();
    // Written while every line is still packed, and again once all are unpacked.
    Utf8String written;
    FUZZ_CHECK(first.write_lrc(offset, written));
    for (int i = 0; i < first.line_count(); ++i) FUZZ_CHECK(first.line(i).kind() == LineKind::lyric);
    Utf8String unpacked_written;
    FUZZ_CHECK(first.write_lrc(offset, unpacked_written));
    FUZZ_CHECK(same_string(written, unpacked_written));

    LyricDocument second;
    FUZZ_CHECK(second.read_lrc(written));
    FUZZ_CHECK(second.line_count() == first.line_count());
    FUZZ_CHECK(second.offset_ms() == ((offset > 10 || offset < -10) ? offset : 0));
    for (int i = 0; i < first.line_count(); ++i) {
        FUZZ_CHECK(printed_tags_equal(first.line(i), second.line(i)));
        FUZZ_CHECK(texts_equal(first.line(i), second.line(i)));
    }

    Utf8String rewritten;
    FUZZ_CHECK(second.write_lrc(second.offset_ms(), rewritten));
    LyricDocument third;
    FUZZ_CHECK(third.read_lrc(rewritten));
    Utf8String again;
    FUZZ_CHECK(third.write_lrc(third.offset_ms(), again));
    FUZZ_CHECK(same_string(rewritten, again));

    edit_after_read(reinterpret_cast<const char*>(data), static_cast<std::uint32_t>(size));
    return 0;
}
