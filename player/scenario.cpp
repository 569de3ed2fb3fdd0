#include "player/scenario.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "player/clipboard.h"
#include "player/probe_window.h"
#include "player/config_file.h"
#include "player/script_text.h"

namespace versotime {
namespace player {

Scenario::Scenario(Player& player, std::string file_name) : player_(player), file_name_(std::move(file_name)) {
    commands_ = {
        {"track_add", {&Scenario::track_add, 2, 2}},
        {"track_meta", {&Scenario::track_meta, 3, 3}},
        {"track_info", {&Scenario::track_info, 3, 3}},
        {"track_update", {&Scenario::track_update, 2, 2}},
        {"track_get_info", {&Scenario::track_get_info, 2, 2}},
        {"focus", {&Scenario::focus, 1, 1}},
        {"play", {&Scenario::play, 0, 0}},
        {"pause", {&Scenario::pause, 0, 0}},
        {"stop", {&Scenario::stop, 0, 0}},
        {"next", {&Scenario::next, 0, 0}},
        {"previous", {&Scenario::previous, 0, 0}},
        {"position", {&Scenario::position, 1, 1}},
        {"can_seek", {&Scenario::can_seek, 1, 1}},
        {"advance", {&Scenario::advance, 1, 1}},
        {"tick", {&Scenario::tick, 0, 1}},
        {"pump", {&Scenario::pump, 0, 1}},
        {"menu", {&Scenario::menu, 1, 1}},
        {"context_menu", {&Scenario::context_menu, 1, 2}},
        {"click", {&Scenario::click, 2, 2}},
        {"set_text", {&Scenario::set_text, 3, 3}},
        {"set_text_utf8", {&Scenario::set_text_utf8, 3, 3}},
        {"type", {&Scenario::type, 3, 3}},
        {"select", {&Scenario::select, 3, 3}},
        {"double_click", {&Scenario::double_click, 3, 3}},
        {"key", {&Scenario::key, 3, 3}},
        {"slider", {&Scenario::slider, 3, 3}},
        {"close", {&Scenario::close, 1, 1}},
        {"move_window", {&Scenario::move_window, 3, 3}},
        {"picture", {&Scenario::picture, 2, 2}},
        {"open_preferences", {&Scenario::open_preferences, 1, 1}},
        {"close_preferences", {&Scenario::close_preferences, 0, 0}},
        {"open_probe", {&Scenario::open_probe, 0, 0}},
        {"answer_file_dialog", {&Scenario::answer_file_dialog, 1, 1}},
        {"cancel_file_dialog", {&Scenario::cancel_file_dialog, 0, 0}},
        {"answer_message_box", {&Scenario::answer_message_box, 0, 1}},
        {"clipboard_set_text", {&Scenario::clipboard_set_text_cmd, 1, 1}},
        {"clipboard_set_picture", {&Scenario::clipboard_set_picture_cmd, 0, 0}},
        {"clipboard_clear", {&Scenario::clipboard_clear_cmd, 0, 0}},
        {"write_file", {&Scenario::write_file, 2, 2}},
        {"copy_file", {&Scenario::copy_file, 2, 2}},
        {"delete_file", {&Scenario::delete_file, 1, 1}},
        {"truncate_file", {&Scenario::truncate_file, 2, 2}},
        {"clear_calls", {&Scenario::clear_calls, 0, 0}},
        {"save_config", {&Scenario::save_config, 0, 0}},
        {"use_component", {&Scenario::use_component, 1, 1}},
        {"quit", {&Scenario::quit, 0, 0}},
        {"restart", {&Scenario::restart, 0, 0}},
        {"log", {&Scenario::log, 1, 1}},
        {"slider_hold", {&Scenario::slider_hold, 3, 3}},
        {"slider_release", {&Scenario::slider_release, 3, 3}},
        {"expect text", {&Scenario::expect_text, 3, 3}},
        {"expect text_utf8", {&Scenario::expect_text_utf8, 3, 3}},
        {"expect enabled", {&Scenario::expect_enabled, 3, 3}},
        {"expect checked", {&Scenario::expect_checked, 3, 3}},
        {"expect visible", {&Scenario::expect_visible, 3, 3}},
        {"expect list", {&Scenario::expect_list, 2, -1}},
        {"expect list_count", {&Scenario::expect_list_count, 3, 3}},
        {"expect selection", {&Scenario::expect_selection, 3, 3}},
        {"expect caption", {&Scenario::expect_caption, 2, 2}},
        {"expect caption_utf8", {&Scenario::expect_caption_utf8, 2, 2}},
        {"expect window", {&Scenario::expect_window, 2, 2}},
        {"expect topmost", {&Scenario::expect_topmost, 2, 2}},
        {"expect window_position", {&Scenario::expect_window_position, 3, 3}},
        {"expect file", {&Scenario::expect_file, 2, 2}},
        {"expect file_same", {&Scenario::expect_file_same, 2, 2}},
        {"expect file_exists", {&Scenario::expect_file_exists, 2, 2}},
        {"expect meta", {&Scenario::expect_meta, 3, 3}},
        {"expect meta_missing", {&Scenario::expect_meta_missing, 2, 2}},
        {"expect meta_fields", {&Scenario::expect_meta_fields, 1, -1}},
        {"expect update_calls", {&Scenario::expect_update_calls, 2, 2}},
        {"expect clipboard", {&Scenario::expect_clipboard, 1, 1}},
        {"expect clipboard_has_text", {&Scenario::expect_clipboard_has_text, 1, 1}},
        {"expect file_dialog", {&Scenario::expect_file_dialog, 2, 2}},
        {"expect file_dialogs", {&Scenario::expect_file_dialogs, 1, 1}},
        {"expect message_box", {&Scenario::expect_message_box, 1, 1}},
        {"expect message_box_utf8", {&Scenario::expect_message_box_utf8, 1, 1}},
        {"expect message_boxes", {&Scenario::expect_message_boxes, 1, 1}},
        {"expect track_refs", {&Scenario::expect_track_refs, 1, 1}},
        {"expect config", {&Scenario::expect_config, 3, 3}},
        {"expect config_missing", {&Scenario::expect_config_missing, 1, 1}},
        {"expect last_seek", {&Scenario::expect_last_seek, 1, 1}},
        {"expect calls", {&Scenario::expect_calls, 0, -1}},
        {"expect playback", {&Scenario::expect_playback, 1, 1}},
        {"expect position", {&Scenario::expect_position, 1, 1}},
        {"expect now_playing", {&Scenario::expect_now_playing, 1, 1}},
        {"expect menu_shown", {&Scenario::expect_menu_shown, 2, 2}},
        {"expect context_menu_shown", {&Scenario::expect_context_menu_shown, 2, 3}},
        {"expect preferences_page", {&Scenario::expect_preferences_page, 1, 1}},
        {"expect slider", {&Scenario::expect_slider, 3, 3}},
        {"expect tip", {&Scenario::expect_tip, 1, 1}},
        {"expect list_extent", {&Scenario::expect_list_extent, 3, 3}},
    };
}

int Scenario::run() {
    std::vector<std::uint8_t> bytes;
    // Scripts name paths in the Wine form; the runner gives this one as is.
    if (!read_whole_file(file_name_, bytes)) {
        std::printf("%s:0: cannot read the script\n", file_name_.c_str());
        std::fflush(stdout);
        return 1;
    }
    return run_text(std::string(bytes.begin(), bytes.end()));
}

int Scenario::run_text(const std::string& text) {
    std::size_t at = 0;
    line_ = 0;
    report_.clear();
    bool ok = true;
    while (ok && at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        ++line_;
        std::vector<std::string> words;
        if (!split_line(line, environment_lookup, words, error_)) {
            ok = fail(error_);
            break;
        }
        if (words.empty()) continue;
        ok = execute(words);
    }
    if (ok) ok = finish();
    std::fflush(stdout);
    return ok ? 0 : 1;
}

bool Scenario::execute(const Args& words) {
    std::string name = words[0];
    std::size_t first = 1;
    if (name == "expect") {
        if (words.size() < 2) return fail("expect what?");
        name += " " + words[1];
        first = 2;
    }
    auto found = commands_.find(name);
    if (found == commands_.end()) return fail("unknown command \"" + name + "\"");
    Args args(words.begin() + static_cast<std::ptrdiff_t>(first), words.end());
    const CommandInfo& info = found->second;
    int count = static_cast<int>(args.size());
    if (count < info.min_args || (info.max_args >= 0 && count > info.max_args))
        return fail("\"" + name + "\" takes " + std::to_string(info.min_args) +
                    (info.max_args == info.min_args ? "" : info.max_args < 0 ? " or more" : " to " + std::to_string(info.max_args)) +
                    " arguments, got " + std::to_string(count));
    error_.clear();
    watcher_.command_started(file_name_ + ":" + std::to_string(line_));
    bool ok = (this->*info.handler)(args);
    watcher_.command_finished();
    if (!ok) return fail(error_.empty() ? "failed" : error_);
    for (const std::string& e : watcher_.take_errors()) return fail(e);
    return true;
}

bool Scenario::finish() {
    ++line_;  // reports at exit name the line after the last
    player_.pump();
    if (!player_.has_quit()) {
        watcher_.command_started(file_name_ + ":" + std::to_string(line_) + " (the quit at the end)");
        player_.quit();
        watcher_.command_finished();
        if (!check_after_quit()) return fail(error_);
    }
    for (const std::string& e : watcher_.take_errors()) return fail(e);
    for (int line : watcher_.unused_answers())
        return fail("the dialog answer armed at line " + std::to_string(line) + " was never used");
    return true;
}

// What every quit must leave behind: no track reference held, no track
// locked, no reference given back twice.
bool Scenario::check_after_quit() {
    for (const std::string& fault : player_.track_faults()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        error_ = fault;
        return false;
    }
    int outstanding = player_.outstanding_references();
    if (outstanding != 0) {
        std::fprintf(stderr, "%d track references not released at quit\n", outstanding);
        return differ("track references outstanding at quit", "0", std::to_string(outstanding));
    }
    return true;
}

bool Scenario::fail(const std::string& message) {
    report_ = file_name_ + ":" + std::to_string(line_) + ": " + message;
    std::printf("%s\n", report_.c_str());
    std::fflush(stdout);
    return false;
}

bool Scenario::differ(const std::string& what, const std::string& expected, const std::string& got) {
    error_ = what + " differs (expected " + expected + ", got " + got + ")";
    return false;
}

bool Scenario::to_int(const std::string& text, int& value) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < -2147483647L - 1 || v > 2147483647L) {
        error_ = "\"" + text + "\" is not a whole number";
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

bool Scenario::to_double(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value)) {
        error_ = "\"" + text + "\" is not a number";
        return false;
    }
    return true;
}

