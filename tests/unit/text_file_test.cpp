// Reading lyric text files as text mode reads them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/system_code_page.h"
#include "storage/text_file.h"

namespace versotime {
namespace {

std::string text_mode(std::string bytes) {
    const std::size_t count = apply_text_mode(&bytes[0], bytes.size());
    bytes.resize(count);
    return bytes;
}

TEST(ApplyTextMode, FollowsTheRunTimeRules) {
    const struct {
        const char* name;
        std::string raw;
        std::string text;
    } cases[] = {
        {"crlf", "a\r\nb\r\n", "a\nb\n"},
        {"lf", "a\nb\n", "a\nb\n"},
        {"lone cr kept", "a\rb\r", "a\rb\r"},
        {"cr cr lf", "a\r\r\nb", "a\r\nb"},
        {"ends at 1a", std::string("ab\x1A" "cd", 5), "ab"},
        {"1a first", std::string("\x1A" "abc", 4), ""},
        {"nul dropped", std::string("a\0b\0\0c", 6), "abc"},
        {"cr nul lf is no pair", std::string("a\r\0\nb", 5), "a\r\nb"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(text_mode(c.raw), c.text);
    }
}

TEST(ApplyTextMode, KeepsEveryOtherByteValue) {
    std::string raw;
    std::string expected;
    for (int b = 1; b <= 0xFF; ++b) {
        if (b == 0x1A) continue;
        raw += static_cast<char>(b);
        expected += static_cast<char>(b);
    }
    EXPECT_EQ(text_mode(raw), expected);
}

class LoadTextFile : public ::testing::Test {
protected:
    void SetUp() override {
        // The code page in the name: under Wine the runs for 1252 and 936
        // share one temporary folder and may run at the same time.
        path_ = ::testing::TempDir() + "versotime_text_file_" + std::to_string(system_code_page()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
    }
    void TearDown() override { std::remove(path_.c_str()); }

    void write(const std::string& bytes) {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
        std::fclose(file);
    }

    std::string load() {
        Utf8String out("leftover");
        EXPECT_TRUE(load_text_file(path_.c_str(), out));
        return std::string(out.c_str(), out.length());
    }

    std::string path_;
};

TEST_F(LoadTextFile, CrLfAndLfFilesReadAlike) {
    write("[00:01.00]one\r\n[00:02.00]two\r\n");
    const std::string crlf = load();
    write("[00:01.00]one\n[00:02.00]two\n");
    EXPECT_EQ(load(), crlf);
    EXPECT_EQ(crlf, "[00:01.00]one\n[00:02.00]two\n");
}

TEST_F(LoadTextFile, StopsAt1AAndDropsNul) {
    write(std::string("ab\0c\r\nd\x1A" "after", 13));
    EXPECT_EQ(load(), "abc\nd");
}

TEST_F(LoadTextFile, ConvertsFromTheSystemCodePage) {
    const std::string raw = "caf\xE9 \xC4\xE3\xBA\xC3\r\n";
    write(raw);
    Utf8String expected;
    expected.append_system_text("caf\xE9 \xC4\xE3\xBA\xC3\n");
    EXPECT_EQ(load(), std::string(expected.c_str(), expected.length()));
}

TEST_F(LoadTextFile, EmptyFileGivesEmptyText) {
    write("");
    EXPECT_EQ(load(), "");
}

TEST_F(LoadTextFile, UnopenableFileLeavesTheOutputUntouched) {
    Utf8String out("kept");
    EXPECT_FALSE(load_text_file((path_ + ".missing").c_str(), out));
    EXPECT_STREQ(out.c_str(), "kept");
    EXPECT_FALSE(load_text_file(nullptr, out));
    EXPECT_STREQ(out.c_str(), "kept");
}

TEST_F(LoadTextFile, ReadsLargeFilesWhole) {
    std::string raw;
    for (int i = 0; i < 3000; ++i) raw += "[01:02.30]line " + std::to_string(i) + "\r\n";
    write(raw);
    const std::string text = load();
    EXPECT_EQ(text.size(), raw.size() - 3000);
    EXPECT_EQ(text.substr(0, 16), "[01:02.30]line 0");
}

// A file past the 64 MB limit is refused, not read in part: a part would be
// saved back over the whole file.
TEST_F(LoadTextFile, RefusesAFileBeyondTheLimitInsteadOfCuttingIt) {
    constexpr std::size_t limit = 64u * 1024u * 1024u;
    for (const std::size_t size : {limit, limit + 1}) {
        SCOPED_TRACE(size);
        write(std::string(size, 'a'));
        Utf8String out("leftover");
        if (size == limit) {
            EXPECT_TRUE(load_text_file(path_.c_str(), out));
            EXPECT_EQ(out.length(), limit);
        } else {
            EXPECT_FALSE(load_text_file(path_.c_str(), out));
            EXPECT_EQ(out.length(), 0u);
        }
    }
}

// Large files are converted a piece at a time; the pieces must join into
// the same text as one conversion of the whole, double-byte characters and
// long runs without a piece boundary included.
TEST_F(LoadTextFile, LargeFilesConvertAsOneText) {
    const std::string words = "[00:01.00]caf\xE9 \xC4\xE3\xBA\xC3 words\r\n";
    const std::string no_break(1536 * 1024, 'x');  // longer than a piece, no byte below 0x40
    const struct {
        const char* name;
        std::string raw;
    } cases[] = {
        {"lines", [&] { std::string r; while (r.size() < 3 * 1024 * 1024) r += words; return r; }()},
        {"double-byte run", [&] {
             std::string r = "a\n";
             while (r.size() < 2 * 1024 * 1024 + 7) r += "\xC4\xE3\xBA\xC3";
             return r + "\n";
         }()},
        {"long run without a break", words + no_break + words + no_break},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write(c.raw);
        std::string text_bytes = text_mode(c.raw);
        Utf8String expected;
        ASSERT_TRUE(expected.append_system_text(text_bytes.c_str(), static_cast<std::uint32_t>(text_bytes.size())));
        const std::string text = load();
        EXPECT_EQ(text.size(), expected.length());
        EXPECT_TRUE(text == std::string(expected.c_str(), expected.length()));
    }
}

// With the encoding asked for, the file's mark or content decides, and the
// encoding is reported for the save.
TEST_F(LoadTextFile, DetectsAndReportsTheEncoding) {
    const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC";
    const struct {
        const char* name;
        std::string raw;
        TextEncoding encoding;
        std::string text;
    } cases[] = {
        {"UTF-8 with its mark", "\xEF\xBB\xBF[00:01.00]" + japanese + "\r\n", TextEncoding::utf8_with_mark,
         "[00:01.00]" + japanese + "\n"},
        {"UTF-8", "[00:01.00]" + japanese + "\r\n", TextEncoding::utf8, "[00:01.00]" + japanese + "\n"},
        {"UTF-16LE", std::string("\xFF\xFE\xE5\x65\x2C\x67\x0D\x00\x0A\x00", 10), TextEncoding::utf16le,
         japanese + "\n"},
        {"UTF-16BE", std::string("\xFE\xFF\x65\xE5\x67\x2C\x00\x1A\x00\x41", 10), TextEncoding::utf16be,
         japanese},
        {"ASCII", "[00:01.00]plain\r\n", TextEncoding::system_code_page, "[00:01.00]plain\n"},
        {"empty", "", TextEncoding::system_code_page, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write(c.raw);
        Utf8String out("leftover");
        TextEncoding encoding = TextEncoding::utf16be;
        EXPECT_TRUE(load_text_file(path_.c_str(), out, encoding));
        EXPECT_EQ(encoding, c.encoding);
        EXPECT_EQ(std::string(out.c_str(), out.length()), c.text);
    }
}

TEST_F(LoadTextFile, CodePageFilesReadAsTheyAlwaysDid) {
    const std::string raw = "caf\xE9 \xC4\xE3\xBA\xC3\r\n";
    write(raw);
    Utf8String detected_text;
    TextEncoding encoding = TextEncoding::utf8;
    EXPECT_TRUE(load_text_file(path_.c_str(), detected_text, encoding));
    EXPECT_EQ(encoding, TextEncoding::system_code_page);
    EXPECT_EQ(std::string(detected_text.c_str(), detected_text.length()), load());
}

TEST_F(LoadTextFile, DetectingAFileThatCannotBeReadReportsTheCodePage) {
    Utf8String out("kept");
    TextEncoding encoding = TextEncoding::utf16le;
    EXPECT_FALSE(load_text_file((path_ + ".missing").c_str(), out, encoding));
    EXPECT_EQ(encoding, TextEncoding::system_code_page);
    EXPECT_STREQ(out.c_str(), "kept");

    // Past the limit: refused, not read in part, whatever its mark.
    write("\xEF\xBB\xBF" + std::string(64u * 1024u * 1024u, 'a'));
    encoding = TextEncoding::utf16le;
    EXPECT_FALSE(load_text_file(path_.c_str(), out, encoding));
    EXPECT_EQ(out.length(), 0u);
    EXPECT_EQ(encoding, TextEncoding::system_code_page);
}

}  // namespace
}  // namespace versotime
