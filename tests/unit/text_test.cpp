#include <gtest/gtest.h>

#include "host/utf8_string.h"

namespace versotime {
namespace {

TEST(Utf8String, AppendsAndTruncates) {
    Utf8String s;
    EXPECT_STREQ(s.c_str(), "");
    s.append("hello");
    s.append(" world", 3);
    EXPECT_STREQ(s.c_str(), "hello wo");
    EXPECT_EQ(s.length(), 8u);
    s.truncate(0);
    EXPECT_STREQ(s.c_str(), "");
}

}  // namespace
}  // namespace versotime
