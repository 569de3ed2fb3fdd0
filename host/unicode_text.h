// Well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF) for the
// paths that must never cut or lose text: a byte that is not part of a
// well-formed character is replaced on its own and everything after it goes
// on. The converters of text_convert.h keep their own rules (they end at the
// first invalid sequence).
#pragma once

#include <cstddef>
#include <cstdint>

namespace versotime {

constexpr std::uint32_t replacement_character = 0xFFFD;

// Bytes (1 to 4) of the well-formed character that starts at `bytes`, within
// `available` bytes; 0 when none starts there. A NUL byte is a character of
// one byte. `value` (when given) receives the code point, 0 when none.
unsigned utf8_character_length(const char* bytes, std::size_t available, std::uint32_t* value = nullptr);

// Whether all `count` bytes are well-formed UTF-8 (NUL bytes included).
bool is_valid_utf8(const char* bytes, std::size_t count);

// UTF-8 to UTF-16 up to the first NUL or `max_bytes`; each byte that is not
// part of a well-formed character becomes one U+FFFD. The destination must
// hold input bytes + 1 units; the result is terminated and the count of
// units before the terminator returned.
std::uint32_t convert_utf8_to_utf16_replacing(const char* source, char16_t* destination, std::uint32_t max_bytes);

// UTF-16 to UTF-8 up to the first zero unit or `max_units`; an unpaired
// surrogate (one cut off by the bound included) becomes U+FFFD. The
// destination must hold 3 x input units + 1 bytes; terminated, count
// returned.
std::uint32_t convert_utf16_to_utf8_replacing(const char16_t* source, char* destination, std::uint32_t max_units);

}  // namespace versotime
