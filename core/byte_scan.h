// Finding the few bytes the reader stops at (line ends, brackets) a machine
// word at a time: lyric text is mostly bytes it passes over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace versotime {
namespace scan {

using Word = std::size_t;
constexpr Word ones = ~Word{0} / 0xFF;  // 0x0101...
constexpr Word highs = ones * 0x80;      // 0x8080...

inline Word load(const char* at) {
    Word w;
    std::memcpy(&w, at, sizeof w);
    return w;
}

// Nonzero when some byte of `w` is below `n` (n at most 128).
constexpr Word has_below(Word w, unsigned n) { return (w - ones * n) & ~w & highs; }
// Nonzero when some byte of `w` equals `b`.
constexpr Word has_byte(Word w, unsigned char b) { return has_below(w ^ (ones * b), 1); }

inline bool is_line_end(char c) { return c == '\r' || c == '\n'; }
inline bool is_bracket(char c) { return c == '[' || c == ']'; }

// Position of the first CR or LF at or after `from`, or `length`.
inline std::uint32_t find_line_end(const char* text, std::uint32_t from, std::uint32_t length) {
    std::uint32_t i = from;
    while (length - i >= sizeof(Word)) {
        // CR and LF are below 14; so is a tab, the only such byte usual in text.
        if (has_below(load(text + i), 14)) {
            for (std::uint32_t k = 0; k < sizeof(Word); ++k) {
                if (is_line_end(text[i + k])) return i + k;
            }
        }
        i += sizeof(Word);
    }
    while (i < length && !is_line_end(text[i])) ++i;
    return i;
}

// Position of the first square bracket at or after `from`, or `length`.
inline std::uint32_t find_bracket(const char* text, std::uint32_t from, std::uint32_t length) {
    std::uint32_t i = from;
    while (length - i >= sizeof(Word)) {
        const Word w = load(text + i);
        if (has_byte(w, '[') | has_byte(w, ']')) {
            for (std::uint32_t k = 0; k < sizeof(Word); ++k) {
                if (is_bracket(text[i + k])) return i + k;
            }
        }
        i += sizeof(Word);
    }
    while (i < length && !is_bracket(text[i])) ++i;
    return i;
}

}  // namespace scan
}  // namespace versotime
