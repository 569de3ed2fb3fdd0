#include "editor/seek_transport.h"

#include <commctrl.h>

#include "core/time_text.h"
#include "editor/playback_tracking.h"
#include "host/host_services.h"
#include "host/player_api.h"
#include "resources/resource.h"

namespace versotime {

HWND slider_tip = nullptr;

namespace {

// Slider values are ten-thousandths of the track.
constexpr double slider_unit = 0.0001;
// The tip sits this far right of and below the cursor.
constexpr int tip_gap = 10;

// The tool entry of the tip; the slider window identifies it.
TOOLINFOA tip_tool(HWND window) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, IDC_SEEK_SLIDER));
    tool.hinst = module_instance;
    return tool;
}

void activate_tip(HWND window, bool active) {
    if (!slider_tip) return;
    TOOLINFOA tool = tip_tool(window);
    SendMessageA(slider_tip, TTM_TRACKACTIVATE, active ? TRUE : FALSE, reinterpret_cast<LPARAM>(&tool));
}

// Seconds of the now-playing track for a drag: -1.0 when the player cannot
// seek, 0.0 when nothing plays.
double track_length_for_seek(PlayerControl& control) {
    if (!control.can_seek()) return -1.0;
    TrackHandle* playing = control.get_now_playing();
    if (!playing) return 0.0;
    const double length = read_track_length(playing);
    playing->release();
    return length;
}

void on_thumb_track(HWND window, double target) {
    slider_dragging = true;
    if (!slider_tip) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // The text goes in before the tip is shown: a tip activated with an
    // empty text stays hidden.
    char label[time_label_capacity];
    if (format_time_label(target, label)) {
        TOOLINFOA tool = tip_tool(window);
        tool.lpszText = label;
        SendMessageA(slider_tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageA(slider_tip, TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x + tip_gap, cursor.y + tip_gap));
    activate_tip(window, true);
}

}  // namespace

HWND create_slider_tip(HWND window, HWND slider) {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&classes) || !slider) return nullptr;
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, module_instance, nullptr);
    if (!tip) return nullptr;
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA tool = tip_tool(window);
    char empty[1] = "";
    tool.lpszText = empty;
    if (!SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        DestroyWindow(tip);
        return nullptr;
    }
    SendMessageA(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

void on_slider_scroll(HWND window, int code, int value) {
    PlayerControl* control = player_control();
    if (!control || !control->is_playing()) {
        SendDlgItemMessageA(window, IDC_SEEK_SLIDER, TBM_SETPOS, FALSE, 0);
        return;
    }
    const double target = value * track_length_for_seek(*control) * slider_unit;
    if (code == TB_THUMBTRACK) {
        on_thumb_track(window, target);
    } else if (code == TB_THUMBPOSITION) {
        slider_dragging = false;
        activate_tip(window, false);
        if (control->is_playing()) control->seek_to(target);
    }
}

double seek_step(HWND window) {
    switch (SendDlgItemMessageA(window, IDC_SEEK_STEP, CB_GETCURSEL, 0, 0)) {
        case 0: return 0.1;
        case 1: return 1.0;
        case 2: return 2.0;
        case 3: return 5.0;
        default: return -1.0;
    }
}

void on_previous(HWND) {
    if (PlayerControl* control = player_control()) control->start_playback(PlaybackCommand::previous);
    playback_tick();
}

void on_stop(HWND) {
    play_position = 0.0;
    if (PlayerControl* control = player_control()) control->stop_playback(0);
}

void on_seek_back(HWND window) {
    if (PlayerControl* control = player_control()) control->seek_by(-seek_step(window));
}

void on_play(HWND) {
    if (PlayerControl* control = player_control()) control->start_playback(PlaybackCommand::play);
}

void on_pause(HWND) {
    if (PlayerControl* control = player_control()) control->toggle_pause();
}

void on_seek_forward(HWND window) {
    if (PlayerControl* control = player_control()) control->seek_by(seek_step(window));
}

void on_next(HWND) {
    if (PlayerControl* control = player_control()) control->start_playback(PlaybackCommand::next);
    playback_tick();
}

}  // namespace versotime
