// Scenario commands on the player itself: tracks, playback, menus,
// preferences, dialog answers, the clipboard, files and the player's life.
#include <cstdio>
#include <cstdlib>

#include "player/clipboard.h"
#include "player/config_file.h"
#include "player/probe_window.h"
#include "player/scenario.h"
#include "player/script_text.h"

namespace versotime {
namespace player {

// ---- Tracks and playback ----

bool Scenario::track_add(const Args& a) {
    double length = 0;
    if (!to_double(a[1], length)) return false;
    player_.add_track(a[0], length);
    return true;
}

bool Scenario::track_meta(const Args& a) {
    PlayerTrack* t = nullptr;
    if (!track_at(a[0], t)) return false;
    t->data.meta_add(a[1].c_str(), a[2].c_str());
    return true;
}

bool Scenario::track_info(const Args& a) {
    PlayerTrack* t = nullptr;
    if (!track_at(a[0], t)) return false;
    t->data.info_set(a[1].c_str(), a[2].c_str());
    return true;
}

bool Scenario::track_update(const Args& a) {
    PlayerTrack* t = nullptr;
    if (!track_at(a[0], t)) return false;
    if (a[1] == "written")
        t->update_result = UpdateResult::written;
    else if (a[1] == "queued")
        t->update_result = UpdateResult::queued;
    else if (a[1] == "failed")
        t->update_result = UpdateResult::failed;
    else {
        error_ = "the update result is written, queued or failed";
        return false;
    }
    return true;
}

bool Scenario::track_get_info(const Args& a) {
    PlayerTrack* t = nullptr;
    if (!track_at(a[0], t)) return false;
    if (a[1] != "works" && a[1] != "fails") {
        error_ = "get_info works or fails";
        return false;
    }
    t->get_info_works = a[1] == "works";
    return true;
}

bool Scenario::focus(const Args& a) {
    PlayerTrack* t = nullptr;
    if (!track_at(a[0], t)) return false;
    player_.focus = std::atoi(a[0].c_str());
    return true;
}

bool Scenario::play(const Args&) {
    if (!components_loaded()) return false;
    player_.play();
    return true;
}

bool Scenario::pause(const Args&) {
    player_.toggle_pause();
    return true;
}

bool Scenario::stop(const Args&) {
    player_.stop();
    return true;
}

bool Scenario::next(const Args&) {
    if (!components_loaded()) return false;
    player_.move(1);
    return true;
}

bool Scenario::previous(const Args&) {
    if (!components_loaded()) return false;
    player_.move(-1);
    return true;
}

bool Scenario::position(const Args& a) {
    double seconds = 0;
    if (!to_double(a[0], seconds)) return false;
    if (player_.state == PlayState::stopped) {
        error_ = "nothing plays";
        return false;
    }
    player_.position = seconds < 0 ? 0 : seconds;
    return true;
}

bool Scenario::can_seek(const Args& a) { return to_flag(a[0], player_.seekable); }

bool Scenario::advance(const Args& a) {
    double seconds = 0;
    if (!to_double(a[0], seconds)) return false;
    player_.advance(seconds);
    return true;
}

bool Scenario::tick(const Args& a) {
    int count = 1;
    if (!a.empty() && !to_int(a[0], count)) return false;
    for (int i = 0; i < count; ++i) {
        for (HWND w : player_.modeless_windows()) {
            if (IsWindow(w)) PostMessageA(w, WM_TIMER, 666, 0);
        }
        player_.pump();
    }
    return true;
}

bool Scenario::pump(const Args& a) {
    int ms = 0;
    if (!a.empty() && !to_int(a[0], ms)) return false;
    player_.pump_for(ms);
    return true;
}

bool Scenario::menu(const Args& a) {
    if (!components_loaded()) return false;
    if (!player_.run_menu_command(false, a[0], 0)) {
        error_ = "no main-menu command " + quoted(a[0]);
        return false;
    }
    player_.pump();
    return true;
}

bool Scenario::context_menu(const Args& a) {
    if (!components_loaded()) return false;
    if (a.size() == 2 && a[1] != "empty") {
        error_ = "context_menu PATH [empty]";
        return false;
    }
    int selection = a.size() == 2 || !player_.track(player_.focus) ? 0 : 1;
    if (!player_.run_menu_command(true, a[0], selection)) {
        error_ = "no context-menu command " + quoted(a[0]);
        return false;
    }
    player_.pump();
    return true;
}

// ---- Preferences and probe ----

bool Scenario::open_preferences(const Args& a) {
    if (!components_loaded()) return false;
    if (!player_.preferences().show(player_, a[0])) {
        error_ = "no preferences page " + quoted(a[0]);
        return false;
    }
    player_.pump();
    return true;
}

bool Scenario::close_preferences(const Args&) {
    player_.preferences().close();
    player_.pump();
    return true;
}

bool Scenario::open_probe(const Args&) {
    if (!player_.probe || !IsWindow(player_.probe)) player_.probe = create_probe_window();
    if (!player_.probe) {
        error_ = "cannot create the probe window (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    player_.pump();
    return true;
}

// ---- Dialogs and clipboard ----

bool Scenario::answer_file_dialog(const Args& a) {
    watcher_.arm_file_dialog(a[0], false, line_);
    return true;
}

bool Scenario::cancel_file_dialog(const Args&) {
    watcher_.arm_file_dialog("", true, line_);
    return true;
}

bool Scenario::answer_message_box(const Args& a) {
    int button = IDOK;
    std::string name = a.empty() ? "ok" : a[0];
    if (name == "ok")
        button = IDOK;
    else if (name == "cancel")
        button = IDCANCEL;
    else if (name == "yes")
        button = IDYES;
    else if (name == "no")
        button = IDNO;
    else {
        error_ = "the button is ok, cancel, yes or no";
        return false;
    }
    const bool close_preferences = a.size() > 1 && a[1] == "close_preferences";
    if (a.size() > 1 && !close_preferences) {
        error_ = "the second word is close_preferences";
        return false;
    }
    watcher_.arm_message_box(button, line_, close_preferences);
    return true;
}

bool Scenario::clipboard_set_text_cmd(const Args& a) {
    if (clipboard_set_text(a[0])) return true;
    error_ = "cannot set the clipboard";
    return false;
}

bool Scenario::clipboard_set_picture_cmd(const Args&) {
    if (clipboard_set_picture()) return true;
    error_ = "cannot set the clipboard";
    return false;
}

bool Scenario::clipboard_clear_cmd(const Args&) {
    if (clipboard_clear()) return true;
    error_ = "cannot empty the clipboard";
    return false;
}

// ---- Files ----

bool Scenario::write_file(const Args& a) {
    if (write_whole_file(a[0], std::vector<std::uint8_t>(a[1].begin(), a[1].end()))) return true;
    error_ = "cannot write " + a[0];
    return false;
}

bool Scenario::copy_file(const Args& a) {
    std::vector<std::uint8_t> bytes;
    if (!read_whole_file(a[0], bytes)) {
        error_ = "cannot read " + a[0];
        return false;
    }
    if (write_whole_file(a[1], bytes)) return true;
    error_ = "cannot write " + a[1];
    return false;
}

bool Scenario::delete_file(const Args& a) {
    DeleteFileA(a[0].c_str());
    return true;
}

bool Scenario::truncate_file(const Args& a) {
    int keep = 0;
    if (!to_int(a[1], keep)) return false;
    std::vector<std::uint8_t> bytes;
    if (!read_whole_file(a[0], bytes)) {
        error_ = "cannot read " + a[0];
        return false;
    }
    long size = static_cast<long>(bytes.size());
    long new_size = keep < 0 ? size + keep : keep;
    if (new_size < 0) new_size = 0;
    if (new_size < size) bytes.resize(static_cast<std::size_t>(new_size));
    if (write_whole_file(a[0], bytes)) return true;
    error_ = "cannot write " + a[0];
    return false;
}

// ---- The player's life ----

bool Scenario::clear_calls(const Args&) {
    player_.control_calls.clear();
    player_.last_seek = -1.0;
    return true;
}

bool Scenario::save_config(const Args&) {
    if (!components_loaded()) return false;
    if (player_.save_configuration()) return true;
    error_ = "cannot write the configuration file";
    return false;
}

bool Scenario::use_component(const Args& a) {
    chosen_component_ = a[0];
    return chosen_component() != nullptr;
}

bool Scenario::quit(const Args&) {
    if (!components_loaded()) return false;
    player_.quit();
    return check_after_quit();
}

bool Scenario::restart(const Args&) {
    if (!player_.has_quit()) {
        player_.quit();
        if (!check_after_quit()) return false;
    }
    std::string error;
    if (!player_.restart(error)) {
        error_ = error;
        return false;
    }
    player_.pump();
    return true;
}

bool Scenario::log(const Args& a) {
    std::printf("%s:%d: %s\n", file_name_.c_str(), line_, a[0].c_str());
    return true;
}

}  // namespace player
}  // namespace versotime
