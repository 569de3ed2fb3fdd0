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
