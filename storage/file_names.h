// Names of lyric files: the extension rule and the two proposal rules, and
// cutting UTF-8 text to a byte budget. Portable: no Win32 types.
#pragma once

#include <cstdint>

#include "host/utf8_string.h"

namespace versotime {

// Keeps `path` up to and including its last '.', then appends `extension`
// (with no '.' only the extension remains). False, and `path` unchanged,
// when `path` is empty.
bool replace_extension(Utf8String& path, const char* extension);

// Rule 0: the media location with its extension replaced by `suffix`; an
// empty location gives an empty proposal.
void propose_same_as_media(const char* location, const char* suffix, Utf8String& out);

// Rule 1: `out` holds the formatted title; appends '.' and `suffix`.
void finish_formatted_name(Utf8String& out, const char* suffix);

// The longest prefix of the `length` bytes of `text` that has at most
// `max_bytes` bytes and does not end inside a UTF-8 character.
std::uint32_t utf8_fit_length(const char* text, std::uint32_t length, std::uint32_t max_bytes);

}  // namespace versotime
