#include "storage/text_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

bool load(const char* path, Utf8String& out, TextEncoding* detected) {
    if (detected) *detected = TextEncoding::system_code_page;
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
    const bool decoded = detected ? decode_detected_text(bytes, count, out, *detected)
                                  : decode_text(TextEncoding::system_code_page, bytes, count, out);
    std::free(bytes);
    return decoded;
}

}  // namespace

bool load_text_file(const char* path, Utf8String& out) { return load(path, out, nullptr); }

bool load_text_file(const char* path, Utf8String& out, TextEncoding& encoding) { return load(path, out, &encoding); }

}  // namespace versotime
