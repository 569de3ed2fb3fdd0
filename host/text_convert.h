// Character codecs and string converters between UTF-8, UTF-16 and the
// system code page. Each converter writes a NUL-terminated result into a
// caller-supplied buffer and returns the count of units written before the
// terminator; the buffer sizes the caller must provide are noted per function.
#pragma once

#include <cstdint>

namespace versotime {

// Bytes used by one UTF-8 sequence (0 for NUL or invalid input); at most
// `max_bytes` (capped at 6) are looked at. `value` is set to 0 first.
unsigned decode_utf8_sequence(const char* source, std::uint32_t* value, std::uint32_t max_bytes);
// Bytes of the classic UTF-8 form (1 to 6), 0 above 0x7FFFFFFF; with a null
// output only measures.
unsigned encode_utf8_sequence(std::uint32_t value, char* out);
// One or two UTF-16 units; 0 for the value 0 or a value above 0x10FFFF. With
// a null output only measures.
unsigned encode_utf16_units(std::uint32_t value, char16_t* out);
// Units used (1 or 2); 0 at a zero unit.
unsigned decode_utf16_units(const char16_t* source, std::uint32_t* value);

// destination: input bytes + 1 units
std::uint32_t convert_utf8_to_utf16(const char* source, char16_t* destination, std::uint32_t max_bytes);
// destination: 3 x input units + 1 bytes
std::uint32_t convert_utf16_to_utf8(const char16_t* source, char* destination, std::uint32_t max_units);
// destination: input bytes + 1 units
std::uint32_t convert_system_to_utf16(const char* source, char16_t* destination, std::uint32_t max_bytes);
// destination: 2 x input units + 1 bytes
std::uint32_t convert_utf16_to_system(const char16_t* source, char* destination, std::uint32_t max_units);
// destination: input bytes + 1 bytes
std::uint32_t convert_utf8_to_system(const char* source, char* destination, std::uint32_t max_bytes);
// destination: 3 x input bytes + 1 bytes
std::uint32_t convert_system_to_utf8(const char* source, char* destination, std::uint32_t max_bytes);

// For paths that must not lose text (saving, copying): exactly `length`
// bytes of UTF-8, where each byte that cannot start or continue a valid
// sequence (a NUL included) becomes one "?" instead of ending the text.
// destination: length + 1 bytes. False, with an empty destination, when the
// scratch space cannot be had.
bool convert_utf8_to_system_replacing(const char* source, std::uint32_t length, char* destination,
                                      std::uint32_t* written);

// The length of the next piece of `rest` UTF-8 bytes: at most `max_bytes`,
// never ending inside a valid sequence (invalid bytes may be split anywhere).
std::uint32_t utf8_piece_length(const char* text, std::uint32_t rest, std::uint32_t max_bytes);

}  // namespace versotime
