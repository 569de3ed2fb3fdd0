// Portable stricmp_utf8 for builds without the player's utf8api: simple
// upper-casing of ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic,
// then an ordinal comparison of code points. Bytes that are not valid UTF-8
// compare as themselves, above every valid character.
#include "host/stricmp_utf8.h"

#include <cstdint>

#include "host/text_convert.h"

namespace {

std::uint32_t upper_case(std::uint32_t c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c < 0x80) return c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~1u;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1u) ? c : c - 1;
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 0x20;
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

// The next character of `*text`, advancing past it; 0 at the end.
std::uint32_t next_character(const char*& text) {
    if (*text == '\0') return 0;
    std::uint32_t value = 0;
    unsigned used = versotime::decode_utf8_sequence(text, &value, 6);
    if (used == 0) {
        value = 0x80000000u | static_cast<unsigned char>(*text);
        used = 1;
    }
    text += used;
    return value;
}

}  // namespace

extern "C" int stricmp_utf8(const char* a, const char* b) {
    if (a == nullptr) a = "";
    if (b == nullptr) b = "";
    for (;;) {
        std::uint32_t ca = upper_case(next_character(a));
        std::uint32_t cb = upper_case(next_character(b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}
