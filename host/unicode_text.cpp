#include "host/unicode_text.h"

#include "host/text_convert.h"
#include "host/utf8_string.h"

namespace versotime {

unsigned utf8_character_length(const char* bytes, std::size_t available, std::uint32_t* value) {
    if (value) *value = 0;
    if (!bytes || available == 0) return 0;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned lead = b[0];
    if (lead < 0x80) {
        if (value) *value = lead;
        return 1;
    }
    unsigned n;
    std::uint32_t v;
    // The second byte's range rules out overlong forms, surrogates and
    // values past U+10FFFF (RFC 3629's table).
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        v = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        v = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        v = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (available < n) return 0;
    if (b[1] < low || b[1] > high) return 0;
    for (unsigned i = 1; i < n; ++i) {
        if ((b[i] & 0xC0) != 0x80) return 0;
        v = (v << 6) | (b[i] & 0x3F);
    }
    if (value) *value = v;
    return n;
}

bool is_valid_utf8(const char* bytes, std::size_t count) {
    std::size_t at = 0;
    while (at < count) {
        // ASCII runs are the common case.
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const unsigned n = utf8_character_length(bytes + at, count - at);
        if (n == 0) return false;
        at += n;
    }
    return true;
}

std::uint32_t convert_utf8_to_utf16_replacing(const char* source, char16_t* destination, std::uint32_t max_bytes) {
    const std::uint32_t count = bounded_length(source, max_bytes);
    std::uint32_t in = 0;
    std::uint32_t out = 0;
    while (in < count) {
        std::uint32_t value;
        unsigned used = utf8_character_length(source + in, count - in, &value);
        if (used == 0) {
            used = 1;
            value = replacement_character;
        }
        // A character of n bytes takes at most n units, so input + 1 units suffice.
        out += encode_utf16_units(value, destination + out);
        in += used;
    }
    destination[out] = 0;
    return out;
}

std::uint32_t convert_utf16_to_utf8_replacing(const char16_t* source, char* destination, std::uint32_t max_units) {
    std::uint32_t in = 0;
    std::uint32_t out = 0;
    while (source && in < max_units && source[in] != 0) {
        const std::uint32_t unit = source[in];
        std::uint32_t value = unit;
        unsigned used = 1;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const std::uint32_t next = in + 1 < max_units ? source[in + 1] : 0;
            if (next >= 0xDC00 && next <= 0xDFFF) {
                value = (((unit & 0x3FF) << 10) | (next & 0x3FF)) + 0x10000;
                used = 2;
            } else {
                value = replacement_character;
            }
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            value = replacement_character;
        }
        out += encode_utf8_sequence(value, destination + out);
        in += used;
    }
    destination[out] = 0;
    return out;
}

}  // namespace versotime
