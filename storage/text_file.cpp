#include "storage/text_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace versotime {

namespace {

// Larger files are not lyrics; reading stops there rather than exhausting
// the heap or the string's 32-bit length.
constexpr std::size_t max_file_bytes = 64u * 1024u * 1024u;

// The file's bytes on the C heap (null when empty or out of memory).
char* read_all(std::FILE* file, std::size_t& count) {
    count = 0;
    std::size_t capacity = 0;
    char* bytes = nullptr;
    for (;;) {
        if (count == capacity) {
            if (capacity >= max_file_bytes) break;
            const std::size_t grown_capacity = capacity ? capacity * 2 : 4096;
            char* grown = static_cast<char*>(std::realloc(bytes, grown_capacity));
            if (!grown) break;
            bytes = grown;
            capacity = grown_capacity;
        }
        const std::size_t got = std::fread(bytes + count, 1, capacity - count, file);
        if (got == 0) break;
        count += got;
    }
    return bytes;
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
    char* bytes = read_all(file, count);
    std::fclose(file);
    out.truncate(0);
    if (bytes) {
        count = apply_text_mode(bytes, count);
        out.append_system_text(bytes, static_cast<std::uint32_t>(count));
        std::free(bytes);
    }
    return true;
}

}  // namespace versotime
