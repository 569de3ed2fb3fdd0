#include "host/text_encoder.h"

#include <cstdlib>
#include <cstring>

#include "host/text_convert.h"
#include "host/unicode_text.h"

namespace versotime {

namespace {

// UTF-16 units converted at a time: with the code page's bytes (up to three
// a unit) and the units read back, under a megabyte of scratch.
constexpr std::uint32_t piece_units = 1u << 17;
// UTF-8 handed to the sink at a time when no conversion is needed.
constexpr std::uint32_t piece_bytes = 1u << 20;

class Scratch {
public:
    explicit Scratch(std::size_t bytes) : data_(std::malloc(bytes)) {}
    ~Scratch() { std::free(data_); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    template <typename T>
    T* as() {
        return static_cast<T*>(data_);
    }

private:
    void* data_;
};

// Units of scratch for a text: a short text needs no megabyte.
std::uint32_t room_for(std::uint32_t length) { return length < piece_units - 2 ? length + 2 : piece_units; }

// Fills `units` (room for `room`, at least 2) from the UTF-8 at `at`, each
// byte that is not part of a well-formed character as `invalid`; never
// splits a surrogate pair. Returns the units written and moves `at`.
std::uint32_t fill_units(const char* utf8, std::uint32_t length, std::uint32_t& at, char16_t* units,
                         std::uint32_t room, std::uint32_t invalid) {
    std::uint32_t n = 0;
    while (at < length && n + 2 <= room) {
        std::uint32_t value;
        unsigned used = utf8_character_length(utf8 + at, length - at, &value);
        if (used == 0) {
            used = 1;
            value = invalid;
        }
        if (value == 0) {
            units[n++] = 0;  // encode_utf16_units leaves U+0000 out
        } else {
            n += encode_utf16_units(value, units + n);
        }
        at += used;
    }
    return n;
}

EncodeResult encode_system(const char* utf8, std::uint32_t length, ByteSink& sink, const NarrowCodec& codec) {
    const std::uint32_t room = room_for(length);
    Scratch units_block(room * sizeof(char16_t));
    Scratch bytes_block(3 * room);
    char16_t* units = units_block.as<char16_t>();
    char* bytes = bytes_block.as<char>();
    if (!units || !bytes) return EncodeResult::out_of_memory;
    std::uint32_t at = 0;
    while (at < length) {
        const std::uint32_t n = fill_units(utf8, length, at, units, room, '?');
        const std::uint32_t written = codec.from_utf16(units, n, bytes, 3 * room);
        if (written == 0) return EncodeResult::not_converted;
        if (!sink.write(bytes, written)) return EncodeResult::write_failed;
    }
    return EncodeResult::done;
}

EncodeResult encode_utf8(const char* utf8, std::uint32_t length, bool mark, ByteSink& sink) {
    if (mark && !sink.write("\xEF\xBB\xBF", 3)) return EncodeResult::write_failed;
    std::uint32_t at = 0;
    while (at < length) {
        const std::uint32_t n = length - at < piece_bytes ? length - at : piece_bytes;
        if (!sink.write(utf8 + at, n)) return EncodeResult::write_failed;
        at += n;
    }
    return EncodeResult::done;
}

EncodeResult encode_utf16(const char* utf8, std::uint32_t length, bool big_endian, ByteSink& sink) {
    const std::uint32_t room = room_for(length);
    Scratch units_block(room * sizeof(char16_t));
    Scratch bytes_block(2 * room);
    char16_t* units = units_block.as<char16_t>();
    char* bytes = bytes_block.as<char>();
    if (!units || !bytes) return EncodeResult::out_of_memory;
    if (!sink.write(big_endian ? "\xFE\xFF" : "\xFF\xFE", 2)) return EncodeResult::write_failed;
    std::uint32_t at = 0;
    while (at < length) {
        const std::uint32_t n = fill_units(utf8, length, at, units, room, replacement_character);
        for (std::uint32_t i = 0; i < n; ++i) {
            const char high = static_cast<char>(units[i] >> 8);
            const char low = static_cast<char>(units[i] & 0xFF);
            bytes[2 * i] = big_endian ? high : low;
            bytes[2 * i + 1] = big_endian ? low : high;
        }
        if (!sink.write(bytes, 2 * n)) return EncodeResult::write_failed;
    }
    return EncodeResult::done;
}

}  // namespace

bool BlockSink::write(const char* bytes, std::uint32_t count) {
    if (count > capacity_ - used_) return false;
    if (count) std::memcpy(block_ + used_, bytes, count);
    used_ += count;
    return true;
}

EncodeResult encode_text(const char* utf8, std::uint32_t length, TextEncoding encoding, ByteSink& sink,
                         const NarrowCodec& codec) {
    switch (encoding) {
    case TextEncoding::system_code_page: return encode_system(utf8, length, sink, codec);
    case TextEncoding::utf8: return encode_utf8(utf8, length, false, sink);
    case TextEncoding::utf8_with_mark: return encode_utf8(utf8, length, true, sink);
    case TextEncoding::utf16le: return encode_utf16(utf8, length, false, sink);
    case TextEncoding::utf16be: return encode_utf16(utf8, length, true, sink);
    }
    return EncodeResult::not_converted;
}

bool converts_exactly(const char* utf8, std::uint32_t length, const NarrowCodec& codec) {
    if (!is_valid_utf8(utf8, length)) return false;
    const std::uint32_t room = room_for(length);
    Scratch units_block(room * sizeof(char16_t));
    Scratch bytes_block(3 * room);
    Scratch back_block(room * sizeof(char16_t));
    char16_t* units = units_block.as<char16_t>();
    char* bytes = bytes_block.as<char>();
    char16_t* back = back_block.as<char16_t>();
    if (!units || !bytes || !back) return false;
    std::uint32_t at = 0;
    while (at < length) {
        const std::uint32_t n = fill_units(utf8, length, at, units, room, '?');
        const std::uint32_t written = codec.from_utf16(units, n, bytes, 3 * room);
        if (written == 0) return false;
        // Room for exactly as many units as went out: more cannot match.
        const std::uint32_t returned = codec.to_utf16(bytes, written, back, n);
        if (returned != n || std::memcmp(units, back, n * sizeof(char16_t)) != 0) return false;
    }
    return true;
}

TextEncoding choose_save_encoding(TextEncoding came_in, const char* utf8, std::uint32_t length,
                                  const NarrowCodec& codec) {
    if (!is_valid_utf8(utf8, length)) {
        return came_in == TextEncoding::utf8 ? TextEncoding::utf8 : TextEncoding::utf8_with_mark;
    }
    if (came_in == TextEncoding::system_code_page) {
        return converts_exactly(utf8, length, codec) ? TextEncoding::system_code_page : TextEncoding::utf8_with_mark;
    }
    return came_in;
}

}  // namespace versotime
