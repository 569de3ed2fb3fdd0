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

// The message box is caught by a hook on this thread as it is activated and
// answered at once by a posted OK, so the test never waits for a person; its
// texts are read when that OK arrives, after the box has filled them in.
struct BoxWatch {
    HHOOK hook = nullptr;
    WNDPROC procedure = nullptr;
    std::wstring caption;
    std::wstring text;
};
BoxWatch box_watch;

LRESULT CALLBACK watched_box_procedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && LOWORD(wparam) == IDOK) {
        wchar_t text[128] = {};
        GetWindowTextW(box, text, 128);
        box_watch.caption = text;
        GetDlgItemTextW(box, 0xFFFF, text, 128);  // the message's static control
        box_watch.text = text;
    }
    return CallWindowProcW(box_watch.procedure, box, message, wparam, lparam);
}

LRESULT CALLBACK on_box_activated(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && box_watch.procedure == nullptr) {
        auto box = reinterpret_cast<HWND>(wparam);
        box_watch.procedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watched_box_procedure)));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(box_watch.hook, code, wparam, lparam);
}

TEST(Utf8Api, MessageBoxShowsUtf8Texts) {
    box_watch.hook = SetWindowsHookExW(WH_CBT, on_box_activated, nullptr, GetCurrentThreadId());
    ASSERT_NE(box_watch.hook, nullptr);
    int answer = uMessageBox(nullptr, "Zu lang \xE2\x80\x94 \xE5\xA4\xAA\xE9\x95\xBF",
                             "Pr\xC3\xBC" "fung \xE6\xAD\x8C\xE8\xAF\x8D", MB_OK);
    UnhookWindowsHookEx(box_watch.hook);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(box_watch.caption, std::wstring(L"Pr\u00FCfung \u6B4C\u8BCD"));
    EXPECT_EQ(box_watch.text, std::wstring(L"Zu lang \u2014 \u592A\u957F"));
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
