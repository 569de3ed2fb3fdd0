// The encodings a lyric file may be in, and reading one: a byte-order mark
// decides, else well-formed UTF-8 with at least one multi-byte character,
// else the system code page (as lyric files were always read). The C
// run-time's text-mode rules apply to the decoded characters: U+001A ends
// the text, U+0000 is left out, CR LF becomes LF.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/utf8_string.h"

namespace versotime {

enum class TextEncoding : std::uint8_t {
    system_code_page,
    utf8,            // no mark
    utf8_with_mark,  // EF BB BF
    utf16le,         // with its mark FF FE
    utf16be,         // with its mark FE FF
};

// "system", "utf-8", "utf-8-bom", "utf-16le", "utf-16be".
const char* text_encoding_name(TextEncoding encoding);

// A narrow code page's two conversions, with the contract of system_to_utf16
// and utf16_to_system (system_code_page.h); the callers here always give a
// capacity. Tools choose another code page through it.
struct NarrowCodec {
    std::uint32_t (*to_utf16)(const char* source, std::uint32_t count, char16_t* out, std::uint32_t capacity);
    std::uint32_t (*from_utf16)(const char16_t* source, std::uint32_t count, char* out, std::uint32_t capacity);
};
const NarrowCodec& system_codec();

// The text-mode rules on bytes, in place: each CR LF pair becomes LF, the
// text ends at the first byte 0x1A, and bytes 0x00 are left out (after the
// pairs are joined). Returns the new count.
std::size_t apply_text_mode(char* bytes, std::size_t count);

// The encoding of a lyric file's raw bytes. Without a mark, only the bytes
// before the first 0x1A (the text that is read) are looked at.
TextEncoding detect_text_encoding(const char* bytes, std::size_t count);

// Decodes a lyric file's raw bytes, read as `encoding` (its mark, when the
// encoding has one and the bytes start with it, is dropped), into `out` as
// UTF-8, replacing what `out` held. The bytes are used as scratch space and
// hold no meaning afterwards.
// - system code page: exactly as lyric files were always read (text mode on
//   the bytes, then the code page's conversion a megabyte at a time);
// - UTF-8: text mode on the bytes; bytes that are not well-formed UTF-8 are
//   kept as they stand, so a save writes them back unchanged;
// - UTF-16: unpaired surrogates and an odd last byte become U+FFFD.
// False, with `out` empty, when memory runs out or the text would pass the
// string's length limit.
bool decode_text(TextEncoding encoding, char* bytes, std::size_t count, Utf8String& out,
                 const NarrowCodec& codec = system_codec());

// detect_text_encoding, then decode_text; `encoding` receives what was
// detected, whether or not the decoding succeeds.
bool decode_detected_text(char* bytes, std::size_t count, Utf8String& out, TextEncoding& encoding,
                          const NarrowCodec& codec = system_codec());

}  // namespace versotime
