#include "core/time_text.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "core/number_text.h"

namespace versotime {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::int64_t find_colon(const char* text, std::uint32_t length) {
    for (std::uint32_t i = 0; i < length; ++i) {
        if (text[i] == ':') return i;
    }
    return -1;
}

// Rounds to double precision. The 32-bit build's x87 unit otherwise keeps
// results in extended precision, where 59.9 x 10 truncates to 598 tenths and
// a read-write round trip would turn [00:59.9] into [00:59.8].
double to_double(double value) {
    volatile double stored = value;
    return stored;
}

// Whole tenths of a second, truncated; false for a negative (or NaN) time
// and for one whose tenths do not fit a signed 32-bit integer.
bool tenths_of(double seconds, std::int32_t& tenths) {
    if (!(seconds >= 0.0)) return false;
    const double t = to_double(seconds * 10.0);
    if (!(t < 2147483648.0)) return false;
    tenths = static_cast<std::int32_t>(t);
    return true;
}

// mm:ss.t, with a third minute digit from 100 minutes on; returns the length.
std::uint32_t write_label(std::int32_t n, char* out) {
    std::uint32_t k = 0;
    if (n >= 60000) out[k++] = static_cast<char>('0' + n / 60000 % 10);
    out[k++] = static_cast<char>('0' + n / 6000 % 10);
    out[k++] = static_cast<char>('0' + n / 600 % 10);
    out[k++] = ':';
    out[k++] = static_cast<char>('0' + n / 100 % 6);
    out[k++] = static_cast<char>('0' + n / 10 % 10);
    out[k++] = '.';
    out[k++] = static_cast<char>('0' + n % 10);
    out[k] = 0;
    return k;
}

}  // namespace

bool parse_plain_time_text(const char* text, std::uint32_t length, double& seconds) {
#if FLT_EVAL_METHOD == 0
    static const double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    // Seventeen bytes hold at most fifteen digits after the colon: exact in a double.
    if (length < 5 || length > 17) return false;
    std::uint32_t i = 0;
    std::int64_t minutes = 0;
    while (i < length && is_digit(text[i])) minutes = minutes * 10 + (text[i++] - '0');
    // At most nine minute digits: read_decimal_int would saturate past that.
    if (i == 0 || i > 9 || i == length || text[i] != ':') return false;
    const std::uint32_t rest = ++i;
    std::uint64_t digits = 0;
    while (i < length && is_digit(text[i])) digits = digits * 10 + static_cast<unsigned>(text[i++] - '0');
    if (i == rest) return false;
    std::uint32_t fraction = 0;
    if (i < length && text[i] == '.') {
        const std::uint32_t point = ++i;
        while (i < length && is_digit(text[i])) digits = digits * 10 + static_cast<unsigned>(text[i++] - '0');
        fraction = i - point;
    }
    // Both operands exact, so one division rounds as read_decimal_double does.
    if (i != length || fraction > 9) return false;
    seconds = to_double(static_cast<double>(minutes * 60) + static_cast<double>(digits) / powers[fraction]);
    return true;
#else
    (void)text, (void)length, (void)seconds;
    return false;
#endif
}

double parse_time_text(const Utf8String& text) { return parse_time_text(text.c_str(), text.length()); }

double parse_time_text(const char* text, std::uint32_t length) {
    if (length < 5) return no_time;
    double result;
    if (parse_plain_time_text(text, length, result)) return result;
    const std::int64_t colon = find_colon(text, length);
    if (colon < 0) {
        result = read_decimal_double(text, length);
    } else {
        // 64-bit: no count of minutes overflows.
        const std::int64_t minutes = read_decimal_int(text, static_cast<std::uint32_t>(colon));
        const char* rest = text + colon + 1;
        const std::uint32_t rest_length = length - static_cast<std::uint32_t>(colon) - 1;
        const std::int64_t second_colon = find_colon(rest, rest_length);
        if (second_colon <= 0) {
            result = to_double(static_cast<double>(minutes * 60) + read_decimal_double(rest, rest_length));
        } else {
            // mm:ss:xx, the hundredths rounded to whole tenths.
            const std::uint32_t sc = static_cast<std::uint32_t>(second_colon);
            const std::int64_t seconds = read_decimal_int(rest, sc);
            const std::uint32_t after = rest_length - sc - 1;
            std::int32_t hundredths = read_decimal_int(rest + sc + 1, after < 2 ? after : 2);
            hundredths = hundredths >= 0 && hundredths <= 99 ? (hundredths + 5) / 10 * 10 : 0;
            result = to_double(static_cast<double>(minutes * 60 + seconds) + to_double(hundredths * 0.01));
        }
    }
    return std::isfinite(result) ? result : no_time;
}

std::uint32_t format_time_tag(double seconds, char out[time_tag_capacity]) {
    std::int32_t n;
    if (!tenths_of(seconds, n)) {
        out[0] = 0;
        return 0;
    }
    out[0] = '[';
    std::uint32_t k = 1 + write_label(n, out + 1);
    out[k++] = ']';
    out[k] = 0;
    return k;
}

bool format_time_label(double seconds, char out[time_label_capacity]) {
    std::int32_t n;
    out[0] = 0;
    if (!tenths_of(seconds, n)) return false;
    write_label(n, out);
    return true;
}

}  // namespace versotime
