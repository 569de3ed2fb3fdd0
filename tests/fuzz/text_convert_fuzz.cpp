// The character codecs and the six string converters on any input. Every
// output buffer is allocated on the heap at exactly the size the caller is
// told to provide, so a converter that writes one unit too many is caught.
// Inputs are exact-size copies too, without a terminator unless the case
// needs one. The first byte chooses the system code page.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/system_code_page.h"
#include "host/text_convert.h"
#include "host/utf8_string.h"
#include "tests/fuzz/fuzz_check.h"

using namespace versotime;

namespace {

template <typename T>
T* copy_of(const T* source, std::size_t count) {
    T* block = static_cast<T*>(std::malloc(count ? count * sizeof(T) : 1));
    if (count) std::memcpy(block, source, count * sizeof(T));
    return block;
}

template <typename T>
T* block_of(std::size_t count) {
    return static_cast<T*>(std::malloc(count * sizeof(T)));
}

void codecs(const char* bytes, std::uint32_t size) {
    for (std::uint32_t at = 0; at < size && at < 64; ++at) {
        std::uint32_t value = 1;
        const unsigned used = decode_utf8_sequence(bytes + at, &value, size - at);
        FUZZ_CHECK(used <= 6 && used <= size - at);
        if (used == 0) {
            FUZZ_CHECK(value == 0);
            continue;
        }
        // Whatever decoded encodes again in at most as many bytes.
        const unsigned measured = encode_utf8_sequence(value, nullptr);
        FUZZ_CHECK(measured >= 1 && measured <= used);
        char* out = block_of<char>(measured);
        FUZZ_CHECK(encode_utf8_sequence(value, out) == measured);
        std::uint32_t back = 0;
        FUZZ_CHECK(decode_utf8_sequence(out, &back, measured) == measured && back == value);
        std::free(out);
    }

    // Any 32-bit value through the encoders, into exactly the measured room.
    for (std::uint32_t at = 0; at + 4 <= size && at < 64; at += 4) {
        std::uint32_t value;
        std::memcpy(&value, bytes + at, 4);
        const unsigned n8 = encode_utf8_sequence(value, nullptr);
        FUZZ_CHECK(n8 <= 6 && (n8 == 0) == (value > 0x7FFFFFFF));
        if (n8) {
            char* out = block_of<char>(n8);
            FUZZ_CHECK(encode_utf8_sequence(value, out) == n8);
            std::free(out);
        }
        const unsigned n16 = encode_utf16_units(value, nullptr);
        FUZZ_CHECK(n16 <= 2 && (n16 == 0) == (value == 0 || value > 0x10FFFF));
        if (n16) {
            char16_t* units = block_of<char16_t>(n16 + 1);
            FUZZ_CHECK(encode_utf16_units(value, units) == n16);
            units[n16] = 0;
            std::uint32_t back = 0;
            FUZZ_CHECK(decode_utf16_units(units, &back) == n16);
            FUZZ_CHECK(back == value);
            std::free(units);
        }
    }
}

void utf8_side(const char* source, std::uint32_t size) {
    const std::uint32_t n = bounded_length(source, size);

    char16_t* units = block_of<char16_t>(n + 1);
    const std::uint32_t u = convert_utf8_to_utf16(source, units, size);
    FUZZ_CHECK(u <= n && units[u] == 0);

    char* utf8 = block_of<char>(3 * std::size_t{u} + 1);
    const std::uint32_t b = convert_utf16_to_utf8(units, utf8, u);
    FUZZ_CHECK(b <= 3 * u && utf8[b] == 0);
    // Overlong forms shrink and surrogate halves may pair up, but nothing
    // grows on the way back.
    FUZZ_CHECK(b <= n);

    char* system = block_of<char>(n + 1);
    const std::uint32_t s = convert_utf8_to_system(source, system, size);
    FUZZ_CHECK(s <= n && system[s] == 0);
    std::free(system);

    char* narrow = block_of<char>(2 * std::size_t{u} + 1);
    const std::uint32_t w = convert_utf16_to_system(units, narrow, u);
    FUZZ_CHECK(w <= 2 * u && narrow[w] == 0);
    std::free(narrow);

    std::free(utf8);
    std::free(units);
}

void system_side(const char* source, std::uint32_t size) {
    const std::uint32_t n = bounded_length(source, size);

    char16_t* units = block_of<char16_t>(n + 1);
    const std::uint32_t u = convert_system_to_utf16(source, units, size);
    FUZZ_CHECK(u <= n && units[u] == 0);
    std::free(units);

    char* utf8 = block_of<char>(3 * std::size_t{n} + 1);
    const std::uint32_t b = convert_system_to_utf8(source, utf8, size);
    FUZZ_CHECK(b <= 3 * n && utf8[b] == 0);
    std::free(utf8);

    Utf8String text;
    text.append_system_text(source, size);
    FUZZ_CHECK(text.length() == b);
}

void utf16_side(const std::uint8_t* data, std::uint32_t size) {
    const std::uint32_t count = size / 2;
    char16_t* source = block_of<char16_t>(count ? count : 1);
    if (count) std::memcpy(source, data, count * 2);
    const std::uint32_t n = bounded_length16(source, count);

    char* utf8 = block_of<char>(3 * std::size_t{n} + 1);
    const std::uint32_t b = convert_utf16_to_utf8(source, utf8, count);
    FUZZ_CHECK(b <= 3 * n && utf8[b] == 0);
    std::free(utf8);

    char* system = block_of<char>(2 * std::size_t{n} + 1);
    const std::uint32_t s = convert_utf16_to_system(source, system, count);
    FUZZ_CHECK(s <= 2 * n && system[s] == 0);
    std::free(system);
    std::free(source);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 0xFFFF) return 0;
    static const unsigned code_pages[] = {1252, 936, 932, 1251, 949, 950, 65001, 1250};
    FUZZ_CHECK(set_system_code_page(code_pages[data[0] % 8]));
    ++data;
    --size;
    const std::uint32_t n = static_cast<std::uint32_t>(size);

    char* bytes = copy_of(reinterpret_cast<const char*>(data), size);
    codecs(bytes, n);
    utf8_side(bytes, n);
    system_side(bytes, n);
    utf16_side(data, n);
    std::free(bytes);

    // The whole-text bound on a terminated copy.
    char* terminated = block_of<char>(size + 1);
    if (size) std::memcpy(terminated, data, size);
    terminated[size] = 0;
    utf8_side(terminated, whole_text);
    system_side(terminated, whole_text);
    std::free(terminated);
    return 0;
}
