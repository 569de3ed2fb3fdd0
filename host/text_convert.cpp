#include "host/text_convert.h"

#include "host/growable_buffer.h"
#include "host/system_code_page.h"
#include "host/utf8_string.h"

namespace versotime {

unsigned decode_utf8_sequence(const char* source, std::uint32_t* value, std::uint32_t max_bytes) {
    static const std::uint8_t masks[6] = {0x80, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE};
    static const std::uint8_t patterns[6] = {0x00, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};

    if (value) *value = 0;
    if (max_bytes == 0 || !source) return 0;
    if (max_bytes > 6) max_bytes = 6;

    const auto* bytes = reinterpret_cast<const std::uint8_t*>(source);
    if (bytes[0] < 0x80) {
        if (value) *value = bytes[0];
        return bytes[0] ? 1 : 0;
    }

    unsigned n = 0;
    for (unsigned k = 1; k < max_bytes; ++k) {
        if ((bytes[0] & masks[k]) == patterns[k]) {
            n = k + 1;
            break;
        }
    }
    if (n == 0) return 0;
    for (unsigned i = 0; i < n; ++i) {
        if (bytes[i] == 0) return 0;
    }
    if (n == 2 && (bytes[0] & 0x1E) == 0) return 0;  // overlong C0, C1

    std::uint32_t v = bytes[0] & ((1u << (7 - n)) - 1);
    for (unsigned i = 1; i < n; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) return 0;
        // An overlong form shows as no value bits in the lead and second bytes.
        if (i == 2 && v == 0 && ((bytes[i] & 0x7F) >> (7 - n)) == 0) return 0;
        v = v * 64 + (bytes[i] & 0x3F);
    }
    if (value) *value = v;
    return n;
}

