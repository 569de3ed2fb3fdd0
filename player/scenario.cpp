#include "player/scenario.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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
        {"answer_message_box", {&Scenario::answer_message_box, 0, 2}},
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
        {"clipboard_set_file", {&Scenario::clipboard_set_file, 1, 1}},
        {"set_read_only", {&Scenario::set_read_only, 2, 2}},
        {"clipboard_hold", {&Scenario::clipboard_hold_cmd, 1, 1}},
        {"repeat", {&Scenario::repeat, 2, -1}},
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
        {"expect folder_files", {&Scenario::expect_folder_files, 1, -1}},
        {"expect clipboard_same", {&Scenario::expect_clipboard_same, 1, 1}},
        {"clipboard_set_text_utf8", {&Scenario::clipboard_set_text_utf8_cmd, 1, 1}},
        {"expect clipboard_utf8", {&Scenario::expect_clipboard_utf8, 1, 1}},
        {"expect list_utf8", {&Scenario::expect_list_utf8, 2, -1}},
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

bool Scenario::find_command(const Args& words, const CommandInfo*& info, Args& args) {
    std::string name = words[0];
    std::size_t first = 1;
    if (name == "expect") {
        if (words.size() < 2) {
            error_ = "expect what?";
            return false;
        }
        name += " " + words[1];
        first = 2;
    }
    auto found = commands_.find(name);
    if (found == commands_.end()) {
        error_ = "unknown command \"" + name + "\"";
        return false;
    }
    args.assign(words.begin() + static_cast<std::ptrdiff_t>(first), words.end());
    info = &found->second;
    int count = static_cast<int>(args.size());
    if (count < info->min_args || (info->max_args >= 0 && count > info->max_args)) {
        error_ = "\"" + name + "\" takes " + std::to_string(info->min_args) +
                 (info->max_args == info->min_args ? "" : info->max_args < 0 ? " or more" : " to " + std::to_string(info->max_args)) +
                 " arguments, got " + std::to_string(count);
        return false;
    }
    return true;
}

bool Scenario::execute(const Args& words) {
    const CommandInfo* info = nullptr;
    Args args;
    if (!find_command(words, info, args)) return fail(error_);
    error_.clear();
    watcher_.command_started(file_name_ + ":" + std::to_string(line_));
    bool ok = (this->*info->handler)(args);
    watcher_.command_finished();
    if (!ok) return fail(error_.empty() ? "failed" : error_);
    for (const std::string& e : watcher_.take_errors()) return fail(e);
    return true;
}

bool Scenario::repeat(const Args& a) {
    int times = 0;
    if (!to_int(a[0], times)) return false;
    if (times < 0) {
        error_ = "repeat takes a count of 0 or more, got " + a[0];
        return false;
    }
    const CommandInfo* info = nullptr;
    Args args;
    if (!find_command(Args(a.begin() + 1, a.end()), info, args)) return false;
    for (int i = 1; i <= times; ++i) {
        if (!(this->*info->handler)(args)) {
            error_ = "repeat " + std::to_string(i) + " of " + std::to_string(times) + ": " +
                     (error_.empty() ? "failed" : error_);
            return false;
        }
    }
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

}  // namespace player
}  // namespace versotime
