// Scenario expectations: each compares one observable thing and names what
// differed.
#include <cmath>
#include <cstdio>

#include "player/clipboard.h"
#include "player/config_file.h"
#include "player/scenario.h"
#include "player/script_text.h"
#include "player/window_driver.h"

namespace versotime {
namespace player {

namespace {

std::string number_text(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

bool close_enough(double a, double b) { return std::fabs(a - b) <= 1e-6 * (1.0 + std::fabs(b)); }

std::string flag_text(bool value) { return value ? "1" : "0"; }

}  // namespace

bool Scenario::expect_text(const Args& a) {
    HWND c = nullptr;
    if (!control(a[0], a[1], c)) return false;
    std::string got = window_text(c);
    return got == a[2] || differ("the text of " + a[0] + " " + a[1], quoted(a[2]), quoted(got));
}

bool Scenario::expect_text_utf8(const Args& a) {
    HWND c = nullptr;
    if (!control(a[0], a[1], c)) return false;
    std::string got = window_text_utf8(c);
    return got == a[2] || differ("the UTF-8 text of " + a[0] + " " + a[1], quoted(a[2]), quoted(got));
}

bool Scenario::expect_enabled(const Args& a) {
    HWND c = nullptr;
    bool want = false;
    if (!control(a[0], a[1], c) || !to_flag(a[2], want)) return false;
    bool got = IsWindowEnabled(c) != 0;
    return got == want || differ("enabled state of " + a[0] + " " + a[1], flag_text(want), flag_text(got));
}

bool Scenario::expect_checked(const Args& a) {
    HWND c = nullptr;
    bool want = false;
    if (!control(a[0], a[1], c) || !to_flag(a[2], want)) return false;
    bool got = SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return got == want || differ("check state of " + a[0] + " " + a[1], flag_text(want), flag_text(got));
}

bool Scenario::expect_visible(const Args& a) {
    HWND c = nullptr;
    bool want = false;
    if (!control(a[0], a[1], c) || !to_flag(a[2], want)) return false;
    bool got = IsWindowVisible(c) != 0;
    return got == want || differ("visibility of " + a[0] + " " + a[1], flag_text(want), flag_text(got));
}

bool Scenario::expect_list(const Args& a) {
    HWND c = nullptr;
    if (!control(a[0], a[1], c)) return false;
    std::vector<std::string> want(a.begin() + 2, a.end());
    std::vector<std::string> got = list_items(c);
    return got == want || differ("the items of " + a[0] + " " + a[1], joined(want), joined(got));
}

bool Scenario::expect_list_count(const Args& a) {
    HWND c = nullptr;
    int want = 0;
    if (!control(a[0], a[1], c) || !to_int(a[2], want)) return false;
    int got = list_count(c);
    return got == want || differ("the item count of " + a[0] + " " + a[1], a[2], std::to_string(got));
}

bool Scenario::expect_selection(const Args& a) {
    HWND c = nullptr;
    int want = 0;
    if (!control(a[0], a[1], c) || !to_int(a[2], want)) return false;
    int got = list_selection(c);
    return got == want || differ("the selection of " + a[0] + " " + a[1], a[2], std::to_string(got));
}

bool Scenario::expect_caption(const Args& a) {
    HWND w = nullptr;
    if (!window(a[0], w)) return false;
    std::string got = window_text(w);
    return got == a[1] || differ("the caption of " + a[0], quoted(a[1]), quoted(got));
}

bool Scenario::expect_caption_utf8(const Args& a) {
    HWND w = nullptr;
    if (!window(a[0], w)) return false;
    std::string got = window_text_utf8(w);
    return got == a[1] || differ("the UTF-8 caption of " + a[0], quoted(a[1]), quoted(got));
}

bool Scenario::expect_window(const Args& a) {
    bool want = false;
    if (!to_flag(a[1], want)) return false;
    HWND w = nullptr;
    bool got = window(a[0], w);
    if (error_.compare(0, 14, "unknown window") == 0) return false;
    error_.clear();
    return got == want || differ("whether the " + a[0] + " window exists", flag_text(want), flag_text(got));
}

bool Scenario::expect_topmost(const Args& a) {
    HWND w = nullptr;
    bool want = false;
    if (!window(a[0], w) || !to_flag(a[1], want)) return false;
    bool got = (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return got == want || differ("whether the " + a[0] + " window is topmost", flag_text(want), flag_text(got));
}

bool Scenario::expect_window_position(const Args& a) {
    HWND w = nullptr;
    int x = 0, y = 0;
    if (!window(a[0], w) || !to_int(a[1], x) || !to_int(a[2], y)) return false;
    RECT r{};
    GetWindowRect(w, &r);
    return (r.left == x && r.top == y) ||
           differ("the position of the " + a[0] + " window", a[1] + " " + a[2],
                  std::to_string(r.left) + " " + std::to_string(r.top));
}

bool Scenario::expect_file(const Args& a) {
    std::vector<std::uint8_t> bytes;
    if (!read_whole_file(a[0], bytes)) return differ("the file " + a[0], quoted(a[1]), "no such file");
    std::string got(bytes.begin(), bytes.end());
    return got == a[1] || differ("the file " + a[0], quoted(a[1]), quoted(got));
}

bool Scenario::expect_file_same(const Args& a) {
    std::vector<std::uint8_t> got, want;
    if (!read_whole_file(a[1], want)) {
        error_ = "cannot read the fixture " + a[1];
        return false;
    }
    if (!read_whole_file(a[0], got)) return differ("the file " + a[0], "the bytes of " + a[1], "no such file");
    return got == want || differ("the file " + a[0], quoted(std::string(want.begin(), want.end())),
                                 quoted(std::string(got.begin(), got.end())));
}

bool Scenario::expect_file_exists(const Args& a) {
    bool want = false;
    if (!to_flag(a[1], want)) return false;
    DWORD attributes = GetFileAttributesA(a[0].c_str());
    bool got = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    return got == want || differ("whether the file " + a[0] + " exists", flag_text(want), flag_text(got));
}

bool Scenario::expect_meta(const Args& a) {
    PlayerTrack* t = nullptr;
    if (!track_at(a[0], t)) return false;
    int at = t->data.meta_find(a[1].c_str(), 0);
    if (at < 0) return differ("the meta field " + a[1] + " of track " + a[0], quoted(a[2]), "no such field");
    std::string got = t->data.meta_value(at);
    return got == a[2] || differ("the meta field " + a[1] + " of track " + a[0], quoted(a[2]), quoted(got));
}

bool Scenario::expect_meta_missing(const Args& a) {
    PlayerTrack* t = nullptr;
    if (!track_at(a[0], t)) return false;
    int at = t->data.meta_find(a[1].c_str(), 0);
    return at < 0 || differ("the meta field " + a[1] + " of track " + a[0], "no such field",
                            quoted(t->data.meta_value(at)));
}

bool Scenario::expect_meta_fields(const Args& a) {
    PlayerTrack* t = nullptr;
    if (!track_at(a[0], t)) return false;
    std::vector<std::string> want(a.begin() + 1, a.end());
    std::vector<std::string> got;
    for (const Field& f : t->data.meta) got.push_back(f.first + "=" + f.second);
    return got == want || differ("the meta fields of track " + a[0], joined(want), joined(got));
}

bool Scenario::expect_update_calls(const Args& a) {
    PlayerTrack* t = nullptr;
    int want = 0;
    if (!track_at(a[0], t) || !to_int(a[1], want)) return false;
    return t->update_calls == want ||
           differ("the update_info calls on track " + a[0], a[1], std::to_string(t->update_calls));
}

bool Scenario::expect_clipboard(const Args& a) {
    std::string got;
    if (!clipboard_text(got)) return differ("the clipboard text", quoted(a[0]), "no text");
    return got == a[0] || differ("the clipboard text", quoted(a[0]), quoted(got));
}

bool Scenario::expect_clipboard_has_text(const Args& a) {
    bool want = false;
    if (!to_flag(a[0], want)) return false;
    std::string text;
    bool got = clipboard_text(text);
    return got == want || differ("whether the clipboard holds text", flag_text(want), flag_text(got));
}

bool Scenario::expect_file_dialog(const Args& a) {
    std::vector<SeenFileDialog> seen = watcher_.file_dialogs();
    if (seen.empty()) {
        error_ = "no file dialog has opened";
        return false;
    }
    if (a[0] == "title")
        return seen.back().title == a[1] || differ("the file dialog's title", quoted(a[1]), quoted(seen.back().title));
    if (a[0] == "file")
        return seen.back().file_name == a[1] ||
               differ("the file dialog's file name", quoted(a[1]), quoted(seen.back().file_name));
    error_ = "expect file_dialog title|file TEXT";
    return false;
}

bool Scenario::expect_file_dialogs(const Args& a) {
    int want = 0;
    if (!to_int(a[0], want)) return false;
    int got = static_cast<int>(watcher_.file_dialogs().size());
    return got == want || differ("the number of file dialogs", a[0], std::to_string(got));
}

bool Scenario::expect_message_box(const Args& a) {
    std::vector<SeenMessageBox> seen = watcher_.message_boxes();
    if (seen.empty()) {
        error_ = "no message box has opened";
        return false;
    }
    return seen.back().text == a[0] || differ("the message box text", quoted(a[0]), quoted(seen.back().text));
}

bool Scenario::expect_message_box_utf8(const Args& a) {
    std::vector<SeenMessageBox> seen = watcher_.message_boxes();
    if (seen.empty()) {
        error_ = "no message box has opened";
        return false;
    }
    return seen.back().text_utf8 == a[0] ||
           differ("the UTF-8 message box text", quoted(a[0]), quoted(seen.back().text_utf8));
}

bool Scenario::expect_message_boxes(const Args& a) {
    int want = 0;
    if (!to_int(a[0], want)) return false;
    int got = static_cast<int>(watcher_.message_boxes().size());
    return got == want || differ("the number of message boxes", a[0], std::to_string(got));
}

bool Scenario::expect_track_refs(const Args& a) {
    int want = 0;
    if (!to_int(a[0], want)) return false;
    int got = player_.outstanding_references();
    return got == want || differ("the outstanding track references", a[0], std::to_string(got));
}

bool Scenario::expect_config(const Args& a) {
    LoadedComponent* c = chosen_component();
    if (!c) return false;
    if (!c->saved) {
        error_ = "the configuration has not been saved yet (quit or save_config first)";
        return false;
    }
    const ConfigRecord* record = nullptr;
    std::vector<ConfigRecord> records = parse_component_block(c->saved_block);
    for (const ConfigRecord& r : records) {
        if (r.key == a[0]) record = &r;
    }
    if (!record) return differ("the configuration record " + a[0], a[1] + " " + quoted(a[2]), "no such record");
    std::string data(record->data.begin(), record->data.end());
    if (a[1] == "int") {
        int want = 0;
        if (!to_int(a[2], want)) return false;
        if (data.size() != 4) return differ("the size of the record " + a[0], "4", std::to_string(data.size()));
        auto u = [&](int i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])); };
        std::uint32_t raw = u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
        int got = static_cast<int>(raw);
        return got == want || differ("the configuration value " + a[0], a[2], std::to_string(got));
    }
    if (a[1] == "text" || a[1] == "bytes")
        return data == a[2] || differ("the configuration value " + a[0], quoted(a[2]), quoted(data));
    error_ = "expect config KEY int|text|bytes VALUE";
    return false;
}

bool Scenario::expect_config_missing(const Args& a) {
    LoadedComponent* c = chosen_component();
    if (!c) return false;
    if (!c->saved) {
        error_ = "the configuration has not been saved yet (quit or save_config first)";
        return false;
    }
    for (const ConfigRecord& r : parse_component_block(c->saved_block)) {
        if (r.key == a[0]) return differ("the configuration record " + a[0], "none", quoted(std::string(r.data.begin(), r.data.end())));
    }
    return true;
}

bool Scenario::expect_last_seek(const Args& a) {
    double want = 0;
    if (!to_double(a[0], want)) return false;
    return close_enough(player_.last_seek, want) ||
           differ("the last seek", a[0], number_text(player_.last_seek));
}

bool Scenario::expect_calls(const Args& a) {
    const std::vector<std::string>& got = player_.control_calls;
    return got == a || differ("the calls on the player's control", joined(a), joined(got));
}

bool Scenario::expect_playback(const Args& a) {
    const char* got = player_.state == PlayState::playing ? "playing"
                      : player_.state == PlayState::paused ? "paused"
                                                           : "stopped";
    return a[0] == got || differ("the playback state", a[0], got);
}

bool Scenario::expect_position(const Args& a) {
    double want = 0;
    if (!to_double(a[0], want)) return false;
    return close_enough(player_.position, want) || differ("the position", a[0], number_text(player_.position));
}

bool Scenario::expect_now_playing(const Args& a) {
    int want = 0;
    if (!to_int(a[0], want)) return false;
    int got = player_.state == PlayState::stopped ? -1 : player_.now_playing;
    return got == want || differ("the playing track", a[0], std::to_string(got));
}

bool Scenario::expect_menu_shown(const Args& a) {
    bool want = false, found = false;
    if (!components_loaded() || !to_flag(a[1], want)) return false;
    bool got = player_.menu_command_shown(false, a[0], 0, found);
    if (!found) return differ("the main-menu command " + quoted(a[0]), "a command", "none");
    return got == want || differ("whether the main-menu command " + quoted(a[0]) + " shows", flag_text(want), flag_text(got));
}

bool Scenario::expect_context_menu_shown(const Args& a) {
    bool want = false, found = false;
    if (!components_loaded() || !to_flag(a[1], want)) return false;
    if (a.size() == 3 && a[2] != "empty") {
        error_ = "expect context_menu_shown PATH 0|1 [empty]";
        return false;
    }
    int selection = a.size() == 3 || !player_.track(player_.focus) ? 0 : 1;
    bool got = player_.menu_command_shown(true, a[0], selection, found);
    if (!found) return differ("the context-menu command " + quoted(a[0]), "a command", "none");
    return got == want || differ("whether the context-menu command " + quoted(a[0]) + " shows", flag_text(want), flag_text(got));
}

bool Scenario::expect_preferences_page(const Args& a) {
    std::string got = player_.preferences().page() ? player_.preferences().page_name() : "";
    return got == a[0] || differ("the preferences page shown", quoted(a[0]), quoted(got));
}

}  // namespace player
}  // namespace versotime
