// Taking text from the real clipboard (under Wine): the scan for the text's
// end stays inside the block another program placed there.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "host/utf8_string.h"
#include "storage/clipboard_text.h"

namespace versotime {
namespace {

// Places a CF_TEXT block of exactly `bytes` (no NUL added); the block's
// whole size as the system reports it is filled, the spare bytes with
// `fill`.
SIZE_T place_block(const std::string& bytes, char fill) {
    if (!OpenClipboard(nullptr)) return 0;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    SIZE_T size = 0;
    if (block) {
        size = GlobalSize(block);
        char* p = static_cast<char*>(GlobalLock(block));
        std::memset(p, fill, size);
        std::memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(block);
        if (!SetClipboardData(CF_TEXT, block)) {
            GlobalFree(block);
            size = 0;
        }
    }
    CloseClipboard();
    return size;
}

// Places a CF_UNICODETEXT block of exactly `units` (no zero unit added),
// the spare units filled with `fill`.
SIZE_T place_units(const std::u16string& units, char16_t fill) {
    if (!OpenClipboard(nullptr)) return 0;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, units.size() * sizeof(char16_t));
    SIZE_T size = 0;
    if (block) {
        size = GlobalSize(block);
        char16_t* p = static_cast<char16_t*>(GlobalLock(block));
        for (SIZE_T i = 0; i < size / sizeof(char16_t); ++i) p[i] = fill;
        std::memcpy(p, units.data(), units.size() * sizeof(char16_t));
        GlobalUnlock(block);
        if (!SetClipboardData(CF_UNICODETEXT, block)) {
            GlobalFree(block);
            size = 0;
        }
    }
    CloseClipboard();
    return size;
}

TEST(ClipboardText, UnicodeTextComesWholeWhateverTheCodePage) {
    const std::u16string padding(50, u'x');
    struct Case {
        std::u16string units;
        std::string utf8;
    };
    const Case cases[] = {
        {u"\u65E5\u672C\u8A9E " + padding + u'\0' + u"after", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E " + std::string(50, 'x')},
        {u"\U0001F600\uAC00 " + padding + u'\0', "\xF0\x9F\x98\x80\xEA\xB0\x80 " + std::string(50, 'x')},
        // An unpaired surrogate becomes U+FFFD and the text goes on.
        {u"a\xD800" u"b " + padding + u'\0', "a\xEF\xBF\xBD" "b " + std::string(50, 'x')},
    };
    for (const Case& c : cases) {
        ASSERT_GT(place_units(c.units, u'z'), 0u);
        Utf8String out;
        ASSERT_EQ(read_clipboard_text(nullptr, 50, out), ClipboardRead::ok);
        EXPECT_EQ(std::string(out.c_str(), out.length()), c.utf8);
    }
}

TEST(ClipboardText, AUnicodeBlockWithoutZeroEndsAtTheBlock) {
    const std::u16string text(64, u'A');
    const SIZE_T size = place_units(text, u'A');
    ASSERT_GE(size, text.size() * sizeof(char16_t));
    Utf8String out;
    ASSERT_EQ(read_clipboard_text(nullptr, 50, out), ClipboardRead::ok);
    EXPECT_GE(out.length(), text.size() - 1);
    EXPECT_LE(out.length(), size / sizeof(char16_t));
    EXPECT_EQ(std::string(out.c_str()).find_first_not_of('A'), std::string::npos);
}

// The minimum counts the text's system-code-page form: twenty kanji are 60
// bytes of UTF-8 but at most 40 in 1252 or 936.
TEST(ClipboardText, UnicodeMinimumCountsTheCodePageForm) {
    ASSERT_GT(place_units(std::u16string(20, u'\u65E5') + u'\0', u'\0'), 0u);
    Utf8String out("kept?");
    EXPECT_EQ(read_clipboard_text(nullptr, 50, out), ClipboardRead::too_short);
    EXPECT_EQ(out.length(), 0u);
}

TEST(ClipboardText, ABlockWithoutNulEndsAtTheBlock) {
    const std::string text(64, 'A');
    const SIZE_T size = place_block(text, 'A');
    ASSERT_GE(size, text.size());
    Utf8String out;
    ASSERT_EQ(read_clipboard_text(nullptr, 50, out), ClipboardRead::ok);
    // The system may hand the block back larger than asked for, or with its
    // last byte made a NUL (Wine does), but never with more text than it
    // holds.
    EXPECT_GE(out.length(), text.size() - 1);
    EXPECT_LE(out.length(), size);
    EXPECT_EQ(std::string(out.c_str()).find_first_not_of('A'), std::string::npos);
}

TEST(ClipboardText, TheTextEndsAtItsNul) {
    std::string text(60, 'B');
    text += '\0';
    text += "after the end";
    ASSERT_GT(place_block(text, 'C'), 0u);
    Utf8String out;
    ASSERT_EQ(read_clipboard_text(nullptr, 50, out), ClipboardRead::ok);
    EXPECT_EQ(std::string(out.c_str()), std::string(60, 'B'));
}

TEST(ClipboardText, ShortTextAndNoText) {
    ASSERT_GT(place_block(std::string(49, 'D') + '\0', 'D'), 0u);
    Utf8String out("kept?");
    EXPECT_EQ(read_clipboard_text(nullptr, 50, out), ClipboardRead::too_short);
    EXPECT_EQ(out.length(), 0u);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(read_clipboard_text(nullptr, 50, out), ClipboardRead::no_text);
}

}  // namespace
}  // namespace versotime
