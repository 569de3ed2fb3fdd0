// utf8api.dll under Wine: UTF-8 in, UTF-16 to the window, and back.
#include <gtest/gtest.h>

#include <string>

#include "host/utf8api.h"

namespace {

using versotime::Utf8String;

constexpr int test_dialog = 200;
constexpr int test_edit = 201;

INT_PTR CALLBACK quiet_procedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class Utf8Dialog : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = uCreateDialog(GetModuleHandleW(nullptr), test_dialog, nullptr, quiet_procedure, 0);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override {
        if (dialog != nullptr) DestroyWindow(dialog);
    }
    HWND dialog = nullptr;
};

TEST_F(Utf8Dialog, TemplateTextsArriveAsUtf8) {
    Utf8String caption("stale");
    EXPECT_TRUE(uGetWindowText(dialog, caption));
    EXPECT_STREQ(caption.c_str(), "Pr\xC3\xBC" "fung \xE6\xAD\x8C\xE8\xAF\x8D");
}

TEST_F(Utf8Dialog, ItemTextRoundTrips) {
    struct Case {
        const char* utf8;
        const wchar_t* wide;
    };
    const Case cases[] = {
        {"", L""},
        {"plain", L"plain"},
        {"\xC3\x89t\xC3\xA9 \xE6\xAD\x8C\xE8\xAF\x8D", L"\u00C9t\u00E9 \u6B4C\u8BCD"},
        {"\xF0\x9F\x8E\xB5 note", L"\xD83C\xDFB5 note"},  // outside the BMP: a surrogate pair
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        ASSERT_TRUE(uSetDlgItemText(dialog, test_edit, c.utf8));
        wchar_t wide[64] = {};
        GetDlgItemTextW(dialog, test_edit, wide, 64);
        EXPECT_EQ(std::wstring(wide), std::wstring(c.wide));
        Utf8String back("stale");
        EXPECT_TRUE(uGetDlgItemText(dialog, test_edit, back));
        EXPECT_STREQ(back.c_str(), c.utf8);
    }
}

TEST_F(Utf8Dialog, LongTextIsReadWhole) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "\xE6\xAD\x8C";
    ASSERT_TRUE(uSetDlgItemText(dialog, test_edit, text.c_str()));
    Utf8String back;
    EXPECT_TRUE(uGetDlgItemText(dialog, test_edit, back));
    EXPECT_EQ(back.length(), text.size());
    EXPECT_STREQ(back.c_str(), text.c_str());
}

TEST_F(Utf8Dialog, MissingWindowsGiveEmptyText) {
    Utf8String out("stale");
    EXPECT_FALSE(uGetDlgItemText(dialog, 999, out));
    EXPECT_STREQ(out.c_str(), "");
    out.assign("stale");
    EXPECT_FALSE(uGetDlgItemText(nullptr, test_edit, out));
    EXPECT_STREQ(out.c_str(), "");
    out.assign("stale");
    EXPECT_FALSE(uGetWindowText(nullptr, out));
    EXPECT_STREQ(out.c_str(), "");
    EXPECT_FALSE(uSetDlgItemText(dialog, 999, "x"));
    EXPECT_TRUE(uSetDlgItemText(dialog, test_edit, nullptr));  // null is the empty text
}

TEST(Utf8Api, MissingTemplateGivesNoWindow) {
    EXPECT_EQ(uCreateDialog(GetModuleHandleW(nullptr), 4242, nullptr, quiet_procedure, 0), nullptr);
}

// Closes the message box with this caption once it shows, keeping its text.
struct BoxWatch {
    const wchar_t* caption;
    std::wstring text;
    bool seen = false;
};

DWORD WINAPI close_message_box(void* argument) {
    auto* watch = static_cast<BoxWatch*>(argument);
    for (int i = 0; i < 500 && !watch->seen; ++i) {
        HWND box = FindWindowW(L"#32770", watch->caption);
        if (box != nullptr) {
            wchar_t text[128] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 128);  // the message's static control
            watch->text = text;
            watch->seen = true;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        Sleep(10);
    }
    return 0;
}

TEST(Utf8Api, MessageBoxShowsUtf8Texts) {
    BoxWatch watch{L"Pr\u00FCfung \u6B4C\u8BCD", L"", false};
    HANDLE thread = CreateThread(nullptr, 0, close_message_box, &watch, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    int answer = uMessageBox(nullptr, "Zu lang \xE2\x80\x94 \xE5\xA4\xAA\xE9\x95\xBF",
                             "Pr\xC3\xBC" "fung \xE6\xAD\x8C\xE8\xAF\x8D", MB_OK);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    ASSERT_TRUE(watch.seen);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(watch.text, std::wstring(L"Zu lang \u2014 \u592A\u957F"));
}

int sign_of(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

TEST(Utf8Api, StricmpFoldsCase) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"", "", 0},
        {"LYRIC", "lyric", 0},
        {"LyricFileName", "LYRICFILENAME", 0},
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", 0},
        {"\xD0\xBF\xD1\x91", "\xD0\x9F\xD0\x81", 0},
        {"\xE6\xAD\x8C", "\xE6\xAD\x8C", 0},
        {"abc", "abd", -1},
        {"ab", "abc", -1},
        {"abd", "ABC", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " | " + c.b);
        EXPECT_EQ(sign_of(stricmp_utf8(c.a, c.b)), c.sign);
        EXPECT_EQ(sign_of(stricmp_utf8(c.b, c.a)), -c.sign);
    }
    EXPECT_EQ(stricmp_utf8(nullptr, ""), 0);
    EXPECT_LT(stricmp_utf8(nullptr, "a"), 0);
}

}  // namespace
