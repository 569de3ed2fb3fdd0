// Writing document text in a file's encoding, piece by piece, and choosing
// the encoding a save uses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/system_code_page.h"
#include "host/text_encoder.h"
#include "tests/unit/text_test_support.h"

namespace versotime {
namespace {

using test::hex;
using test::utf16le;
using E = TextEncoding;

class StringSink final : public ByteSink {
public:
    bool write(const char* bytes, std::uint32_t count) override {
        if (count > largest) largest = count;
        ++pieces;
        if (refuse_after >= 0 && pieces > refuse_after) return false;
        text.append(bytes, count);
        return true;
    }
    std::string text;
    std::uint32_t largest = 0;
    int pieces = 0;
    int refuse_after = -1;
};

std::string encoded(const std::string& utf8, E encoding, EncodeResult expected = EncodeResult::done) {
    StringSink sink;
    EXPECT_EQ(encode_text(utf8.data(), static_cast<std::uint32_t>(utf8.size()), encoding, sink), expected);
    return sink.text;
}

std::string swapped(std::string bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

TEST(EncodeText, Utf8AndUtf16) {
    const struct {
        const char* name;
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"empty", "", u""},
        {"ASCII with CR LF", "[00:01.0]a\r\n", u"[00:01.0]a\r\n"},
        {"every script", "\xE6\x97\xA5 caf\xC3\xA9 \xF0\x9F\x98\x80", u"\u65E5 caf\u00E9 \U0001F600"},
        {"NUL is a character", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"bad byte", "caf\xE9!", u"caf\uFFFD!"},
        {"bad bytes at both ends", "\xFF" "x\xE6\x97", u"\uFFFDx\uFFFD\uFFFD"},
        {"surrogate in UTF-8 form", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // UTF-8 keeps the bytes as they stand, bad ones included.
        EXPECT_EQ(hex(encoded(c.utf8, E::utf8)), hex(c.utf8));
        EXPECT_EQ(hex(encoded(c.utf8, E::utf8_with_mark)), hex("\xEF\xBB\xBF" + c.utf8));
        EXPECT_EQ(hex(encoded(c.utf8, E::utf16le)), hex("\xFF\xFE" + utf16le(c.utf16)));
        EXPECT_EQ(hex(encoded(c.utf8, E::utf16be)), hex("\xFE\xFF" + swapped(utf16le(c.utf16))));
    }
}

struct SystemCase {
    std::string utf8;
    std::string system;
    bool exact;
};

std::vector<SystemCase> system_cases(unsigned code_page) {
    std::vector<SystemCase> cases = {
        {"", "", true},
        {"[00:01.0]plain\r\n", "[00:01.0]plain\r\n", true},
        {std::string("a\0b", 3), std::string("a\0b", 3), true},
        {"?", "?", true},
        // Each bad byte is one "?", and the text goes on after it.
        {"caf\xE9 au lait\r\nnext", "caf? au lait\r\nnext", false},
        {"\xFF\xFE" "ab", "??ab", false},
        {"cut \xE6\x97", "cut ??", false},
        {"\xED\xA0\x80", "???", false},
        {"\xF0\x9F\x98\x80", "??", false},  // one "?" a UTF-16 unit, as the code page gives it
        {"\xE0\xB8\x81", "?", false},
    };
    if (code_page == 1252) {
        cases.push_back({"caf\xC3\xA9", "caf\xE9", true});
        cases.push_back({"\xE2\x82\xAC", "\x80", true});
        cases.push_back({"\xC2\x81\xC2\x8D", "\x81\x8D", true});
        cases.push_back({"\xC4\x80", "A", false});  // a best fit is no exact conversion
        cases.push_back({"\xE6\x97\xA5\xE6\x9C\xAC", "??", false});
        cases.push_back({"caf\xC3\xA9\xE9", "caf\xE9?", false});
    }
    if (code_page == 936) {
        cases.push_back({"\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4", true});
        cases.push_back({"\xC3\xA9", "\xA8\xA6", true});
        cases.push_back({"\xEE\x80\x80", "\xAA\xA1", true});
        cases.push_back({"\xC3\x80", "\xA8\xA4", false});  // best fit
        cases.push_back({"\xE4\xB8\xAD\xE9", "\xD6\xD0?", false});
    }
    return cases;
}

class SystemEncoding : public test::CodePageTest {
protected:
    void SetUp() override {
        CodePageTest::SetUp();
        if (HasFatalFailure()) return;
        cases_ = system_cases(GetParam());
    }

    std::vector<SystemCase> cases_;
};

TEST_P(SystemEncoding, BadBytesBecomeQuestionMarks) {
    for (const SystemCase& c : cases_) {
        SCOPED_TRACE(hex(c.utf8));
        EXPECT_EQ(hex(encoded(c.utf8, E::system_code_page)), hex(c.system));
    }
}

TEST_P(SystemEncoding, ExactOnlyWhenEveryCharacterComesBack) {
    for (const SystemCase& c : cases_) {
        SCOPED_TRACE(hex(c.utf8));
        EXPECT_EQ(converts_exactly(c.utf8.data(), static_cast<std::uint32_t>(c.utf8.size())), c.exact);
    }
}

// Texts of several pieces: pieces never split a character, a bad byte
// or a surrogate pair, and what lies past the first piece is checked too.
TEST_P(SystemEncoding, LongTextsConvertAsOneText) {
    const std::string exact_unit = GetParam() == 936 ? "\xE4\xB8\xAD" "ab" : "caf\xC3\xA9 ";
    const std::string exact_system = GetParam() == 936 ? "\xD6\xD0" "ab" : "caf\xE9 ";
    std::string utf8;
    std::string system;
    while (utf8.size() < 600 * 1024) {
        utf8 += exact_unit + "\xF0\x9F\x98\x80\xFF";
        system += exact_system + "???";
    }
    StringSink sink;
    EXPECT_EQ(encode_text(utf8.data(), static_cast<std::uint32_t>(utf8.size()), E::system_code_page, sink),
              EncodeResult::done);
    EXPECT_EQ(sink.text.size(), system.size());
    EXPECT_TRUE(sink.text == system);
    EXPECT_LE(sink.largest, 1024u * 1024u);

    std::string clean;
    while (clean.size() < 600 * 1024) clean += exact_unit;
    EXPECT_TRUE(converts_exactly(clean.data(), static_cast<std::uint32_t>(clean.size())));
    const std::string spoiled_late = clean + "\xE0\xB8\x81";
    EXPECT_FALSE(converts_exactly(spoiled_late.data(), static_cast<std::uint32_t>(spoiled_late.size())));
    const std::string bad_byte_late = clean + "\xE9";
    EXPECT_FALSE(converts_exactly(bad_byte_late.data(), static_cast<std::uint32_t>(bad_byte_late.size())));
}

TEST_P(SystemEncoding, SaveEncodingFollowsWhereTheTextCameFrom) {
    const std::string exact = GetParam() == 936 ? "\xE4\xB8\xAD" : "caf\xC3\xA9";
    const std::string lossy = "\xE6\x97\xA5\xF0\x9F\x98\x80\xED\x95\x9C";  // no code page here holds all three
    const std::string bad = "caf\xE9";
    const struct {
        E came_in;
        const std::string& text;
        E saved;
    } cases[] = {
        {E::system_code_page, exact, E::system_code_page},
        {E::system_code_page, lossy, E::utf8_with_mark},
        {E::system_code_page, bad, E::utf8_with_mark},
        {E::utf8, exact, E::utf8},
        {E::utf8, lossy, E::utf8},
        {E::utf8, bad, E::utf8},
        {E::utf8_with_mark, exact, E::utf8_with_mark},
        {E::utf8_with_mark, bad, E::utf8_with_mark},
        {E::utf16le, lossy, E::utf16le},
        {E::utf16le, bad, E::utf8_with_mark},
        {E::utf16be, exact, E::utf16be},
        {E::utf16be, bad, E::utf8_with_mark},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(text_encoding_name(c.came_in)) + " " + hex(c.text));
        EXPECT_EQ(choose_save_encoding(c.came_in, c.text.data(), static_cast<std::uint32_t>(c.text.size())), c.saved);
    }
}

INSTANTIATE_TEST_SUITE_P(CodePages, SystemEncoding, ::testing::ValuesIn(test::code_pages_under_test()));

// What is saved reads back as the same document text, in every encoding the
// save may choose.
TEST(EncodeText, ReadsBackAsTheSameText) {
    const std::string texts[] = {
        "[00:01.0]\xE6\x97\xA5\xE6\x9C\xAC\n[00:02.0]caf\xC3\xA9 \xF0\x9F\x98\x80\n",
        "[00:01.0]Only ASCII\n[offset:500]",
        "\xE4\xB8\xAD\xE6\x96\x87\n",
    };
    for (const std::string& text : texts) {
        for (E e : {E::utf8, E::utf8_with_mark, E::utf16le, E::utf16be}) {
            SCOPED_TRACE(std::string(text_encoding_name(e)) + " " + hex(text));
            std::string bytes = encoded(text, e);
            Utf8String back;
            TextEncoding detected = E::system_code_page;
            ASSERT_TRUE(decode_detected_text(&bytes[0], bytes.size(), back, detected));
            EXPECT_EQ(hex(std::string(back.c_str(), back.length())), hex(text));
            // Plain ASCII without a mark reads as the system code page, to the same text.
            if (e != E::utf8 || detected != E::system_code_page) {
                EXPECT_EQ(detected, e);
            }
        }
    }
}

TEST(EncodeText, StopsWhenTheSinkRefuses) {
    const std::string text(3 * 1024 * 1024, 'a');
    for (E e : {E::system_code_page, E::utf8, E::utf8_with_mark, E::utf16le, E::utf16be}) {
        SCOPED_TRACE(text_encoding_name(e));
        StringSink sink;
        sink.refuse_after = 1;
        EXPECT_EQ(encode_text(text.data(), static_cast<std::uint32_t>(text.size()), e, sink),
                  EncodeResult::write_failed);
        EXPECT_EQ(sink.pieces, 2);
        EXPECT_LE(sink.largest, 1024u * 1024u);
    }
}

TEST(EncodeText, CountThenFillABlock) {
    const std::string text = "\xE6\x97\xA5 caf\xC3\xA9\xFF\r\n";
    for (E e : {E::system_code_page, E::utf8, E::utf8_with_mark, E::utf16le, E::utf16be}) {
        SCOPED_TRACE(text_encoding_name(e));
        CountingSink counter;
        ASSERT_EQ(encode_text(text.data(), static_cast<std::uint32_t>(text.size()), e, counter), EncodeResult::done);
        const std::string expected = encoded(text, e);
        EXPECT_EQ(counter.count(), expected.size());

        std::vector<char> block(expected.size() + 4, '#');
        BlockSink fill(block.data(), static_cast<std::uint32_t>(expected.size()));
        EXPECT_EQ(encode_text(text.data(), static_cast<std::uint32_t>(text.size()), e, fill), EncodeResult::done);
        EXPECT_EQ(fill.used(), expected.size());
        EXPECT_EQ(std::string(block.data(), expected.size()), expected);
        EXPECT_EQ(std::string(block.data() + expected.size(), 4), "####");

        // A block one byte short refuses the piece that does not fit.
        std::vector<char> small(expected.size() + 3, '#');
        BlockSink short_fill(small.data(), static_cast<std::uint32_t>(expected.size() - 1));
        EXPECT_EQ(encode_text(text.data(), static_cast<std::uint32_t>(text.size()), e, short_fill),
                  EncodeResult::write_failed);
        EXPECT_EQ(std::string(small.data() + expected.size() - 1, 4), "####");
    }
}

}  // namespace
}  // namespace versotime