bool Scenario::to_flag(const std::string& text, bool& value) {
    if (text == "1" || text == "yes") {
        value = true;
        return true;
    }
    if (text == "0" || text == "no") {
        value = false;
        return true;
    }
    error_ = "\"" + text + "\" is not 0 or 1";
    return false;
}

bool Scenario::window(const std::string& name, HWND& found) {
    found = nullptr;
    if (name == "editor")
        found = player_.editor_window();
    else if (name.compare(0, 7, "editor:") == 0) {
        int number = 0;
        if (!to_int(name.substr(7), number)) return false;
        int seen = 0;
        for (HWND w : player_.modeless_windows()) {
            if (IsWindow(w) && ++seen == number) found = w;
        }
    } else if (name == "page")
        found = player_.preferences().page();
    else if (name == "preferences")
        found = player_.preferences().frame();
    else if (name == "probe")
        found = player_.probe && IsWindow(player_.probe) ? player_.probe : nullptr;
    else {
        error_ = "unknown window \"" + name + "\" (editor, editor:N, page, preferences, probe)";
        return false;
    }
    if (!found) error_ = "there is no " + name + " window";
    return found != nullptr;
}

bool Scenario::control(const std::string& window_name, const std::string& id, HWND& found) {
    HWND parent = nullptr;
    int number = 0;
    if (!window(window_name, parent) || !to_int(id, number)) return false;
    found = GetDlgItem(parent, number);
    if (!found) error_ = "the " + window_name + " window has no control " + id;
    return found != nullptr;
}

bool Scenario::track_at(const std::string& index, PlayerTrack*& found) {
    int number = 0;
    if (!to_int(index, number)) return false;
    found = player_.track(number);
    if (!found) error_ = "there is no track " + index;
    return found != nullptr;
}

bool Scenario::components_loaded() {
    if (player_.has_quit()) {
        error_ = "the player has quit";
        return false;
    }
    return true;
}

LoadedComponent* Scenario::chosen_component() {
    for (const auto& c : player_.components()) {
        if (chosen_component_.empty() || lstrcmpiA(c->file_name.c_str(), chosen_component_.c_str()) == 0)
            return c.get();
    }
    error_ = chosen_component_.empty() ? "no component is loaded" : "no component " + chosen_component_ + " is loaded";
    return nullptr;
}

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
    watcher_.arm_message_box(button, line_);
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
