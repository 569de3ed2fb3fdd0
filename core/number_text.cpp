#include "core/number_text.h"

#include <cfloat>
#include <charconv>
#include <cstdint>
#include <limits>

namespace versotime {

namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Skips white space and a sign; true when the sign was a minus.
bool skip_prefix(const char* text, std::uint32_t length, std::uint32_t& i) {
    while (i < length && is_space(text[i])) ++i;
    if (i < length && (text[i] == '+' || text[i] == '-')) return text[i++] == '-';
    return false;
}

std::uint32_t skip_digits(const char* text, std::uint32_t length, std::uint32_t& i) {
    const std::uint32_t start = i;
    while (i < length && is_digit(text[i])) ++i;
    return i - start;
}

// Whether a decimal that std::from_chars found out of range is too large
// (rather than too small): compares the place of its first significant digit
// plus the exponent with zero.
bool overflows(const char* digits, std::uint32_t int_digits, const char* fraction,
               std::uint32_t fraction_digits, std::int64_t exponent) {
    for (std::uint32_t k = 0; k < int_digits; ++k) {
        if (digits[k] != '0') return static_cast<std::int64_t>(int_digits - k) + exponent > 0;
    }
    for (std::uint32_t k = 0; k < fraction_digits; ++k) {
        if (fraction[k] != '0') return exponent - static_cast<std::int64_t>(k) > 0;
    }
    return false;
}

// Digits and a fraction small enough that one division gives the correctly
// rounded double: both operands are exact, and IEEE division rounds once.
// Time texts nearly always take this path; it needs double arithmetic
// without extended precision (both builds compile for SSE).
bool read_short_decimal(const char* digits, std::uint32_t int_digits, const char* fraction,
                        std::uint32_t fraction_digits, double& value) {
#if FLT_EVAL_METHOD == 0
    static const double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15};
    if (int_digits + fraction_digits > 15) return false;
    std::uint64_t m = 0;
    for (std::uint32_t k = 0; k < int_digits; ++k) m = m * 10 + static_cast<unsigned>(digits[k] - '0');
    for (std::uint32_t k = 0; k < fraction_digits; ++k) m = m * 10 + static_cast<unsigned>(fraction[k] - '0');
    value = static_cast<double>(m) / powers[fraction_digits];
    return true;
#else
    (void)digits, (void)int_digits, (void)fraction, (void)fraction_digits, (void)value;
    return false;
#endif
}

}  // namespace

std::int32_t read_decimal_int(const char* text, std::uint32_t length) {
    std::uint32_t i = 0;
    const bool negative = skip_prefix(text, length, i);
    constexpr std::int64_t limit = std::int64_t{1} << 31;
    std::int64_t value = 0;
    for (; i < length && is_digit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return value >= limit ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(value);
}

double read_decimal_double(const char* text, std::uint32_t length) {
    std::uint32_t i = 0;
    const bool negative = skip_prefix(text, length, i);
    const std::uint32_t start = i;
    const std::uint32_t int_digits = skip_digits(text, length, i);
    std::uint32_t fraction_start = i;
    std::uint32_t fraction_digits = 0;
    if (i < length && text[i] == '.') {
        ++i;
        fraction_start = i;
        fraction_digits = skip_digits(text, length, i);
    }
    if (int_digits + fraction_digits == 0) return 0.0;

    std::int64_t exponent = 0;
    if (i < length && (text[i] == 'e' || text[i] == 'E')) {
        std::uint32_t j = i + 1;
        const bool exponent_negative = j < length && text[j] == '-';
        if (j < length && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < length && is_digit(text[j])) {
            for (; j < length && is_digit(text[j]); ++j) {
                if (exponent < 1000000000) exponent = exponent * 10 + (text[j] - '0');
            }
            if (exponent_negative) exponent = -exponent;
            i = j;
        }
    }

    double value = 0.0;
    if (exponent == 0 && read_short_decimal(text + start, int_digits, text + fraction_start, fraction_digits, value)) {
        return negative ? -value : value;
    }
    const std::from_chars_result r =
        std::from_chars(text + start, text + i, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        value = overflows(text + start, int_digits, text + fraction_start, fraction_digits, exponent)
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    } else if (r.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

}  // namespace versotime
