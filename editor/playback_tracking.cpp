#include "editor/playback_tracking.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "core/time_text.h"
#include "editor/editor_state.h"
#include "editor/system_text.h"
#include "host/host_services.h"
#include "host/player_api.h"
#include "host/utf8api.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "settings/config_variables.h"

namespace versotime {

double play_position = -1.0;
std::int32_t last_slider_pos = -666;
bool slider_dragging = false;

namespace {

// Longest formatted title the caption keeps, in system-code-page bytes.
constexpr std::uint32_t max_caption_title = 126;

// The slider value of `position` on a track of `length` seconds, -1 when the
// length is unknown. A position past the end gives a value above 10000.
std::int32_t slider_value(double position, double length) {
    if (!(length > 0.0)) return -1;
    const double value = 10000.0 / length * position;
    if (!(value < 2147483647.0)) return 2147483647;
    if (value < 0.0) return 0;
    return static_cast<std::int32_t>(value);
}

void set_slider(HWND window, std::int32_t value, bool redraw) {
    SendDlgItemMessageA(window, IDC_SEEK_SLIDER, TBM_SETPOS, redraw ? TRUE : FALSE, value);
}

void on_new_track_noticed(HWND window) {
    // The lyric file saved for the previous track is not this one's. The
    // offset stays: it belongs to the document, which stays too.
    current_track.lyric_file_path.truncate(0);
    enable_control(IDC_SAVE_FILEPATH_TAG, false);
    last_seen_track.copy_track(current_track);
    refresh_title_bar();
    set_time_label(IDC_LENGTH_LABEL, current_track.track_length);
    set_status(texts::ready);
    uSetDlgItemText(window, IDC_TRACK_TEXT, current_track.location.c_str());
    play_position = 0.0;
    last_slider_pos = -666;
}

void tick_while_playing(HWND window, PlayerControl& control) {
    const double position = control.get_position();
    play_position = position < 0.0 ? 0.0 : position;
    if (current_track.track_length < 0.0) {
        current_track.track_length = 0.0;
        return;
    }
    if (current_track.track_differs(last_seen_track)) on_new_track_noticed(window);

    const std::int32_t s = slider_value(play_position, current_track.track_length);
    if (s == last_slider_pos) return;
    last_slider_pos = s;
    if (s <= 0) {
        set_slider(window, 0, false);
        return;
    }
    if (!slider_dragging) set_slider(window, s < 10000 ? s : 10000, true);
    set_time_label(IDC_POSITION_LABEL, play_position);
}

void tick_while_stopped(HWND window) {
    if (current_track.refresh_location()) uSetDlgItemText(window, IDC_TRACK_TEXT, current_track.location.c_str());
    last_slider_pos = -1;
    set_slider(window, 0, true);
}

}  // namespace

void on_new_track(TrackHandle* track) {
    if (last_seen_track.track_length < 0.0) {
        last_seen_track.copy_track(current_track);
        last_seen_track.track_length = track_length_unknown;
    } else {
        last_seen_track.copy_track(current_track);
    }
    current_track.fetch_track(track);
    current_track.track_length = current_track.handle ? read_track_length(current_track.handle) : 0.0;
    current_track.refresh_location();
}

void playback_tick() {
    HWND window = editor_window();
    if (!window) return;
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
        PostMessageA(window, WM_COMMAND, IDC_TICK_COMMAND, 0);
        return;
    }
    PlayerControl* control = player_control();
    if (control && control->is_playing()) {
        tick_while_playing(window, *control);
    } else {
        tick_while_stopped(window);
    }
}

void refresh_title_bar() {
    HWND window = editor_window();
    if (!window) return;
    SystemText script(lrc_title.get());
    Utf8String title;
    if (!current_track.format_track_title(script.c_str(), title)) return;
    SystemText shown(title.c_str());
    shown.cut(max_caption_title);
    char caption[160];
    std::snprintf(caption, sizeof caption, texts::title_pattern, texts::window_title, shown.c_str());
    SetWindowTextA(window, caption);
}

void set_time_label(int control_id, double seconds) {
    HWND window = editor_window();
    char label[time_label_capacity];
    if (!window || !format_time_label(seconds, label)) return;
    SetDlgItemTextA(window, control_id, label);
}

}  // namespace versotime
