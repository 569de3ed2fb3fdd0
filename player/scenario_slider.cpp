// Scenario commands for a track bar's drag in steps, and what the drag shows:
// the thumb's value and the tracking tooltip that follows it.
#include <windows.h>

#include <commctrl.h>

#include "player/scenario.h"
#include "player/script_text.h"

namespace versotime {
namespace player {

namespace {

void send_scroll(HWND slider, int code, int value) {
    UINT message = (GetWindowLongA(slider, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    SendMessageA(GetParent(slider), message, MAKEWPARAM(code, value), reinterpret_cast<LPARAM>(slider));
}

struct TipSearch {
    HWND tool_window = nullptr;  // the slider the tip belongs to
    HWND tip = nullptr;
    char text[256] = {};
};

BOOL CALLBACK find_tip(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TipSearch*>(param);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) return TRUE;
    const int count = static_cast<int>(SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        char text[256] = {};
        tool.lpszText = text;
        if (!SendMessageA(window, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool))) continue;
        if ((tool.uFlags & TTF_IDISHWND) && reinterpret_cast<HWND>(tool.uId) == search->tool_window) {
            search->tip = window;
            lstrcpynA(search->text, text, sizeof search->text);
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

// slider_hold WINDOW ID VALUE: the thumb is dragged to VALUE and held there.
bool Scenario::slider_hold(const Args& a) {
    HWND c = nullptr;
    int value = 0;
    if (!control(a[0], a[1], c) || !to_int(a[2], value)) return false;
    SendMessageA(c, TBM_SETPOS, TRUE, value);
    send_scroll(c, TB_THUMBTRACK, value);
    player_.pump();
    return true;
}

// slider_release WINDOW ID VALUE: the held thumb is let go at VALUE.
bool Scenario::slider_release(const Args& a) {
    HWND c = nullptr;
    int value = 0;
    if (!control(a[0], a[1], c) || !to_int(a[2], value)) return false;
    send_scroll(c, TB_THUMBPOSITION, value);
    send_scroll(c, TB_ENDTRACK, 0);
    player_.pump();
    return true;
}

// expect slider WINDOW ID VALUE: the track bar's thumb position.
bool Scenario::expect_slider(const Args& a) {
    HWND c = nullptr;
    int want = 0;
    if (!control(a[0], a[1], c) || !to_int(a[2], want)) return false;
    int got = static_cast<int>(SendMessageA(c, TBM_GETPOS, 0, 0));
    return got == want || differ("the position of " + a[0] + " " + a[1], a[2], std::to_string(got));
}

// expect tip hidden | expect tip TEXT: the tooltip of the editor's seek
// slider (control 1000) is hidden, or shown with TEXT.
bool Scenario::expect_tip(const Args& a) {
    HWND slider = nullptr;
    if (!control("editor", "1000", slider)) return false;
    TipSearch search;
    search.tool_window = slider;
    EnumThreadWindows(GetCurrentThreadId(), find_tip, reinterpret_cast<LPARAM>(&search));
    if (!search.tip) return differ("the slider's tooltip", "a tooltip", "none");
    const bool shown = IsWindowVisible(search.tip) != 0;
    if (a[0] == "hidden") return !shown || differ("the slider's tooltip", "hidden", "shown " + quoted(search.text));
    if (!shown) return differ("the slider's tooltip", "shown " + quoted(a[0]), "hidden");
    return a[0] == search.text || differ("the slider's tooltip text", quoted(a[0]), quoted(search.text));
}

}  // namespace player
}  // namespace versotime
