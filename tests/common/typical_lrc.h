// Deterministic lyric text for the large-input tests and the benchmarks:
// lines of one or two time tags and 20 to 60 bytes of words, CR LF ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace versotime {
namespace testing_support {

// A small, fast generator: the same text on every platform.
class TextRandom {
public:
    explicit TextRandom(std::uint32_t seed) : state_(seed ? seed : 1) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::uint32_t below(std::uint32_t n) { return next() % n; }

private:
    std::uint32_t state_;
};

struct TypicalLrc {
    std::string text;
    int lines = 0;
    int tags = 0;
};

// UTF-8 words that one system code page can represent: Chinese for 936,
// accented Latin for 1252.
constexpr const char* chinese_word = "\xE6\x98\x9F\xE5\x85\x89";
constexpr const char* latin_word = "\xC3\xA9t\xC3\xA9";

// At least `bytes` bytes of text, whole lines only; one word in fourteen is
// `special_word`, the others ASCII.
inline TypicalLrc typical_lrc(std::size_t bytes, std::uint32_t seed = 2026, const char* special_word = chinese_word) {
    const char* const words[] = {"love", "night", "shine", "river", "we", "are", "the", "light",
                                 special_word, "dance", "away", "home", "o", "rain"};
    TextRandom random(seed);
    TypicalLrc out;
    out.text.reserve(bytes + 128);
    unsigned centiseconds = 0;
    while (out.text.size() < bytes) {
        const int tag_count = 1 + static_cast<int>(random.below(4) == 0);
        for (int t = 0; t < tag_count; ++t) {
            centiseconds += 150 + random.below(400);
            char tag[16];
            const unsigned c = centiseconds % 600000;
            std::snprintf(tag, sizeof tag, "[%02u:%02u.%02u]", c / 6000, c / 100 % 60, c % 100);
            out.text += tag;
        }
        const std::size_t length = 20 + random.below(41);
        const std::size_t start = out.text.size();
        while (out.text.size() - start < length) {
            if (out.text.size() > start) out.text += ' ';
            out.text += words[random.below(sizeof words / sizeof words[0])];
        }
        out.text += "\r\n";
        ++out.lines;
        out.tags += tag_count;
    }
    return out;
}

}  // namespace testing_support
}  // namespace versotime
