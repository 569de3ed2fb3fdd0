// Detection and decoding of arbitrary lyric-file bytes, and the encoders on
// what comes out: the decoded text is what a save writes back, so UTF-8 and
// UTF-16 saves must read back to exactly that text, and the code-page save
// must replace, never stop. The first byte chooses the system code page.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/system_code_page.h"
#include "host/text_encoder.h"
#include "host/unicode_text.h"
#include "tests/fuzz/fuzz_check.h"

using namespace versotime;

namespace {

class StringSink final : public ByteSink {
public:
    bool write(const char* bytes, std::uint32_t count) override {
        FUZZ_CHECK(count <= 1024u * 1024u);
        text.append(bytes, count);
        return true;
    }
    std::string text;
};

// An exact-size heap copy, so a read past the end is caught.
char* copy_of(const char* bytes, std::size_t count) {
    char* block = static_cast<char*>(std::malloc(count ? count : 1));
    if (count) std::memcpy(block, bytes, count);
    return block;
}

bool has_nul_or_end(const std::string& text) {
    for (char c : text) {
        if (c == '\0' || c == '\x1A') return true;
    }
    return false;
}

// What reading would change again: NUL, 0x1A, a CR LF pair.
bool has_text_mode_characters(const std::string& text) {
    return has_nul_or_end(text) || text.find("\r\n") != std::string::npos;
}

std::string decoded(TextEncoding encoding, const std::string& bytes) {
    char* copy = copy_of(bytes.data(), bytes.size());
    Utf8String out;
    FUZZ_CHECK(decode_text(encoding, copy, bytes.size(), out));
    std::free(copy);
    return std::string(out.c_str(), out.length());
}

void check_encoders(const std::string& text) {
    const auto length = static_cast<std::uint32_t>(text.size());
    const bool valid = is_valid_utf8(text.data(), text.size());
    // Text-mode characters would be changed again on reading.
    const bool round_trips = !has_text_mode_characters(text);

    for (TextEncoding e : {TextEncoding::utf8_with_mark, TextEncoding::utf16le, TextEncoding::utf16be}) {
        StringSink sink;
        FUZZ_CHECK(encode_text(text.data(), length, e, sink) == EncodeResult::done);
        if (round_trips && (valid || e == TextEncoding::utf8_with_mark)) FUZZ_CHECK(decoded(e, sink.text) == text);
    }

    StringSink system;
    FUZZ_CHECK(encode_text(text.data(), length, TextEncoding::system_code_page, system) == EncodeResult::done ||
               text.empty());
    FUZZ_CHECK(text.empty() || !system.text.empty());

    const TextEncoding chosen = choose_save_encoding(TextEncoding::system_code_page, text.data(), length);
    if (!valid) FUZZ_CHECK(chosen == TextEncoding::utf8_with_mark);
    if (chosen == TextEncoding::system_code_page && round_trips) {
        // An exact conversion reads back as the same text.
        FUZZ_CHECK(decoded(TextEncoding::system_code_page, system.text) == text);
    }

    // The display conversion keeps every byte's place: nothing is cut.
    if (text.find('\0') == std::string::npos) {
        char16_t* units = static_cast<char16_t*>(std::malloc((text.size() + 1) * sizeof(char16_t)));
        const std::uint32_t n = convert_utf8_to_utf16_replacing(text.c_str(), units, length);
        FUZZ_CHECK(n <= length && units[n] == 0);
        FUZZ_CHECK((n == 0) == text.empty());
        char* back = static_cast<char*>(std::malloc(3 * std::size_t{n} + 1));
        const std::uint32_t b = convert_utf16_to_utf8_replacing(units, back, n);
        FUZZ_CHECK(back[b] == 0);
        if (valid) FUZZ_CHECK(std::string(back, b) == text);
        std::free(back);
        std::free(units);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 0x10000) return 0;
    static const unsigned code_pages[] = {1252, 936, 932, 1251, 949, 950, 65001, 1250};
    FUZZ_CHECK(set_system_code_page(code_pages[data[0] % 8]));
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const std::size_t count = size - 1;

    const TextEncoding detected = detect_text_encoding(bytes, count);
    char* copy = copy_of(bytes, count);
    Utf8String text;
    TextEncoding reported = TextEncoding::utf16be;
    FUZZ_CHECK(decode_detected_text(copy, count, text, reported));
    std::free(copy);
    FUZZ_CHECK(reported == detected);
    const std::string utf8(text.c_str(), text.length());

    // Text mode leaves no NUL and no U+001A behind. (A CR LF pair may stay:
    // CR NUL LF is no pair until the NUL has gone, as in the run-time.)
    FUZZ_CHECK(!has_nul_or_end(utf8));
    if (detected == TextEncoding::utf16le || detected == TextEncoding::utf16be || detected == TextEncoding::utf8) {
        FUZZ_CHECK(is_valid_utf8(utf8.data(), utf8.size()));
    }
    if (detected == TextEncoding::utf8) {
        // Without a mark, the text is the file's own bytes under the rules.
        std::string raw(bytes, count);
        raw.resize(apply_text_mode(&raw[0], raw.size()));
        FUZZ_CHECK(raw == utf8);
    }

    // Every encoding read as any other: defined, never a crash.
    for (TextEncoding e : {TextEncoding::system_code_page, TextEncoding::utf8, TextEncoding::utf8_with_mark,
                           TextEncoding::utf16le, TextEncoding::utf16be}) {
        decoded(e, std::string(bytes, count));
    }

    check_encoders(utf8);
    check_encoders(std::string(bytes, count));
    return 0;
}
