#include "editor/editor_window.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "core/lyric_document.h"
#include "editor/current_track.h"
#include "editor/edit_steps.h"
#include "editor/editing_commands.h"
#include "editor/editor_keys.h"
#include "editor/editor_state.h"
#include "editor/playback_tracking.h"
#include "editor/seek_transport.h"
#include "host/host_services.h"
#include "host/utf8api.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "settings/config_variables.h"
#include "storage/clipboard.h"
#include "storage/lyric_files.h"
#include "storage/tag_storage.h"

namespace versotime {

namespace {

HWND window_ = nullptr;

constexpr UINT tick_interval_ms = 100;
constexpr UINT placement_size = 44;
static_assert(sizeof(WINDOWPLACEMENT) == placement_size, "the stored placement is the 44-byte record");

template <void (*handler)(HWND)>
void on_button(HWND window, int) {
    handler(window);
}

void on_tick_command(HWND, int) { playback_tick(); }
void on_offset_change(HWND window, int code) {
    if (code == EN_CHANGE) on_offset_field(window);
}
void on_save_lyric_tag(HWND, int) { write_tag(TagTarget::lyric_text); }
void on_save_filepath_tag(HWND, int) { write_tag(TagTarget::file_path); }
void on_config(HWND, int) {
    if (PlayerControl* control = player_control()) control->show_preferences(texts::component_name);
}
void on_clear(HWND, int) { clear_editor(); }

struct Command {
    int id;
    CommandHandler handler;
    Step step;
};

// What every control and key of the window does, and how it counts for undo.
// IDOK and IDCANCEL (Enter and Esc) are absent on purpose: only the Close
// command closes the window.
constexpr Command commands[] = {
    {IDC_TICK_COMMAND, on_tick_command, Step::none},
    {IDC_STOP, on_button<on_stop>, Step::none},
    {IDC_PLAY, on_button<on_play>, Step::none},
    {IDC_PAUSE, on_button<on_pause>, Step::none},
    {IDC_NEXT_TRACK, on_button<on_next>, Step::none},
    {IDC_PREVIOUS_TRACK, on_button<on_previous>, Step::none},
    {IDC_SEEK_FORWARD, on_button<on_seek_forward>, Step::none},
    {IDC_SEEK_BACK, on_button<on_seek_back>, Step::none},
    {IDC_SAVE_LYRIC_FILE, on_button<save_lyric_file>, Step::none},
    {IDC_OFFSET_FIELD, on_offset_change, Step::offset_field},
    {IDC_TIME_TAG_LIST, on_time_tag_list, Step::none},
    {IDC_LYRIC_LIST, on_lyric_list, Step::stamp},
    {IDC_DELETE_LYRICS, on_button<on_delete_lyrics>, Step::change},
    {IDC_DELETE_TIMETAG, on_button<on_delete_timetag>, Step::change},
    {IDC_ADD_TIMETAG, on_button<on_add_timetag>, Step::change},
    {IDC_INSERT_LYRICS, on_button<on_insert_lyrics>, Step::change},
    {IDC_MODE_PLAYING, on_button<set_edit_mode_playing>, Step::none},
    {IDC_MODE_NORMAL, on_button<set_edit_mode_normal>, Step::none},
    {IDC_READ_LYRIC_FILE, on_button<read_lyric_file>, Step::change},
    {IDC_ADD_LYRICS, on_button<on_add_lyrics>, Step::change},
    {IDC_SAVE_LYRIC_TAG, on_save_lyric_tag, Step::none},
    {IDC_READ_LYRIC_TAG, on_button<read_lyrics_from_tag>, Step::change},
    {IDC_CONFIG, on_config, Step::none},
    {IDC_READ_CLIPBOARD, on_button<read_lyrics_from_clipboard>, Step::change},
    {IDC_COPY_CLIPBOARD, on_button<copy_lyrics_to_clipboard>, Step::none},
    {IDC_MODIFY_LYRICS, on_button<on_modify_lyrics>, Step::change},
    {IDC_SAVE_FILEPATH_TAG, on_save_filepath_tag, Step::none},
    {IDC_CLEAR, on_clear, Step::change},
    {IDC_UNDO_KEY, on_button<on_undo>, Step::none},
    {IDC_REDO_KEY, on_button<on_redo>, Step::none},
    {IDC_NUDGE_LATER_KEY, on_button<on_nudge_later>, Step::change},
    {IDC_NUDGE_EARLIER_KEY, on_button<on_nudge_earlier>, Step::change},
};

void on_command(HWND window, int id, int code) {
    for (const Command& command : commands) {
        if (command.id == id) {
            run_command(window, command.step, command.handler, code);
            return;
        }
    }
}

void restore_placement(HWND window) {
    WINDOWPLACEMENT placement;
    std::memcpy(&placement, &window_placement.get(), placement_size);
    if (window_remember.get() != 0 && placement.length == placement_size) SetWindowPlacement(window, &placement);
}

void save_placement(HWND window) {
    WINDOWPLACEMENT placement;
    std::memset(&placement, 0, placement_size);
    if (window_remember.get() != 0) {
        placement.length = placement_size;
        if (!GetWindowPlacement(window, &placement)) std::memset(&placement, 0, placement_size);
    }
    WindowPlacementRecord record;
    std::memcpy(&record, &placement, placement_size);
    window_placement.set(record);
}

void apply_z_order(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, at_toppest.get() != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, frame.left, frame.top,
                 frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE);
}

// Loaded once and shared by every opening: the window does not own its icon,
// and loading one per opening leaked a handle each time.
HANDLE small_icon() {
    static const HANDLE icon =
        LoadImageA(module_instance, MAKEINTRESOURCEA(IDI_VERSOTIME), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR);
    return icon;
}

BOOL on_init_dialog(HWND window) {
    register_modeless_dialog(window);
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon()));
    SetWindowTextA(window, texts::window_title);
    window_ = window;
    slider_tip = create_slider_tip(window, GetDlgItem(window, IDC_SEEK_SLIDER));
    last_slider_pos = -666;
    SetTimer(window, IDT_PLAYBACK_TICK, tick_interval_ms, nullptr);
    clear_editor();
    enable_control(IDC_SAVE_FILEPATH_TAG, false);
    SendDlgItemMessageA(window, IDC_SEEK_SLIDER, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10000));
    for (const char* step : texts::seek_steps) {
        SendDlgItemMessageA(window, IDC_SEEK_STEP, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(step));
    }
    SendDlgItemMessageA(window, IDC_SEEK_STEP, CB_SETCURSEL, 0, 0);
    restore_placement(window);
    apply_z_order(window);
    CheckRadioButton(window, IDC_MODE_PLAYING, IDC_MODE_NORMAL,
                     edit_mode == EditMode::Playing ? IDC_MODE_PLAYING : IDC_MODE_NORMAL);
    set_status(texts::ready);
    last_seen_track.track_length = track_length_unknown;
    working_offset = 0;
    forget_edit_history(window);
    start_editor_keys();
    playback_tick();
    return TRUE;
}

