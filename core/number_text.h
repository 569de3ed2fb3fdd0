// The decimal number reading that time texts and offset brackets rely on.
// Both conversions read a span of bytes, not a NUL-terminated text, and behave
// the same on every platform: leading white space, an optional sign, then
// decimal digits (and for doubles a decimal point and an exponent). No
// hexadecimal, "inf" or "nan" forms; a span without a number gives 0.
#pragma once

#include <cstdint>

namespace versotime {

// Saturates at the signed 32-bit limits.
std::int32_t read_decimal_int(const char* text, std::uint32_t length);

// Correctly rounded; a value too large for a double gives an infinity.
double read_decimal_double(const char* text, std::uint32_t length);

}  // namespace versotime
