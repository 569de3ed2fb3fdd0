// A small window of the player's own whose controls exercise every kind of
// user action a scenario can take, so the mechanics are testable without a
// component window. Its status line (105) tells what it last received.
#pragma once

#include <windows.h>

namespace versotime {
namespace player {

enum ProbeControl {
    probe_edit = 100,
    probe_open_button = 101,     // GetOpenFileNameA "Probe Open"; the path goes into 100
    probe_message_button = 102,  // MessageBoxA with the text of 100
    probe_list = 103,            // "one" "two" "three"
    probe_combo = 104,           // "0.1s" "1s" "2s" "5s"
    probe_status = 105,
    probe_check = 106,
    probe_change_count = 107,    // "changes N": EN_CHANGE of 100
    probe_colour_button = 108,   // ChooseColorA: a modal dialog no command answers
    probe_wide_list = 109,       // a Unicode list box: "café" "日本語" "中文" and an emoji
};

HWND create_probe_window();

}  // namespace player
}  // namespace versotime
