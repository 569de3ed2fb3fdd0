// Helpers shared by the text tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace versotime {
namespace test {

inline std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

inline std::string hex16(const std::u16string& units) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char16_t u : units) {
        if (!out.empty()) out += ' ';
        for (int shift = 12; shift >= 0; shift -= 4) out += digits[(u >> shift) & 15];
    }
    return out;
}

// Runs a converter into a buffer of exactly the documented size followed by
// guard units, which must stay untouched.
template <typename Out, typename Convert>
std::basic_string<Out> convert_guarded(std::uint32_t documented_size, Convert convert) {
    constexpr std::size_t guard_count = 16;
    const Out guard = static_cast<Out>(0x5A);
    std::vector<Out> buffer(documented_size + guard_count, guard);
    const std::uint32_t written = convert(buffer.data());
    EXPECT_LT(written, documented_size);
    for (std::size_t i = documented_size; i < buffer.size(); ++i) {
        EXPECT_EQ(buffer[i], guard) << "written past the documented size at " << i;
    }
    if (written >= documented_size) return {};
    EXPECT_EQ(buffer[written], Out(0)) << "not terminated";
    return std::basic_string<Out>(buffer.data(), written);
}

}  // namespace test
}  // namespace versotime