unsigned encode_utf8_sequence(std::uint32_t value, char* out) {
    unsigned n;
    if (value < 0x80) n = 1;
    else if (value < 0x800) n = 2;
    else if (value < 0x10000) n = 3;
    else if (value < 0x200000) n = 4;
    else if (value < 0x4000000) n = 5;
    else if (value <= 0x7FFFFFFF) n = 6;
    else return 0;
    if (!out) return n;

    static const std::uint8_t leads[7] = {0, 0x00, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
    for (unsigned i = n - 1; i > 0; --i) {
        out[i] = static_cast<char>(0x80 | (value & 0x3F));
        value >>= 6;
    }
    out[0] = static_cast<char>(leads[n] | value);
    return n;
}

unsigned encode_utf16_units(std::uint32_t value, char16_t* out) {
    if (value == 0 || value > 0x10FFFF) return 0;
    if (!out) return value < 0x10000 ? 1 : 2;
    if (value < 0x10000) {
        out[0] = static_cast<char16_t>(value);
        return 1;
    }
    const std::uint32_t v = value - 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (v >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    return 2;
}

unsigned decode_utf16_units(const char16_t* source, std::uint32_t* value) {
    std::uint32_t ignored;
    if (!value) value = &ignored;
    const std::uint32_t first = source ? source[0] : 0;
    if (first == 0) {
        *value = 0;
        return 0;
    }
    if (first >= 0xD800 && first <= 0xDBFF) {
        const std::uint32_t second = source[1];
        if (second >= 0xDC00 && second <= 0xDFFF) {
            *value = (((first & 0x3FF) << 10) | (second & 0x3FF)) + 0x10000;
            return 2;
        }
    }
    *value = first;
    return 1;
}

std::uint32_t convert_utf8_to_utf16(const char* source, char16_t* destination, std::uint32_t max_bytes) {
    std::uint32_t in = 0;
    std::uint32_t out = 0;
    if (source && max_bytes > 0 && source[0] != 0) {
        while (in < max_bytes) {
            std::uint32_t value;
            const unsigned used = decode_utf8_sequence(source + in, &value, max_bytes - in);
            if (used == 0) break;
            const unsigned units = encode_utf16_units(value, destination + out);
            if (units == 0) break;
            in += used;
            out += units;
            if (in < max_bytes && source[in] == 0) break;
        }
    }
    destination[out] = 0;
    return out;
}

std::uint32_t convert_utf16_to_utf8(const char16_t* source, char* destination, std::uint32_t max_units) {
    std::uint32_t in = 0;
    std::uint32_t out = 0;
    while (source && in < max_units && source[in] != 0) {
        // A high surrogate on the last unit may be half of a pair split by
        // the bound; the unit after it is not ours to read, so stop here.
        const char16_t unit = source[in];
        if (in + 1 == max_units && unit >= 0xD800 && unit <= 0xDBFF) break;
        std::uint32_t value;
        const unsigned used = decode_utf16_units(source + in, &value);
        if (used == 0) break;
        const unsigned bytes = encode_utf8_sequence(value, destination + out);
        if (bytes == 0) break;
        in += used;
        out += bytes;
    }
    destination[out] = 0;
    return out;
}

std::uint32_t convert_system_to_utf16(const char* source, char16_t* destination, std::uint32_t max_bytes) {
    const std::uint32_t n = bounded_length(source, max_bytes);
    const std::uint32_t written = n ? system_to_utf16(source, n, destination, n) : 0;
    destination[written] = 0;
    return written;
}

std::uint32_t convert_utf16_to_system(const char16_t* source, char* destination, std::uint32_t max_units) {
    const std::uint32_t n = bounded_length16(source, max_units);
    const std::uint32_t written = n ? utf16_to_system(source, n, destination, 2 * n) : 0;
    destination[written] = 0;
    return written;
}

namespace {

// UTF-16 scratch space: on the stack up to 4096 bytes, else on the heap.
class Utf16Scratch {
public:
    explicit Utf16Scratch(std::uint32_t units) {
        if (units <= sizeof(stack_) / sizeof(char16_t)) {
            data_ = stack_;
        } else if (units <= 0x7FFFFFFFu / sizeof(char16_t) && heap_.resize(units * sizeof(char16_t))) {
            data_ = reinterpret_cast<char16_t*>(heap_.data());
        }
    }
    char16_t* data() { return data_; }

private:
    char16_t stack_[2048];
    GrowableBuffer heap_;
    char16_t* data_ = nullptr;
};

}  // namespace

std::uint32_t convert_utf8_to_system(const char* source, char* destination, std::uint32_t max_bytes) {
    const std::uint32_t n = bounded_length(source, max_bytes);
    Utf16Scratch scratch(n + 1);
    if (!scratch.data()) {
        destination[0] = 0;
        return 0;
    }
    const std::uint32_t units = convert_utf8_to_utf16(source, scratch.data(), n);
    // Every UTF-16 unit needs at most as many system bytes as the UTF-8 bytes
    // it came from, so the caller's n + 1 bytes always suffice.
    const std::uint32_t written = units ? utf16_to_system(scratch.data(), units, destination, n) : 0;
    destination[written] = 0;
    return written;
}

std::uint32_t convert_system_to_utf8(const char* source, char* destination, std::uint32_t max_bytes) {
    const std::uint32_t n = bounded_length(source, max_bytes);
    Utf16Scratch scratch(n + 1);
    if (!scratch.data()) {
        destination[0] = 0;
        return 0;
    }
    const std::uint32_t units = convert_system_to_utf16(source, scratch.data(), n);
    return convert_utf16_to_utf8(scratch.data(), destination, units);
}

namespace {

// The bytes of the valid sequence at `text`, 0 when its first byte starts
// none: one that decodes to a character UTF-16 can carry, surrogates and
// NUL excluded.
unsigned valid_sequence(const char* text, std::uint32_t rest, std::uint32_t* value) {
    const unsigned used = decode_utf8_sequence(text, value, rest);
    if (used == 0 || *value > 0x10FFFF || (*value >= 0xD800 && *value <= 0xDFFF)) return 0;
    return used;
}

}  // namespace

bool convert_utf8_to_system_replacing(const char* source, std::uint32_t length, char* destination,
                                      std::uint32_t* written) {
    *written = 0;
    destination[0] = 0;
    if (!source || length == 0) return true;
    // One UTF-16 unit per input byte at most: a 4-byte sequence takes two.
    Utf16Scratch scratch(length + 1);
    char16_t* units = scratch.data();
    if (!units) return false;
    std::uint32_t in = 0;
    std::uint32_t out = 0;
    while (in < length) {
        std::uint32_t value;
        const unsigned used = valid_sequence(source + in, length - in, &value);
        if (used == 0) {
            units[out++] = u'?';
            ++in;
            continue;
        }
        out += encode_utf16_units(value, units + out);
        in += used;
    }
    // Each unit needs at most as many system bytes as the UTF-8 bytes it
    // came from ("?" one for one), so `length` bytes suffice.
    const std::uint32_t n = utf16_to_system(units, out, destination, length);
    if (n == 0) return false;
    destination[n] = 0;
    *written = n;
    return true;
}

std::uint32_t utf8_piece_length(const char* text, std::uint32_t rest, std::uint32_t max_bytes) {
    if (rest <= max_bytes || max_bytes == 0) return rest;
    // A valid sequence is at most four bytes long: back off over at most
    // three continuation bytes; a longer run of them is invalid anyway.
    std::uint32_t n = max_bytes;
    for (unsigned back = 0; back < 3 && n > 1; ++back) {
        if ((static_cast<unsigned char>(text[n]) & 0xC0) != 0x80) break;
        --n;
    }
    if ((static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) return max_bytes;
    return n;
}

}  // namespace versotime
