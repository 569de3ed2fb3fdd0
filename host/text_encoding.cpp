#include "host/text_encoding.h"

#include <cstdlib>

#include "host/growable_buffer.h"
#include "host/system_code_page.h"
#include "host/text_convert.h"
#include "host/unicode_text.h"

namespace versotime {

namespace {

// The longest text a Utf8String holds.
constexpr std::uint64_t max_text_bytes = 0x7FFFFFF0u;

bool starts_with(const char* bytes, std::size_t count, const char* mark, std::size_t mark_length) {
    if (count < mark_length) return false;
    for (std::size_t i = 0; i < mark_length; ++i) {
        if (bytes[i] != mark[i]) return false;
    }
    return true;
}

const char utf8_mark[] = "\xEF\xBB\xBF";
const char utf16le_mark[] = "\xFF\xFE";
const char utf16be_mark[] = "\xFE\xFF";

std::size_t mark_length(TextEncoding encoding, const char* bytes, std::size_t count) {
    switch (encoding) {
    case TextEncoding::utf8_with_mark: return starts_with(bytes, count, utf8_mark, 3) ? 3 : 0;
    case TextEncoding::utf16le: return starts_with(bytes, count, utf16le_mark, 2) ? 2 : 0;
    case TextEncoding::utf16be: return starts_with(bytes, count, utf16be_mark, 2) ? 2 : 0;
    default: return 0;
    }
}

// ---- System code page: the conversion lyric files always had ----

// Converted a piece at a time, so the scratch space stays small instead of
// five times the file.
constexpr std::uint32_t chunk_bytes = 1u << 20;

// The length of the next piece of the `rest` bytes: at most chunk_bytes,
// ending just after a byte below 0x40, which no double-byte code page uses
// as a trail byte and UTF-8 never uses inside a character; the whole rest
// when there is no such byte.
std::uint32_t piece_length(const char* bytes, std::uint32_t rest) {
    if (rest <= chunk_bytes) return rest;
    for (std::uint32_t end = chunk_bytes; end > 0; --end) {
        if (static_cast<unsigned char>(bytes[end - 1]) < 0x40) return end;
    }
    return rest;
}

bool decode_system(const char* bytes, std::uint32_t count, GrowableBuffer& utf8, std::uint32_t& used,
                   const NarrowCodec& codec) {
    used = 0;
    std::uint32_t at = 0;
    GrowableBuffer scratch(GrowthMode::grow_only);
    while (at < count) {
        const std::uint32_t n = piece_length(bytes + at, count - at);
        const std::uint64_t room = std::uint64_t{used} + 3u * std::uint64_t{n} + 1u;
        if (room > max_text_bytes || !utf8.resize(static_cast<std::uint32_t>(room))) return false;
        if (!scratch.resize(static_cast<std::uint32_t>((std::uint64_t{n} + 1) * sizeof(char16_t)))) return false;
        auto* units = reinterpret_cast<char16_t*>(scratch.data());
        const std::uint32_t got = codec.to_utf16(bytes + at, n, units, n);
        char* target = reinterpret_cast<char*>(utf8.data()) + used;
        used += convert_utf16_to_utf8(units, target, got);
        at += n;
    }
    return true;
}

// ---- UTF-16 ----

// The code points of UTF-16 bytes in one byte order, unpaired surrogates
// and an odd last byte as U+FFFD.
class Utf16Reader {
public:
    Utf16Reader(const char* bytes, std::size_t count, bool big_endian)
        : bytes_(reinterpret_cast<const unsigned char*>(bytes)), count_(count), big_endian_(big_endian) {}

    bool next(std::uint32_t& value) {
        if (at_ >= count_) return false;
        if (count_ - at_ < 2) {
            at_ = count_;
            value = replacement_character;
            return true;
        }
        const std::uint32_t unit = unit_at(at_);
        at_ += 2;
        value = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (count_ - at_ >= 2) {
                const std::uint32_t low = unit_at(at_);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    at_ += 2;
                    value = (((unit & 0x3FF) << 10) | (low & 0x3FF)) + 0x10000;
                    return true;
                }
            }
            value = replacement_character;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            value = replacement_character;
        }
        return true;
    }

private:
    std::uint32_t unit_at(std::size_t at) const {
        return big_endian_ ? (std::uint32_t{bytes_[at]} << 8) | bytes_[at + 1]
                           : (std::uint32_t{bytes_[at + 1]} << 8) | bytes_[at];
    }

    const unsigned char* bytes_;
    std::size_t count_;
    std::size_t at_ = 0;
    bool big_endian_;
};