void on_destroy(HWND window) {
    // The player's quit already ran the closing for this window; when the
    // player later destroys it, saving or fetching tracks again would reach
    // a player that has quit.
    if (window != window_) return;
    KillTimer(window, IDT_PLAYBACK_TICK);
    stop_editor_keys();
    if (lyric_auto_save.get() != 0 && lyric_changed) write_tag(TagTarget::lyric_text, lyrics_track.get());
    lyrics_track.release();
    lyric_document.clear();
    forget_edit_history(nullptr);
    save_placement(window);
    if (slider_tip) {
        DestroyWindow(slider_tip);
        slider_tip = nullptr;
    }
    current_track.release_track();
    last_seen_track.release_track();
    window_ = nullptr;
    unregister_modeless_dialog(window);
}

INT_PTR CALLBACK editor_procedure(HWND window, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return on_init_dialog(window);
        case WM_DESTROY:
            on_destroy(window);
            break;
        case WM_COMMAND:
            on_command(window, LOWORD(wparam), HIWORD(wparam));
            break;
        case WM_SYSCOMMAND:
            if (wparam == SC_CLOSE) DestroyWindow(window);
            break;
        case WM_TIMER:
            playback_tick();
            break;
        case WM_HSCROLL:
            on_slider_scroll(window, LOWORD(wparam), HIWORD(wparam));
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

HWND editor_window() { return window_; }

void set_status(const char* system_text) {
    if (window_) SetDlgItemTextA(window_, IDC_STATUS_LINE, system_text);
}

void enable_control(int control_id, bool enabled) {
    if (window_) EnableWindow(GetDlgItem(window_, control_id), enabled ? TRUE : FALSE);
}

void open_editor() {
    if (window_) {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        return;
    }
    uCreateDialog(module_instance, texts::editor_dialog, nullptr, editor_procedure, 0);
}

void on_host_quit() {
    if (window_) SendMessageA(window_, WM_DESTROY, 0, 0);
    lyrics_track.release();
    current_track.release_track();
    last_seen_track.release_track();
}

}  // namespace versotime
