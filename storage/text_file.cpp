#include "storage/text_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/growable_buffer.h"
#include "host/text_convert.h"

namespace versotime {

namespace {

// Larger files are not lyrics; they are refused rather than exhausting the
// heap or the string's 32-bit length.
constexpr std::size_t max_file_bytes = 64u * 1024u * 1024u;

// The file's bytes on the C heap; false when the heap cannot hold them (a
// cut-short text must not pass for the whole file). Sized from the file's
// length, so a large file needs one block, not a doubling series of them.
bool read_all(std::FILE* file, char*& bytes, std::size_t& count) {
    bytes = nullptr;
    count = 0;
    std::size_t capacity = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long end = std::ftell(file);
        const std::size_t size = end > 0 ? static_cast<std::size_t>(end) : 0;
        if (size > 0) capacity = size < max_file_bytes ? size + 1 : max_file_bytes;
    }
    std::rewind(file);
    for (;;) {
        if (count == capacity) {
            if (capacity >= max_file_bytes) {
                // Refuse the file rather than read part of it: a later save
                // would write the part back over the whole.
                if (std::fgetc(file) == EOF) break;
                std::free(bytes);
                bytes = nullptr;
                count = 0;
                return false;
            }
            std::size_t grown_capacity = capacity ? capacity * 2 : 4096;
            if (grown_capacity > max_file_bytes) grown_capacity = max_file_bytes;
            char* grown = static_cast<char*>(std::realloc(bytes, grown_capacity));
            if (!grown) {
                std::free(bytes);
                bytes = nullptr;
                count = 0;
                return false;
            }
            bytes = grown;
            capacity = grown_capacity;
        } else if (!bytes) {
            bytes = static_cast<char*>(std::malloc(capacity));
            if (!bytes) return false;
        }
        const std::size_t got = std::fread(bytes + count, 1, capacity - count, file);
        if (got == 0) break;
        count += got;
    }
    return true;
}

// Converted a piece at a time, so the scratch space stays small instead of
// five times the file (a 50 MB file needed 250 MB of it at once).
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

// The UTF-8 form of `count` system-code-page bytes into `utf8`, `used` bytes.
bool convert_text(const char* bytes, std::uint32_t count, GrowableBuffer& utf8, std::uint32_t& used) {
    used = 0;
    std::uint32_t at = 0;
    while (at < count) {
        const std::uint32_t n = piece_length(bytes + at, count - at);
        const std::uint64_t room = std::uint64_t{used} + 3u * std::uint64_t{n} + 1u;
        if (room > 0x7FFFFFF0u || !utf8.resize(static_cast<std::uint32_t>(room))) return false;
        char* target = reinterpret_cast<char*>(utf8.data()) + used;
        used += convert_system_to_utf8(bytes + at, target, n);
        at += n;
    }
    return true;
}

}  // namespace

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

bool load_text_file(const char* path, Utf8String& out) {
    if (!path) return false;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    std::size_t count = 0;
    char* bytes = nullptr;
    const bool read = read_all(file, bytes, count);
    std::fclose(file);
    out.truncate(0);
    if (!read) return false;
    if (!bytes) return true;
    count = apply_text_mode(bytes, count);
    GrowableBuffer utf8(GrowthMode::grow_only);
    std::uint32_t used = 0;
    const bool converted = convert_text(bytes, static_cast<std::uint32_t>(count), utf8, used);
    std::free(bytes);  // before the text takes its own copy
    return converted && out.append_bytes(reinterpret_cast<const char*>(utf8.data()), used);
}

}  // namespace versotime
