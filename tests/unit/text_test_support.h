// Helpers shared by the text tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/system_code_page.h"

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

// UTF-16 units as the bytes of a file in either byte order.
inline std::string utf16le(const std::u16string& units) {
    std::string bytes;
    for (char16_t u : units) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

inline std::string utf16be(const std::u16string& units) {
    std::string bytes;
    for (char16_t u : units) {
        bytes += static_cast<char>(u >> 8);
        bytes += static_cast<char>(u & 0xFF);
    }
    return bytes;
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

// The code pages a test over the system code page runs in: natively both
// of the stand-in's; under Wine the one the locale gives (CTest runs each
// Win32 test once per code page).
inline std::vector<unsigned> code_pages_under_test() {
#ifdef _WIN32
    return {system_code_page()};
#else
    return {1252, 936};
#endif
}

// A test in the code page of its parameter: chosen natively, checked under
// Wine; the stand-in's default comes back afterwards.
class CodePageTest : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override {
#ifndef _WIN32
        ASSERT_TRUE(set_system_code_page(GetParam()));
#endif
        ASSERT_EQ(system_code_page(), GetParam());
    }
    void TearDown() override {
#ifndef _WIN32
        set_system_code_page(1252);
#endif
    }
};

}  // namespace test
}  // namespace versotime
