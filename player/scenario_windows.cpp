// Scenario commands that act on windows as a user would.
#include "player/scenario.h"
#include "player/window_driver.h"

namespace versotime {
namespace player {

bool Scenario::click(const Args& a) {
    HWND c = nullptr;
    if (!control(a[0], a[1], c)) return false;
    click_control(c);
    player_.pump();
    return true;
}

bool Scenario::set_text(const Args& a) {
    HWND c = nullptr;
    if (!control(a[0], a[1], c)) return false;
    set_control_text(c, a[2]);
    player_.pump();
    return true;
}

bool Scenario::set_text_utf8(const Args& a) {
    HWND c = nullptr;
    if (!control(a[0], a[1], c)) return false;
    set_control_text_utf8(c, a[2]);
    player_.pump();
    return true;
}

bool Scenario::type(const Args& a) {
    HWND c = nullptr;
    if (!control(a[0], a[1], c)) return false;
    type_characters(player_, c, a[2]);
    return true;
}

bool Scenario::select(const Args& a) {
    HWND c = nullptr;
    int index = 0;
    if (!control(a[0], a[1], c) || !to_int(a[2], index)) return false;
    return select_item(player_, c, index, error_);
}

bool Scenario::double_click(const Args& a) {
    HWND c = nullptr;
    int index = 0;
    if (!control(a[0], a[1], c) || !to_int(a[2], index)) return false;
    return double_click_item(player_, c, index, error_);
}

bool Scenario::key(const Args& a) {
    HWND target = nullptr;
    if (a[1] == "0") {
        if (!window(a[0], target)) return false;
    } else if (!control(a[0], a[1], target)) {
        return false;
    }
    return press_key(player_, target, a[2], error_);
}

bool Scenario::slider(const Args& a) {
    HWND c = nullptr;
    int value = 0;
    if (!control(a[0], a[1], c) || !to_int(a[2], value)) return false;
    drag_slider(c, value);
    player_.pump();
    return true;
}

bool Scenario::close(const Args& a) {
    HWND w = nullptr;
    if (!window(a[0], w)) return false;
    close_window(player_, w);
    return true;
}

bool Scenario::move_window(const Args& a) {
    HWND w = nullptr;
    int x = 0, y = 0;
    if (!window(a[0], w) || !to_int(a[1], x) || !to_int(a[2], y)) return false;
    SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    player_.pump();
    return true;
}

bool Scenario::picture(const Args& a) {
    HWND w = nullptr;
    if (!window(a[0], w)) return false;
    return save_window_picture(player_, w, a[1], error_);
}

}  // namespace player
}  // namespace versotime