// Runs the text-mode rules over the characters and hands each one kept to
// `emit`; the same rules apply_text_mode applies to bytes.
template <typename Emit>
void text_mode_characters(Utf16Reader reader, Emit emit) {
    bool pending_cr = false;
    std::uint32_t value;
    while (reader.next(value)) {
        if (pending_cr) {
            pending_cr = false;
            if (value != '\n') emit(std::uint32_t{'\r'});
        }
        if (value == 0x1A) return;
        if (value == 0) continue;
        if (value == '\r') {
            pending_cr = true;
            continue;
        }
        emit(value);
    }
    if (pending_cr) emit(std::uint32_t{'\r'});
}

// Measured first, so the block is allocated once at its size.
bool decode_utf16(const char* bytes, std::size_t count, bool big_endian, GrowableBuffer& utf8, std::uint32_t& used) {
    used = 0;
    std::uint64_t length = 0;
    text_mode_characters(Utf16Reader(bytes, count, big_endian),
                         [&](std::uint32_t value) { length += encode_utf8_sequence(value, nullptr); });
    if (length == 0) return true;
    if (length > max_text_bytes || !utf8.resize(static_cast<std::uint32_t>(length))) return false;
    char* out = reinterpret_cast<char*>(utf8.data());
    text_mode_characters(Utf16Reader(bytes, count, big_endian),
                         [&](std::uint32_t value) { used += encode_utf8_sequence(value, out + used); });
    return true;
}

}  // namespace

const char* text_encoding_name(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::system_code_page: return "system";
    case TextEncoding::utf8: return "utf-8";
    case TextEncoding::utf8_with_mark: return "utf-8-bom";
    case TextEncoding::utf16le: return "utf-16le";
    case TextEncoding::utf16be: return "utf-16be";
    }
    return "system";
}

const NarrowCodec& system_codec() {
    static const NarrowCodec codec = {system_to_utf16, utf16_to_system};
    return codec;
}

std::size_t apply_text_mode(char* bytes, std::size_t count) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char byte = bytes[i];
        if (byte == '\x1A') break;
        if (byte == '\r' && i + 1 < count && bytes[i + 1] == '\n') continue;
        if (byte == '\0') continue;
        bytes[out++] = byte;
    }
    return out;
}

TextEncoding detect_text_encoding(const char* bytes, std::size_t count) {
    if (starts_with(bytes, count, utf8_mark, 3)) return TextEncoding::utf8_with_mark;
    if (starts_with(bytes, count, utf16le_mark, 2)) return TextEncoding::utf16le;
    if (starts_with(bytes, count, utf16be_mark, 2)) return TextEncoding::utf16be;
    bool multi_byte = false;
    std::size_t at = 0;
    while (at < count && bytes[at] != '\x1A') {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const unsigned n = utf8_character_length(bytes + at, count - at);
        if (n == 0) return TextEncoding::system_code_page;
        multi_byte = true;
        at += n;
    }
    return multi_byte ? TextEncoding::utf8 : TextEncoding::system_code_page;
}

bool decode_text(TextEncoding encoding, char* bytes, std::size_t count, Utf8String& out, const NarrowCodec& codec) {
    out.truncate(0);
    if (!bytes || count == 0) return true;
    const std::size_t skip = mark_length(encoding, bytes, count);
    bytes += skip;
    count -= skip;

    GrowableBuffer utf8(GrowthMode::grow_only);
    std::uint32_t used = 0;
    bool decoded = false;
    switch (encoding) {
    case TextEncoding::utf8:
    case TextEncoding::utf8_with_mark:
        count = apply_text_mode(bytes, count);
        // Straight into the string: no second copy of a large text.
        if (count > max_text_bytes) return false;
        return out.append_bytes(bytes, static_cast<std::uint32_t>(count));
    case TextEncoding::utf16le:
    case TextEncoding::utf16be:
        decoded = decode_utf16(bytes, count, encoding == TextEncoding::utf16be, utf8, used);
        break;
    case TextEncoding::system_code_page:
        count = apply_text_mode(bytes, count);
        decoded = count <= max_text_bytes && decode_system(bytes, static_cast<std::uint32_t>(count), utf8, used, codec);
        break;
    }
    return decoded && out.append_bytes(reinterpret_cast<const char*>(utf8.data()), used);
}

bool decode_detected_text(char* bytes, std::size_t count, Utf8String& out, TextEncoding& encoding,
                          const NarrowCodec& codec) {
    encoding = detect_text_encoding(bytes, count);
    return decode_text(encoding, bytes, count, out, codec);
}

}  // namespace versotime
