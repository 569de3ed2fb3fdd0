// Time texts: any bytes parse to a defined number, and any double (NaN,
// infinities and huge values included) prints as nothing or as a well-formed
// "[mm:ss.t]" / "[mmm:ss.t]". A printed form read back prints the same.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/time_text.h"
#include "tests/fuzz/fuzz_check.h"

using namespace versotime;

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Checks the shape of a printed form and gives its length.
std::uint32_t check_printed(double seconds) {
    char out[time_tag_capacity + 8];
    std::memset(out, 'x', sizeof out);
    const std::uint32_t n = format_time_tag(seconds, out);
    FUZZ_CHECK(n == 0 || n == 9 || n == 10);
    FUZZ_CHECK(out[n] == 0 && std::strlen(out) == n);
    if (n == 0) {
        FUZZ_CHECK(!(seconds >= 0.0) || !(seconds * 10.0 < 2147483648.0));
        return 0;
    }
    const char* p = out + 1;
    FUZZ_CHECK(out[0] == '[' && out[n - 1] == ']');
    if (n == 10) FUZZ_CHECK(is_digit(*p++));
    FUZZ_CHECK(is_digit(p[0]) && is_digit(p[1]) && p[2] == ':' && p[3] >= '0' && p[3] <= '5' && is_digit(p[4]) &&
          p[5] == '.' && is_digit(p[6]));

    // The time label shows the same digits without brackets.
    char label[time_label_capacity + 8];
    std::memset(label, 'x', sizeof label);
    FUZZ_CHECK(format_time_label(seconds, label));
    FUZZ_CHECK(std::strlen(label) == n - 2 && std::memcmp(label, out + 1, n - 2) == 0);

    // Reading the printed form back prints it again, up to 1000 minutes
    // (from there on the form shows only the last three minute digits).
    if (seconds >= 60000.0) return n;
    char again[time_tag_capacity];
    FUZZ_CHECK(format_time_tag(parse_time_text(out + 1, n - 2), again) == n && std::memcmp(again, out, n) == 0);
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 0xFFFF) return 0;
    // The text exactly as long as the input, so reading past it is caught.
    char* text = static_cast<char*>(std::malloc(size ? size : 1));
    if (size) std::memcpy(text, data, size);
    const double seconds = parse_time_text(text, static_cast<std::uint32_t>(size));
    std::free(text);
    FUZZ_CHECK(!std::isnan(seconds));
    if (size < 5) FUZZ_CHECK(seconds == no_time);
    check_printed(seconds);

    // The raw bits of any double.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        check_printed(raw);
    }
    return 0;
}
